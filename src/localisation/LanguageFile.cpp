#include "localisation/LanguageFile.h"

#include "localisation/Storefile.h"

#include <filesystem>

namespace dm {

void OpenLanguageFile(Storefile& file, const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kLanguageFileLimit)
        return;
    file.SetSignature(std::string(kLanguageSignature));
    file.SetFilename(path);
    file.SetReadOnly(true);
    file.SetActive(true);
}

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
