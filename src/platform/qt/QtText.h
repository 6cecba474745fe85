// The one conversion of texts at the Qt boundary: 8-bit text to QString and back.
#pragma once

#include <QString>

#include <string>

namespace dm::platform {

// Texts are 8-bit in the system's code page inside the program; widgets take QString. The one
// conversion at the Qt boundary.
inline QString toQt(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string fromQt(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

} // namespace dm::platform
