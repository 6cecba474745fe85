#include "localisation/LanguageFile.h"

namespace dm {

std::string VersionIntToText(std::uint32_t v) {
    return std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 255) + "." +
           std::to_string((v >> 10) & 63) + "." + std::to_string(v & 1023);
}

std::string linesToText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace dm
