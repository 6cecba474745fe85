// Runs a program to its end, for tests: its exit code and its two outputs.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <string>

namespace dm::test {

// What a program run to its end gave: its exit code (-1 when it did not start, did not end
// normally, or was stopped for taking longer than allowed) and its two outputs.
struct ProcessRun {
    int exitCode = -1;
    std::string output;
    std::string errors;
};

// Runs a program, waiting at most the milliseconds given.
ProcessRun
runProcess(const QString& program, const QStringList& arguments, int milliseconds,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

} // namespace dm::test
