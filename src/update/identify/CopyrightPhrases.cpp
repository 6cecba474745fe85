#include "update/identify/TextCleanup.h"

#include "framework/TextUtils.h"
#include "platform/text/IntegerText.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace dm::update {

namespace {

const std::string kCopyrightSign = "\xA9";

constexpr std::array<std::string_view, 11> kTrailingLicencePhrases = {
    " under GNU General Public License",
    " under the GPL",
    " under the GNU Public License (GPL)",
    " under GNU General Public License.",
    " under the GPL.",
    " under the GNU Public License (GPL).",
    "Freeware licensed under GPL",
    "This file is set under the General Public License.",
    "GNU General Public License v2",
    "Gnu General Public License (GPL, Copyleft)",
    ". This software is licensed under the terms of the GNU General Public License.",
};

constexpr std::array<std::string_view, 5> kRightsPhrases = {
    " All Rights Reserved.", " All Rights Reserved", " All Rigths Reserved.",
    " All Rigths Reserved",  ".All Rights Reserved",
};

constexpr std::array<std::string_view, 16> kLeadingTexts = {
    "\xA9",
    "Copyrights \xA9",
    "Copyright\xA9",
    "Copyright(c)",
    "Copyright\xC2\xA9",
    "Copyrights \xC2\xA9",
    "Copyright(r)",
    "Copyright?",
    "All rights reserved worldwide",
    "All Rights Reserved (C)",
    "All rights reserved",
    "(C)All rights reserved",
    "All rights reserverd",
    "All Rights Reversed",
    "\xC2\xA9",
    "\xA9",
};

constexpr std::array<std::string_view, 5> kTrailingTexts = {
    "All rights reserved.",
    "All right reserved.",
    "Some right reserved.",
    "No rights reserved.",
    "This software is protected by international and romanian copyright and trade laws.",
};

// The word and the one separator after it, or the separator before it and the word; never more
// characters than the text has.
void dropForward(std::string& s, const std::string& word) {
    s.erase(0, std::min(s.size(), word.size() + 1));
}

void dropBackward(std::string& s, const std::string& word) {
    s.erase(s.size() - std::min(s.size(), word.size() + 1));
}

bool isYear(const std::string& word) {
    return word.size() == 4 && platform::StrToIntDef(word, 0) > 1990;
}

bool isTwoDigitNumber(const std::string& word) {
    return word.size() == 2 && platform::StrToIntDef(word, 0) > 0;
}

bool isLeadingWord(const std::string& w) {
    return SameText(w, "C") || SameText(w, "(C)") || SameText(w, "copyright") ||
           SameText(w, "by") || w == "," || w == kCopyrightSign;
}

bool isTrailingWord(const std::string& w) {
    return SameText(w, "(C)") || SameText(w, "copyright") || w == "," || w == kCopyrightSign ||
           isYear(w) || isTwoDigitNumber(w);
}

std::string lastField(const std::string& s, const std::string& delims) {
    return GetField(s, CountFields(s, delims) - 1, delims);
}

void dropRightsPhrase(std::string& s, const std::string& phrase) {
    if (const std::string w = lastField(s, ","); SameText(w, phrase))
        dropBackward(s, w);
    // The last-but-one field between dots, with its dot: dropped only where the text ends with it.
    if (const std::string w = GetField(s, CountFields(s, ".") - 2, ".") + ".";
        SameText(w, phrase) && s.ends_with(w))
        dropBackward(s, w);
    if (const std::string w = RightText(s, static_cast<int>(phrase.size())); SameText(w, phrase))
        dropBackward(s, w);
}

// One pass over the text.
std::string stripOnce(std::string s) {
    if (s.ends_with(','))
        s.pop_back();
    if (s.starts_with(','))
        s.erase(0, 1);
    if (const std::string w = GetField(s, 0, " -"); isLeadingWord(w))
        dropForward(s, w);
    s = RemovePrefixText(s, "(c)");
    s = RemovePrefixText(s, "c)");
    if (const std::string w = GetField(s, 0, " -,"); isYear(w))
        dropForward(s, w);
    if (CountFields(s, "/") > 1)
        if (const std::string w = GetField(s, 0, "/"); w.size() == 4 || isTwoDigitNumber(w))
            dropForward(s, w);
    if (const std::string w = lastField(s, " -"); isTrailingWord(w))
        dropBackward(s, w);
    if (s.size() > 1 && s.ends_with('-'))
        s.pop_back();
    for (const auto phrase : kTrailingLicencePhrases)
        if (EndsText(s, std::string(phrase)))
            s.erase(s.size() - phrase.size());
    s = trimText(s);
    for (const auto phrase : kRightsPhrases)
        dropRightsPhrase(s, std::string(phrase));
    s = trimText(s);
    if (s.size() > 1) {
        if (s.starts_with('-'))
            s.erase(0, 1);
        if (s.ends_with('-'))
            s.pop_back();
    }
    if (s.size() > 5 && s.ends_with('.') &&
        platform::StrToIntDef(s.substr(s.size() - 5, 4), 0) > 1990)
        s.erase(s.size() - 5);
    for (const auto text : kLeadingTexts)
        s = RemovePrefixText(s, std::string(text));
    for (const auto text : kTrailingTexts)
        s = RemoveSuffixText(s, std::string(text));
    return s;
}

} // namespace

std::string StripCopyrightPhrases(const std::string& text) {
    // Every pass only removes characters, so the loop ends.
    std::string current = text;
    for (std::string next = stripOnce(current); next != current; next = stripOnce(current))
        current = std::move(next);
    return current;
}

} // namespace dm::update
