#include "update/identify/TextCleanup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm::update {
namespace {

struct Case {
    std::string in;
    std::string out;
};

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
    const std::vector<std::string> lines = {
        "<assembly>",
        "  <description>First</description>",
        "  <Description>Second</Description>",
        "</assembly>",
    };
    EXPECT_EQ(ExtractTagText("Description", lines), "Second");
    // Lines are found ignoring case, the tags are cut with case.
    EXPECT_EQ(ExtractTagText("description", lines), "<Description>Second</Description>");
    EXPECT_EQ(ExtractTagText("description", {lines[1]}), "First");
    EXPECT_EQ(ExtractTagText("name", lines), "");
    EXPECT_EQ(ExtractTagText("description", {"<description>App name goes here</description>"}), "");
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
