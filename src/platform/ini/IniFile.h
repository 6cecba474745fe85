// An INI file used through the profile functions: read afresh, replaced whole or not at all.
#pragma once

#include "platform/Result.h"
#include "platform/ini/IniDocument.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dm::platform {

// An INI file used through the profile functions: every call reads the file afresh, and every
// write replaces it whole or not at all (a missing file or section is made). A missing or
// unreadable file reads as empty; an existing file that cannot be read, or is read-only, is never
// overwritten.
class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    std::vector<std::string> sectionNames() const;
    std::vector<std::string> keyNames(std::string_view section) const;
    // GetPrivateProfileString: the value, else fallback, cut to at most maxLength bytes.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback = {},
                           std::size_t maxLength = std::string::npos) const;
    // The value as parseIniInteger reads it; fallback when it is missing or unreadable.
    std::int32_t readInteger(std::string_view section, std::string_view key,
                             std::int32_t fallback = 0) const;

    // WritePrivateProfileString. Fails, saying why, when the file cannot be read or written or the
    // entry cannot be stored (see IniDocument::setValue).
    Status writeString(std::string_view section, std::string_view key, std::string_view value);
    // Writes the number in signed decimal.
    Status writeInteger(std::string_view section, std::string_view key, std::int32_t value);

private:
    IniDocument load() const;

    std::string path_;
};

} // namespace dm::platform
