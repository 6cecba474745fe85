#include "localisation/LanguageFile.h"

namespace dm {

std::string VersionIntToText(std::uint32_t V) {
    return std::to_string(V >> 24) + "." + std::to_string((V >> 16) & 255) + "." +
           std::to_string((V >> 10) & 63) + "." + std::to_string(V & 1023);
}

std::vector<std::string> TextToLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string LinesToText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace dm
