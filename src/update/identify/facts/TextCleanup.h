// Clean-up of texts taken from version resources and manifests.
#pragma once

#include "platform/text/AsciiCase.h"
#include "platform/text/Blanks.h"
#include "update/identify/facts/SideFiles.h"

#include <string>
#include <string_view>

// Clean-up of texts taken from version resources and manifests.
namespace dm::update {

// trimText on a view: without the blanks and control characters at its start and end.
constexpr std::string_view trimmedView(std::string_view text) {
    return platform::trimIf(text, [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
}
// StartsText and EndsText on views: ignoring ASCII case.
inline bool startsTextView(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           platform::sameNameIgnoringCase(text.substr(0, prefix.size()), prefix);
}
inline bool endsTextView(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           platform::sameNameIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

// Drops trailing web addresses, a leading "?", a trailing " -" and a lone "@", until nothing
// changes.
std::string CleanCompanyText(const std::string& text);
// Drops copyright marks, years, rights and licence phrases from a company or copyright text,
// until nothing changes.
std::string StripCopyrightPhrases(const std::string& text);
// ExtractBetweenTags of the last line that holds "<tag>" (ignoring case), cut at kMaxRuleText;
// empty when none does.
std::string ExtractTagText(const std::string& tag, const TextLines& lines);
// The text between "<tag>" and "</tag>" of a line, inside a "<!-- -->" comment when it has one;
// empty for a manifest's "App name goes here" placeholder.
std::string ExtractBetweenTags(const std::string& line, const std::string& tag);
// The leading run of digits, "." and "," (as ".") of a text, blanks skipped.
std::string LeadingNumberText(const std::string& text);
// Every character is a digit or "." (True for the empty text).
bool IsDigitsAndDots(const std::string& text);

} // namespace dm::update
