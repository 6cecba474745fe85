// The table of character sets a language file can name, with their code pages.
#include "localisation/format/CharSet.h"

namespace dm {

namespace {

// Default, symbolic and unknown sets take the Western code page.
constexpr CharSet kCharSets[] = {
    {0, "ANSI characters", 0, "CP1252"},
    {1, "Default characters", 0, "CP1252"},
    {2, "Symbolic characters", 0, "CP1252"},
    {77, "Macintosh characters", 0, "MACINTOSH"},
    {128, "Japanese shift-jis characters", 0, "CP932"},
    {129, "Korean characters (Wansung)", 0, "CP949"},
    {130, "Korean characters (Johab)", 0, "JOHAB"},
    {134, "Simplified Chinese characters (mainland china)", 0, "CP936"},
    {136, "Traditional Chinese characters (taiwanese)", 0, "CP950"},
    {161, "Greek characters", 0, "CP1253"},
    {162, "Turkish characters", 0, "CP1254"},
    {163, "Vietnamese characters", 0, "CP1258"},
    {177, "Hebrew characters", 1, "CP1255"},
    {178, "Arabic characters", 1, "CP1256"},
    {186, "Baltic characters", 0, "CP1257"},
    {204, "Cyrillic characters", 0, "CP1251"},
    {222, "Thai characters", 0, "CP874"},
    {238, "Diacritical characters (Eastern Europe)", 0, "CP1250"},
    {255, "Depends on OS codepage", 0, "CP437"},
};

} // namespace

std::span<const CharSet> charSets() {
    return kCharSets;
}

const CharSet* findCharSet(std::uint8_t value) {
    for (const auto& row : kCharSets)
        if (row.Value == value)
            return &row;
    return nullptr;
}

std::string_view codePageOf(std::uint8_t value) {
    const CharSet* row = findCharSet(value);
    return (row ? row : findCharSet(kDefaultCharSet))->CodePageName;
}

} // namespace dm
