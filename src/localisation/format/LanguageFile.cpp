// Opening a language file read-only, and packed version numbers as text.
#include "localisation/format/LanguageFile.h"

#include "localisation/format/Storefile.h"
#include "platform/files/FileSystem.h"

namespace dm {

void openLanguageFile(Storefile& file, const std::string& path) {
    const auto entry = file.files().status(path);
    if (!entry || entry->type != platform::EntryStatus::Type::File ||
        entry->size > kLanguageFileLimit)
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
