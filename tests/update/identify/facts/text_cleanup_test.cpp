// Tests of the text clean-ups: one pass as good as repeated passes, long texts, tags, numbers.
#include "update/identify/facts/TextCleanup.h"

#include "framework/TextUtils.h"
#include "platform/text/IntegerText.h"
#include "platform/text/TextLines.h"
#include "update/identify/facts/CopyrightPhraseTables.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace dm::update {
namespace {

struct Case {
    std::string in;
    std::string out;
};

// The clean-ups as first written: a whole-text pass repeated until nothing changes. The one-pass
// clean-ups must give the same result on every text.
namespace reference {

std::string cleanCompanyText(const std::string& text) {
    std::string current = text;
    for (;;) {
        std::string s = trimText(StripTrailingUrls(current));
        s = RemovePrefixText(s, "?");
        s = RemoveSuffixText(s, " -");
        if (s == "@")
            s.clear();
        if (s == current)
            return s;
        current = std::move(s);
    }
}

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
           SameText(w, "by") || w == "," || w == "\xA9";
}

bool isTrailingWord(const std::string& w) {
    return SameText(w, "(C)") || SameText(w, "copyright") || w == "," || w == "\xA9" || isYear(w) ||
           isTwoDigitNumber(w);
}

std::string lastField(const std::string& s, const std::string& delims) {
    return GetField(s, CountFields(s, delims) - 1, delims);
}

void dropRightsPhrase(std::string& s, const std::string& phrase) {
    if (const std::string w = lastField(s, ","); SameText(w, phrase))
        dropBackward(s, w);
    if (const std::string w = GetField(s, CountFields(s, ".") - 2, ".") + ".";
        SameText(w, phrase) && s.ends_with(w))
        dropBackward(s, w);
    if (const std::string w = RightText(s, static_cast<int>(phrase.size())); SameText(w, phrase))
        dropBackward(s, w);
}

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

std::string stripCopyrightPhrases(const std::string& text) {
    std::string current = text;
    for (std::string next = stripOnce(current); next != current; next = stripOnce(current))
        current = std::move(next);
    return current;
}

} // namespace reference

// Texts made of the pieces the clean-ups look for, in random order and number.
std::vector<std::string> randomTexts(std::size_t count) {
    std::vector<std::string> pieces = {"C",
                                       "c",
                                       "(C)",
                                       "(c)",
                                       "c)",
                                       "copyright",
                                       "Copyright",
                                       "by",
                                       "BY",
                                       ",",
                                       "\xA9",
                                       "\xC2\xA9",
                                       "2019",
                                       "1990",
                                       "1991",
                                       "07",
                                       "00",
                                       "12",
                                       "2003/2004",
                                       "12/04",
                                       "/",
                                       "-",
                                       " ",
                                       "  ",
                                       "\t",
                                       "\r",
                                       ".",
                                       "..",
                                       "?",
                                       "@",
                                       "http://a.example",
                                       "HTTPS://b.example",
                                       "www.x",
                                       "Acme",
                                       "Inc",
                                       "Ltd",
                                       "x",
                                       "2005.",
                                       " -",
                                       "All",
                                       "Rights",
                                       "Reserved",
                                       "reserved.",
                                       "under",
                                       "the",
                                       "GPL",
                                       "GPL."};
    const auto addPieces = [&pieces](const auto& table) {
        pieces.insert(pieces.end(), table.begin(), table.end());
    };
    addPieces(kTrailingLicencePhrases);
    addPieces(kRightsPhrases);
    addPieces(kLeadingTexts);
    addPieces(kTrailingTexts);
    std::mt19937 random(20261210);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i) {
        std::string text;
        const auto length = random() % 14;
        for (std::size_t j = 0; j < length; ++j) {
            text += pieces[random() % pieces.size()];
            if (random() % 3 == 0)
                text += random() % 2 ? " " : "";
        }
        texts.push_back(text);
    }
    return texts;
}

TEST(TextCleanups, OnePassGivesWhatTheRepeatedWholeTextPassesGave) {
    const auto texts = randomTexts(100000);
    std::size_t changed = 0;
    for (const auto& text : texts) {
        const std::string stripped = StripCopyrightPhrases(text);
        ASSERT_EQ(stripped, reference::stripCopyrightPhrases(text)) << "'" << text << "'";
        ASSERT_EQ(CleanCompanyText(text), reference::cleanCompanyText(text)) << "'" << text << "'";
        changed += stripped != text ? 1 : 0;
    }
    // The texts reach the clean-ups' cuts, not only their way through.
    EXPECT_GT(changed, texts.size() / 2);
}

TEST(TextCleanups, LongTextsAreCleanedAsBefore) {
    std::string words;
    std::string marks;
    for (int i = 0; i < 2000; ++i) {
        words += i % 2 ? "C " : "2019 ";
        marks += "? ";
    }
    for (const std::string& text :
         {words + "Acme", "Acme " + words, marks + "Acme http://a.example", "Acme" + words + "-",
          std::string(3000, '?') + " " + std::string(3000, 'x') + " -"}) {
        EXPECT_EQ(StripCopyrightPhrases(text), reference::stripCopyrightPhrases(text));
        EXPECT_EQ(CleanCompanyText(text), reference::cleanCompanyText(text));
    }
}

TEST(CleanCompanyText, DropsMarksAndAddressesUntilNothingChanges) {
    const std::vector<Case> cases = {
        {"? Acme -", "Acme"},
        {"@", ""},
        {" @ ", ""},
        {"Acme https://acme.example", "Acme"},
        {"Acme http://a.example HTTPS://b.example", "Acme"},
        {"??? Acme - -", "Acme"},
        {"Acme", "Acme"},
        {"", ""},
        {"@@", "@@"},
        {"Acme-", "Acme-"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CleanCompanyText(c.in), c.out) << "'" << c.in << "'";
}

TEST(CleanCompanyText, LongRunsOfMarksNeedNoDeepRecursion) {
    EXPECT_EQ(CleanCompanyText(std::string(20000, '?') + "Acme"), "Acme");
}

TEST(StripCopyrightPhrases, DropsMarksYearsAndPhrases) {
    const std::vector<Case> cases = {
        {"Copyright (C) 2019 Acme Inc. All Rights Reserved.", "Acme Inc"},
        {"", ""},
        {"Copyright", ""}, // the word is dropped with a separator it does not have
        {"(C)", ""},
        {"\xA9 2005-2010 Acme", "Acme"},
        {"Copyright \xA9 Acme Corp", "Acme Corp"},
        {"by Acme", "Acme"},
        {"c) Acme", "Acme"},
        {"2003/2004 Acme", "Acme"},
        {"12/04 Acme", "04 Acme"}, // a two-digit field before "/" goes, the next is no year
        {"Acme, Copyright", "Acme"},
        {"Acme 2011", "Acme"},
        {"Acme 07", "Acme"},
        {"Acme - ", "Acme"},
        {"Acme Inc, All Rights Reserved", "Acme Inc"},
        {"Acme Inc. All Rigths Reserved", "Acme Inc"},
        {"Acme Ltd 2006.", "Acme Ltd"},
        {"Acme under the GPL", "Acme"},
        {"Acme. This software is licensed under the terms of the GNU General Public License.",
         "Acme"},
        {"Copyright(c)Acme", "Acme"},
        {"Copyright\xC2\xA9 Acme", "Acme"},
        {"All rights reserved worldwide Acme", "Acme"},
        {"Acme No rights reserved.", "Acme"},
        {",Acme,", "Acme"},
        {"-Acme-", "Acme"},
        {"Acme", "Acme"},
        {"copyright Acme 1999-2001", "Acme"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripCopyrightPhrases(c.in), c.out) << "'" << c.in << "'";
}

TEST(StripCopyrightPhrases, RightsPhraseBetweenDotsIsDroppedOnlyAtTheEnd) {
    // The last-but-one field between dots is " All Rights Reserved", but the text goes on after
    // its dot: nothing is cut from the end.
    EXPECT_EQ(StripCopyrightPhrases("Acme. All Rights Reserved.x"), "Acme. All Rights Reserved.x");
}

TEST(StripCopyrightPhrases, ShortTextsAreNeverOverCut) {
    for (const std::string text : {"C", "by", ",", "\xA9", "07", "2019", "1/2", "a/b", "-", "--"})
        EXPECT_NO_THROW(StripCopyrightPhrases(text)) << text;
    EXPECT_EQ(StripCopyrightPhrases("by"), "");
    EXPECT_EQ(StripCopyrightPhrases("2019"), "");
}

TEST(StripCopyrightPhrases, LongTextsEndWithoutDeepRecursion) {
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "(C) ";
    EXPECT_EQ(StripCopyrightPhrases(text + "Acme"), "Acme");
}

TEST(ExtractTagText, TakesTheLastLineWithTheTag) {
    const TextLines lines("<assembly>\r\n"
                          "  <description>First</description>\n"
                          "  <Description>Second</Description>\r"
                          "</assembly>\n");
    EXPECT_EQ(ExtractTagText("Description", lines), "Second");
    // Lines are found ignoring case, the tags are cut with case.
    EXPECT_EQ(ExtractTagText("description", lines), "<Description>Second</Description>");
    EXPECT_EQ(ExtractTagText("description", TextLines("<description>First</description>")),
              "First");
    EXPECT_EQ(ExtractTagText("name", lines), "");
    EXPECT_EQ(ExtractTagText("v", TextLines("<v>1</v> <v>2</v>\r\nrest\n")), "1");
    EXPECT_EQ(
        ExtractTagText("description", TextLines("<description>App name goes here</description>")),
        "");
}

TEST(ExtractTagText, ALongTextIsCut) {
    const std::string text(100000, 'a');
    EXPECT_EQ(ExtractTagText("copyright", TextLines("<copyright>" + text + "</copyright>")),
              text.substr(0, kMaxRuleText));
}

TEST(TextLines, BreakAtEveryKindOfLineEndAsTextToLines) {
    for (const std::string text :
         {"", "a", "a\n", "\n", "\n\n", "a\r\nb", "a\rb\r", "a\n\rb", "a\r\n\r\n", "\r", "\r\r\n",
          "x\ny\nz", "a\rb\nc", "ab\rc\r\nd\r"}) {
        std::vector<std::string> walked;
        for (const std::string_view line : TextLines(text))
            walked.emplace_back(line);
        EXPECT_EQ(walked, platform::textToLines(text)) << "'" << text << "'";
    }
}

TEST(ExtractBetweenTags, CutsCommentsAndTags) {
    const std::vector<std::vector<std::string>> cases = {
        // line, tag, result
        {"  <name> Tool </name>  ", "name", "Tool"},
        {"<!-- <name>Old</name> --> <name>New</name>", "name", "Old"},
        {"<name>Open", "name", "Open"},
        {"no tag here", "name", "no tag here"},
        {"<NAME>Caps</NAME>", "name", "<NAME>Caps</NAME>"}, // the tags are cut with case
        {"<name>my app name goes here</name>", "name", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractBetweenTags(c[0], c[1]), c[2]) << c[0];
}

TEST(LeadingNumberText, KeepsTheLeadingDigitsAndDots) {
    const std::vector<Case> cases = {
        {"1, 2, 3, 4 (beta)", "1.2.3.4"},
        {"v1.2", ""},
        {"", ""},
        {"2.5b", "2.5"},
        {"  7 . 1", "7.1"},
        {"12,5", "12.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeadingNumberText(c.in), c.out) << "'" << c.in << "'";
}

TEST(IsDigitsAndDots, AcceptsOnlyDigitsAndDots) {
    EXPECT_TRUE(IsDigitsAndDots(""));
    EXPECT_TRUE(IsDigitsAndDots("1.2.3"));
    EXPECT_TRUE(IsDigitsAndDots(".."));
    EXPECT_FALSE(IsDigitsAndDots("1.2a"));
    EXPECT_FALSE(IsDigitsAndDots("1 2"));
    EXPECT_FALSE(IsDigitsAndDots("1,2"));
}

} // namespace
} // namespace dm::update
