// Text helpers on 8-bit text: comparing, searching, replacing and cutting, ASCII case only.
#pragma once

#include <cstdint>
#include <string>

// The text helpers on 8-bit text. Positions and counts are bytes (positions returned count from
// 1, 0: not found); comparisons that ignore case fold the ASCII letters A to Z only
// (platform/text/AsciiCase.h). No routine fails on any input.
namespace dm {

// Comparing.
// Equal ignoring ASCII case.
bool SameText(const std::string& a, const std::string& b);
// True for an empty prefix; False when text is shorter than prefix.
bool StartsText(const std::string& text, const std::string& prefix);
// True for an empty suffix.
bool EndsText(const std::string& text, const std::string& suffix);
// As StartsText, byte for byte.
bool StartsStr(const std::string& text, const std::string& prefix);

// Searching and replacing.
// Whether subText occurs in text ignoring case. The SECOND argument is searched; an empty
// subText or an empty text gives False.
bool ContainsText(const std::string& subText, const std::string& text);
// The position of the first subText in text, ignoring case / byte for byte; 0 when absent or
// when subText is empty.
int posText(const std::string& subText, const std::string& text);
int posStr(const std::string& subText, const std::string& text);
// Every occurrence of from replaced by to, left to right, ignoring case / byte for byte; the text
// unchanged for an empty from.
std::string replaceAllText(const std::string& text, const std::string& from, const std::string& to);
std::string replaceAllStr(const std::string& text, const std::string& from, const std::string& to);

// Cutting.
// The first count characters; count is clamped to 0..length.
std::string LeftText(const std::string& text, int count);
// The last count characters; count is clamped to 0..length.
std::string RightText(const std::string& text, int count);
// The text without prefix / suffix when it starts / ends with it ignoring case.
std::string RemovePrefixText(const std::string& text, const std::string& prefix);
std::string RemoveSuffixText(const std::string& text, const std::string& suffix);
// The text before / after the first occurrence of sub (case-sensitive); the text unchanged when
// sub is empty or absent.
std::string TextBefore(const std::string& text, const std::string& sub);
std::string TextAfter(const std::string& text, const std::string& sub);
// The text without leading and trailing blanks and control characters.
std::string trimText(const std::string& text);
// Removes the trailing blank-separated words that start with "http://" or "https://".
std::string StripTrailingUrls(const std::string& text);

// Fields.
// 0 for an empty text, else 1 plus the number of characters of text found in delims.
int CountFields(const std::string& text, const std::string& delims);
// Field index (from 0) of text split at every character of delims; empty fields are kept. An
// index outside 0..CountFields-1 gives an empty text.
std::string GetField(const std::string& text, int index, const std::string& delims);

// File names.
// The file name of path (after its last "/", "\" or ":"), that name's extension (from its last
// ".", dot included; empty when it has none), and the name cut before its last ".".
std::string extractFileName(const std::string& path);
std::string extractFileExt(const std::string& path);
std::string ExtractFileNameNoExt(const std::string& path);

// Values as text.
// Percent-encodes every byte except A-Z a-z 0-9 "-" "." "_"; a blank becomes "%20".
std::string UrlEncode(const std::string& text);
std::string BoolToYesNo(bool value);
std::int32_t MaxInteger(std::int32_t a, std::int32_t b);

} // namespace dm
