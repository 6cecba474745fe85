// Strips licence and rights phrases and the copyright sign from a copyright text.
#include "update/identify/facts/TextCleanup.h"

#include "platform/text/IntegerText.h"
#include "update/identify/facts/CopyrightPhraseTables.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace dm::update {

namespace {

constexpr std::string_view kCopyrightSign = "\xA9";

bool sameText(std::string_view a, std::string_view b) {
    return platform::sameNameIgnoringCase(a, b);
}

void removePrefixText(std::string_view& s, std::string_view prefix) {
    if (startsTextView(s, prefix))
        s.remove_prefix(prefix.size());
}

void removeSuffixText(std::string_view& s, std::string_view suffix) {
    if (endsTextView(s, suffix))
        s.remove_suffix(suffix.size());
}

// The first field of s split at any of delims, when it has at most maxSize characters; nothing
// when it is longer. Only the first maxSize + 1 characters are looked at. delimited tells whether
// a delimiter ends the field (else the field is the whole text).
std::optional<std::string_view> firstField(std::string_view s, std::string_view delims,
                                           std::size_t maxSize, bool* delimited = nullptr) {
    const auto at = s.substr(0, maxSize + 1).find_first_of(delims);
    if (delimited)
        *delimited = at != std::string_view::npos;
    if (at != std::string_view::npos)
        return s.substr(0, at);
    if (s.size() <= maxSize)
        return s;
    return std::nullopt;
}

// The last field of s split at any of delims, when it has at most maxSize characters; nothing
// when it is longer. Only the last maxSize + 1 characters are looked at.
std::optional<std::string_view> lastField(std::string_view s, std::string_view delims,
                                          std::size_t maxSize) {
    const std::size_t from = s.size() > maxSize + 1 ? s.size() - (maxSize + 1) : 0;
    const auto at = s.substr(from).find_last_of(delims);
    if (at != std::string_view::npos)
        return s.substr(from + at + 1);
    if (s.size() <= maxSize)
        return s;
    return std::nullopt;
}

// The word and the one separator after it, or the separator before it and the word; never more
// characters than the text has.
void dropForward(std::string_view& s, std::string_view word) {
    s.remove_prefix(std::min(s.size(), word.size() + 1));
}

void dropBackward(std::string_view& s, std::string_view word) {
    s.remove_suffix(std::min(s.size(), word.size() + 1));
}

bool isYear(std::string_view word) {
    return word.size() == 4 && platform::StrToIntDef(word, 0) > 1990;
}

bool isTwoDigitNumber(std::string_view word) {
    return word.size() == 2 && platform::StrToIntDef(word, 0) > 0;
}

// The longest leading or trailing word: "copyright".
constexpr std::size_t kLongestWord = 9;

bool isLeadingWord(std::string_view w) {
    return sameText(w, "C") || sameText(w, "(C)") || sameText(w, "copyright") ||
           sameText(w, "by") || w == "," || w == kCopyrightSign;
}

bool isTrailingWord(std::string_view w) {
    return sameText(w, "(C)") || sameText(w, "copyright") || w == "," || w == kCopyrightSign ||
           isYear(w) || isTwoDigitNumber(w);
}

void dropRightsPhrase(std::string_view& s, std::string_view phrase) {
    // The last field between commas.
    if (const auto w = lastField(s, ",", phrase.size()); w && sameText(*w, phrase))
        dropBackward(s, *w);
    // The last-but-one field between dots, with its dot: dropped only where the text ends with it.
    if (s.ends_with('.'))
        if (const auto w = lastField(s.substr(0, s.size() - 1), ".", phrase.size());
            w && w->size() + 1 == phrase.size() && sameText(*w, phrase.substr(0, w->size())) &&
            phrase.back() == '.')
            dropBackward(s, phrase);
    if (s.size() >= phrase.size() && sameText(s.substr(s.size() - phrase.size()), phrase))
        dropBackward(s, phrase);
}

// One pass over the text; it only narrows the view.
void stripOnce(std::string_view& s) {
    if (s.ends_with(','))
        s.remove_suffix(1);
    if (s.starts_with(','))
        s.remove_prefix(1);
    if (const auto w = firstField(s, " -", kLongestWord); w && isLeadingWord(*w))
        dropForward(s, *w);
    removePrefixText(s, "(c)");
    removePrefixText(s, "c)");
    if (const auto w = firstField(s, " -,", 4); w && isYear(*w))
        dropForward(s, *w);
    bool delimited = false;
    if (const auto w = firstField(s, "/", 4, &delimited);
        w && delimited && (w->size() == 4 || isTwoDigitNumber(*w)))
        dropForward(s, *w);
    if (const auto w = lastField(s, " -", kLongestWord); w && isTrailingWord(*w))
        dropBackward(s, *w);
    if (s.size() > 1 && s.ends_with('-'))
        s.remove_suffix(1);
    for (const auto phrase : kTrailingLicencePhrases)
        removeSuffixText(s, phrase);
    s = trimmedView(s);
    for (const auto phrase : kRightsPhrases)
        dropRightsPhrase(s, phrase);
    s = trimmedView(s);
    if (s.size() > 1) {
        if (s.starts_with('-'))
            s.remove_prefix(1);
        if (s.ends_with('-'))
            s.remove_suffix(1);
    }
    if (s.size() > 5 && s.ends_with('.') &&
        platform::StrToIntDef(s.substr(s.size() - 5, 4), 0) > 1990)
        s.remove_suffix(5);
    for (const auto text : kLeadingTexts)
        removePrefixText(s, text);
    for (const auto text : kTrailingTexts)
        removeSuffixText(s, text);
}

} // namespace

std::string StripCopyrightPhrases(const std::string& text) {
    // Every pass only narrows the view, so the loop ends; a pass that changes nothing ends it.
    std::string_view s = text;
    for (std::size_t size = s.size() + 1; s.size() != size;) {
        size = s.size();
        stripOnce(s);
    }
    return std::string(s);
}

} // namespace dm::update
