#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dm {

// The record-file signature of language files.
inline constexpr std::string_view kLanguageSignature = "ZEL LANGUAGE FILE";

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
