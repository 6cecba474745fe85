#include "platform/qt/QtShell.h"

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

std::string ExpandEnvironmentText(const std::string& text) {
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto open = text.find('%', at);
        const auto close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            result += text.substr(at);
            break;
        }
        const std::string name = text.substr(open + 1, close - open - 1);
        result += text.substr(at, open - at);
        if (!name.empty() && qEnvironmentVariableIsSet(name.c_str())) {
            result += qEnvironmentVariable(name.c_str()).toLocal8Bit().toStdString();
            at = close + 1;
        } else {
            result += '%';
            at = open + 1;
        }
    }
    return result;
}

void QtShell::open(const std::string& file, const std::string& parameters,
                   const ShellOptions& options) {
    const std::string target = options.expandEnvironment ? ExpandEnvironmentText(file) : file;
    if (target.empty())
        return;
    if (isAddress(target)) {
        QDesktopServices::openUrl(QUrl(QString::fromLocal8Bit(target)));
        return;
    }
    const QString path = QFile::decodeName(QByteArray::fromStdString(target));
    const QFileInfo info(path);
    if (info.isFile() && info.isExecutable()) {
        QProcess::startDetached(path, QProcess::splitCommand(QString::fromLocal8Bit(parameters)),
                                info.absolutePath());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace dm::platform
