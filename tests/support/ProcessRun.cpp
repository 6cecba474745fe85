// Runs a program to its end within a time limit and collects its outputs.
#include "support/ProcessRun.h"

#include <QProcess>

namespace dm::test {

ProcessRun runProcess(const QString& program, const QStringList& arguments, int milliseconds,
                      const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProcessRun result;
    if (!process.waitForFinished(milliseconds)) {
        process.kill();
        process.waitForFinished();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    }
    result.output = process.readAllStandardOutput().toStdString();
    result.errors = process.readAllStandardError().toStdString();
    return result;
}

} // namespace dm::test
