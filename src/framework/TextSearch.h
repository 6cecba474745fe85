#pragma once

#include <string>

// Searching and replacing in 8-bit text. Positions count from 1 (0: not found); comparisons that
// ignore case fold the ASCII letters A to Z only.
namespace dm {

// The text with A-Z folded to a-z.
std::string lowerCaseText(const std::string& text);
// The position of the first SubText in Text, ignoring case / byte for byte; 0 when absent or
// when SubText is empty.
int posText(const std::string& subText, const std::string& text);
int posStr(const std::string& subText, const std::string& text);
// Every occurrence of From replaced by To, left to right, ignoring case / byte for byte; the text
// unchanged for an empty From.
std::string replaceAllText(const std::string& text, const std::string& from, const std::string& to);
std::string replaceAllStr(const std::string& text, const std::string& from, const std::string& to);
// The file name of Path (after its last "/", "\" or ":"), and that name's extension (from its
// last ".", dot included; empty when it has none).
std::string extractFileName(const std::string& path);
std::string extractFileExt(const std::string& path);

} // namespace dm
