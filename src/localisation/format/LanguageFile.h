// The layout of language files: signature, limits, revisions, tags and text record bits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dm {

// The record-file signature of language files.
inline constexpr std::string_view kLanguageSignature = "ZEL LANGUAGE FILE";

// Language files hold some kilobytes of text; a file larger than this is skipped like an
// unreadable one.
inline constexpr std::uintmax_t kLanguageFileLimit = 16 * 1024 * 1024;
// Longest font or input-method name, and longest other text, taken from a language file; a
// longer one is ignored as if the file left it empty.
inline constexpr std::int32_t kLanguageNameLimit = 255;
inline constexpr std::int32_t kLanguageTextLimit = 1024 * 1024;

class Storefile;

// Opens path read-only as a language file; the file stays inactive when it is none or is larger
// than kLanguageFileLimit.
void openLanguageFile(Storefile& file, const std::string& path);

// The highest revision a language file may have; the one this system writes.
inline constexpr std::uint16_t kLanguageRevision = 4;

// Tags of the header block.
enum LanguageTag : std::int32_t {
    kTagProgramVersion = 512,
    kTagImeName = 513,
    kTagFontName = 514,
    kTagCharSet = 515,
    kTagCarriedByte = 516, // revisions 2 to 4; the second 516 of revision 4 is the font size
    kTagCarriedText1 = 517,
    kTagCarriedText2 = 518,
    kTagMinFontSize = 516,
    kTagGroupName = 528, // plus the number of texts in the group
    kTagAlignment = 768,
};

// Bits of a text record's tag.
enum TextTag : std::int32_t {
    kTextCaption = 1,
    kTextHint = 2,
    kTextItems = 3,
    kTextShowHint = 16,
    kTextTranslated = 32,
};

// "a.b.c.d" of a version packed as a shl 24 or b shl 16 or c shl 10 or d.
std::string VersionIntToText(std::uint32_t v);

} // namespace dm
