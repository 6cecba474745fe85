#include "localisation/LanguageFile.h"

namespace dm {

std::string VersionIntToText(std::uint32_t V) {
    return std::to_string(V >> 24) + "." + std::to_string((V >> 16) & 255) + "." +
           std::to_string((V >> 10) & 63) + "." + std::to_string(V & 1023);
}

std::string LinesToText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace dm
