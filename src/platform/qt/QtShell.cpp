// Opening through the desktop: programs started detached, the rest by its default handler.
#include "platform/qt/QtShell.h"

#include "platform/qt/QtText.h"

#include "platform/system/EnvironmentText.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace dm::platform {

namespace {

bool isAddress(const std::string& text) {
    return text.find("://") != std::string::npos || text.rfind("mailto:", 0) == 0;
}

} // namespace

void QtShell::open(const std::string& file, const std::string& parameters,
                   const ShellOptions& options) {
    const std::string target = options.expandEnvironment ? expandEnvironmentText(file) : file;
    if (target.empty())
        return;
    if (isAddress(target)) {
        QDesktopServices::openUrl(QUrl(toQt(target)));
        return;
    }
    const QString path = QFile::decodeName(QByteArray::fromStdString(target));
    const QFileInfo info(path);
    if (info.isFile() && info.isExecutable()) {
        QProcess::startDetached(path, QProcess::splitCommand(toQt(parameters)),
                                info.absolutePath());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace dm::platform
