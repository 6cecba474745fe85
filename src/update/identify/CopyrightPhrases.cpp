#include "update/identify/TextCleanup.h"

#include "framework/IntegerText.h"
#include "framework/TextUtils.h"

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
void DropForward(std::string& s, const std::string& word) {
    s.erase(0, std::min(s.size(), word.size() + 1));
}

void DropBackward(std::string& s, const std::string& word) {
    s.erase(s.size() - std::min(s.size(), word.size() + 1));
}

bool IsYear(const std::string& word) {
    return word.size() == 4 && StrToIntDef(word, 0) > 1990;
}

bool IsTwoDigitNumber(const std::string& word) {
    return word.size() == 2 && StrToIntDef(word, 0) > 0;
}

bool IsLeadingWord(const std::string& w) {
    return SameText(w, "C") || SameText(w, "(C)") || SameText(w, "copyright") ||
           SameText(w, "by") || w == "," || w == kCopyrightSign;
}

bool IsTrailingWord(const std::string& w) {
    return SameText(w, "(C)") || SameText(w, "copyright") || w == "," || w == kCopyrightSign ||
           IsYear(w) || IsTwoDigitNumber(w);
}

std::string LastField(const std::string& s, const std::string& delims) {
    return GetField(s, CountFields(s, delims) - 1, delims);
}

void DropRightsPhrase(std::string& s, const std::string& phrase) {
    if (const std::string w = LastField(s, ","); SameText(w, phrase))
        DropBackward(s, w);
    // The last-but-one field between dots, with its dot: dropped only where the text ends with it.
    if (const std::string w = GetField(s, CountFields(s, ".") - 2, ".") + ".";
        SameText(w, phrase) && s.ends_with(w))
        DropBackward(s, w);
    if (const std::string w = RightText(s, static_cast<int>(phrase.size())); SameText(w, phrase))
        DropBackward(s, w);
}

// One pass over the text.
std::string StripOnce(std::string s) {
    if (s.ends_with(','))
        s.pop_back();
    if (s.starts_with(','))
        s.erase(0, 1);
    if (const std::string w = GetField(s, 0, " -"); IsLeadingWord(w))
        DropForward(s, w);
    s = RemovePrefixText(s, "(c)");
    s = RemovePrefixText(s, "c)");
    if (const std::string w = GetField(s, 0, " -,"); IsYear(w))
        DropForward(s, w);
    if (CountFields(s, "/") > 1)
        if (const std::string w = GetField(s, 0, "/"); w.size() == 4 || IsTwoDigitNumber(w))
            DropForward(s, w);
    if (const std::string w = LastField(s, " -"); IsTrailingWord(w))
        DropBackward(s, w);
    if (s.size() > 1 && s.ends_with('-'))
        s.pop_back();
    for (const auto phrase : kTrailingLicencePhrases)
        if (EndsText(s, std::string(phrase)))
            s.erase(s.size() - phrase.size());
    s = TrimText(s);
    for (const auto phrase : kRightsPhrases)
        DropRightsPhrase(s, std::string(phrase));
    s = TrimText(s);
    if (s.size() > 1) {
        if (s.starts_with('-'))
            s.erase(0, 1);
        if (s.ends_with('-'))
            s.pop_back();
    }
    if (s.size() > 5 && s.ends_with('.') && StrToIntDef(s.substr(s.size() - 5, 4), 0) > 1990)
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
    for (std::string next = StripOnce(current); next != current; next = StripOnce(current))
        current = std::move(next);
    return current;
}

} // namespace dm::update
