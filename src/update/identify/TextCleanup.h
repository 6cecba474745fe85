#pragma once

#include <string>
#include <vector>

// Clean-up of texts taken from version resources and manifests.
namespace dm::update {

// Drops trailing web addresses, a leading "?", a trailing " -" and a lone "@", until nothing
// changes.
std::string CleanCompanyText(const std::string& text);
// Drops copyright marks, years, rights and licence phrases from a company or copyright text,
// until nothing changes.
std::string StripCopyrightPhrases(const std::string& text);
// ExtractBetweenTags of the last line that holds "<tag>" (ignoring case); empty when none does.
std::string ExtractTagText(const std::string& tag, const std::vector<std::string>& lines);
// The text between "<tag>" and "</tag>" of a line, inside a "<!-- -->" comment when it has one;
// empty for a manifest's "App name goes here" placeholder.
std::string ExtractBetweenTags(const std::string& line, const std::string& tag);
// The leading run of digits, "." and "," (as ".") of a text, blanks skipped.
std::string LeadingNumberText(const std::string& text);
// Every character is a digit or "." (True for the empty text).
bool IsDigitsAndDots(const std::string& text);

} // namespace dm::update
