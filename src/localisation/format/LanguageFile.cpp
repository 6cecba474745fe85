#include "localisation/format/LanguageFile.h"

#include "localisation/format/Storefile.h"

#include <filesystem>

namespace dm {

void openLanguageFile(Storefile& file, const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kLanguageFileLimit)
        return;
    file.setSignature(std::string(kLanguageSignature));
    file.setFilename(path);
    file.setReadOnly(true);
    file.SetActive(true);
}

std::string VersionIntToText(std::uint32_t v) {
    return std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 255) + "." +
           std::to_string((v >> 10) & 63) + "." + std::to_string(v & 1023);
}

} // namespace dm
