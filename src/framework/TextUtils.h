#pragma once

#include <cstdint>
#include <string>

// Text helpers on 8-bit text. Positions and counts are bytes (positions returned count from 1,
// 0: not found); comparisons that ignore case fold the ASCII letters A to Z only
// (platform/text/AsciiCase.h). No routine fails on any input.
namespace dm {

// The first Count characters; Count is clamped to 0..length.
std::string LeftText(const std::string& text, int count);
// The last Count characters; Count is clamped to 0..length.
std::string RightText(const std::string& text, int count);
// Equal ignoring ASCII case.
bool SameText(const std::string& a, const std::string& b);
// True for an empty Prefix; False when Text is shorter than Prefix.
bool StartsText(const std::string& text, const std::string& prefix);
// True for an empty Suffix.
bool EndsText(const std::string& text, const std::string& suffix);
// As StartsText, byte for byte.
bool StartsStr(const std::string& text, const std::string& prefix);
// Whether SubText occurs in Text ignoring case. The SECOND argument is searched; an empty
// SubText or an empty Text gives False.
bool ContainsText(const std::string& subText, const std::string& text);
std::string RemovePrefixText(const std::string& text, const std::string& prefix);
std::string RemoveSuffixText(const std::string& text, const std::string& suffix);
// Text before / after the first occurrence of Sub (case-sensitive); Text unchanged when Sub is
// empty or absent.
std::string TextBefore(const std::string& text, const std::string& sub);
std::string TextAfter(const std::string& text, const std::string& sub);
// 0 for an empty Text, else 1 plus the number of characters of Text found in Delims.
int CountFields(const std::string& text, const std::string& delims);
// Field Index (from 0) of Text split at every character of Delims; empty fields are kept. An
// Index outside 0..CountFields-1 gives an empty text.
std::string GetField(const std::string& text, int index, const std::string& delims);
// Percent-encodes every byte except A-Z a-z 0-9 "-" "." "_"; a blank becomes "%20".
std::string UrlEncode(const std::string& text);
std::string BoolToYesNo(bool value);
// Removes the trailing blank-separated words that start with "http://" or "https://".
std::string StripTrailingUrls(const std::string& text);
// The position of the first SubText in Text, ignoring case / byte for byte; 0 when absent or
// when SubText is empty.
int posText(const std::string& subText, const std::string& text);
int posStr(const std::string& subText, const std::string& text);
// Every occurrence of From replaced by To, left to right, ignoring case / byte for byte; the text
// unchanged for an empty From.
std::string replaceAllText(const std::string& text, const std::string& from, const std::string& to);
std::string replaceAllStr(const std::string& text, const std::string& from, const std::string& to);
// The file name of Path (after its last "/", "\" or ":"), that name's extension (from its last
// ".", dot included; empty when it has none), and the name cut before its last ".".
std::string extractFileName(const std::string& path);
std::string extractFileExt(const std::string& path);
std::string ExtractFileNameNoExt(const std::string& path);
std::int32_t MaxInteger(std::int32_t a, std::int32_t b);
// Text without leading and trailing blanks and control characters.
std::string trimText(const std::string& text);

} // namespace dm
