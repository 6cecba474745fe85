// The text of an INI file, read and changed in place with every other line kept.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dm::platform {

// The text of an INI file, read and changed as the Windows profile functions do: "[section]"
// lines, "key=value" lines, ";" comment lines. Section and key names match without regard to
// ASCII case (the first section and key of a name count); names and values are taken without
// the blanks around them, and a value without one enclosing pair of matching quotes ("..." or
// '...'). A change keeps every other line as it was. 8-bit text.
class IniDocument {
public:
    IniDocument() = default;
    // Lines may end LF or CR LF.
    explicit IniDocument(std::string_view text);

    // The file's text, every line ended CR LF.
    std::string text() const;

    // Section names, in file order, each name once.
    std::vector<std::string> sectionNames() const;
    // Key names of a section, in file order, each name once.
    std::vector<std::string> keyNames(std::string_view section) const;
    // The value of a key; nullopt when the section or key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets a key, adding the key after the section's last entry, or the section at the end. False
    // (and nothing changed) when the line would break the file's structure: names that are empty
    // or hold a line break, a section name with "]", a key name with "=" or starting with "[" or
    // ";", a value with a line break. Blanks and an enclosing pair of quotes around a value are
    // written as given but do not read back.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Found {
        std::size_t header = 0; // the section's "[...]" line
        std::size_t end = 0;    // one past its last line
    };
    std::optional<Found> findSection(std::string_view section) const;

    std::vector<std::string> lines_;
};

// An INI value read as an integer: decimal with an optional sign, or hexadecimal after "0x",
// giving the 32 bits of a number from -2147483648 to 4294967295 (so "-1" and "4294967295" are
// the same 32 bits); nullopt for anything else.
std::optional<std::int32_t> parseIniInteger(std::string_view text);

} // namespace dm::platform
