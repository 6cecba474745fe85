// Tests of the version rule tables: order, conditions, endings and spot checks.
#include "update/identify/version/VersionRules.h"

#include "update/identify/version/VersionRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm::update {
namespace {

struct Group {
    char letter;
    std::span<const VersionRow> rows;
    std::size_t count;
    std::size_t first = 1; // the number of the table's first row in its group
};

std::vector<Group> groups() {
    return {{'A', shortCodeRules(), 9},
            {'B', earlyRules(), 11},
            {'C', beforeReadingRules(), 37},
            {'D', adjustmentRules(), 13},
            {'E', recordRules(), 28},
            {'F', fileNameRules(), 13},
            {'G', reconciliationOpeningRules(), 2},
            {'G', reconciliationMiddleRules(), 1, 3},
            {'G', reconciliationClosingRules(), 26, 4}};
}

const VersionRow& row(const std::string& id) {
    for (const Group& g : groups())
        for (const VersionRow& r : g.rows)
            if (r.id == id)
                return r;
    throw std::runtime_error("no row " + id);
}

TEST(VersionRules, TablesHoldTheirRowsNumberedInOrder) {
    std::size_t total = 0;
    for (const Group& g : groups()) {
        EXPECT_EQ(g.rows.size(), g.count) << g.letter;
        for (std::size_t i = 0; i < g.rows.size(); ++i)
            EXPECT_EQ(g.rows[i].id, std::string(1, g.letter) + std::to_string(g.first + i));
        total += g.rows.size();
    }
    EXPECT_EQ(total, 140u);
}

TEST(VersionRules, EveryRowHasAConditionAndSomethingToDo) {
    for (const Group& g : groups())
        for (const VersionRow& r : g.rows) {
            EXPECT_FALSE(r.condition.empty()) << r.id;
            EXPECT_FALSE(r.steps.empty()) << r.id;
        }
}

TEST(VersionRules, AfterRulesAsTranscribed) {
    struct Case {
        const char* id;
        After after;
    };
    const Case cases[] = {
        {"A1", After::Ends},           {"A9", After::Ends},          {"B1", After::GoesOn},
        {"B11", After::GoesOn},        {"C1", After::EndsWhenTaken}, {"C2", After::Ends},
        {"C20", After::EndsWhenTaken}, {"C33", After::Ends},         {"C37", After::EndsWhenTaken},
        {"D3", After::GoesOn},         {"D10", After::Ends},         {"D11", After::Ends},
        {"D13", After::EndsWhenTaken}, {"E2", After::GoesOn},        {"E5", After::Ends},
        {"E20", After::EndsWhenTaken}, {"E28", After::GoesOn},       {"F1", After::GoesOn},
        {"F12", After::EndsWhenTaken}, {"G1", After::GoesOn},        {"G2", After::Ends},
        {"G20", After::EndsWhenTaken}, {"G28", After::GoesOn},       {"G29", After::Ends},
    };
    for (const Case& c : cases)
        EXPECT_EQ(row(c.id).after, c.after) << c.id;
}

TEST(VersionRules, RowsEndingWhenTheyFoundSomethingTestTheResult) {
    // "ends when non-empty": the last step ends the chain when the result is not empty.
    for (const char* id : {"C3", "C4", "C5", "C6", "C10", "C11", "C16", "C19", "C23", "E4"}) {
        const VersionRow& r = row(id);
        ASSERT_GE(r.steps.size(), 2u) << id;
        EXPECT_EQ(r.steps.back().op, Op::End) << id;
        ASSERT_EQ(r.steps.back().when.size(), 1u) << id;
        EXPECT_EQ(r.steps.back().when[0].test, update::Test::Empty) << id;
        EXPECT_TRUE(r.steps.back().when[0].negate) << id;
    }
}

TEST(VersionRules, SpotChecksOfConditionsAndArguments) {
    EXPECT_EQ(row("A4").condition[0].text, "KLITE");
    EXPECT_TRUE(row("A4").condition[0].exact);
    EXPECT_EQ(row("C18").condition[0].field, kProductName64);
    EXPECT_EQ(row("C18").steps[0].text, "AMD Software");
    EXPECT_EQ(row("C32").steps[0].text, "upc.exe|UbisoftGameLauncher.exe");
    EXPECT_EQ(row("D9").condition[2].test, update::Test::DigitsAfter);
    EXPECT_EQ(row("D10").condition[1].text, "Google Chrome");
    EXPECT_TRUE(row("D10").condition[1].exact);
    EXPECT_EQ(row("E8").steps[0].source, kProductVersion);
    EXPECT_EQ(row("F5").condition[0].field, kFileName);
    EXPECT_EQ(row("G12").condition[1].text, ".exe");
    EXPECT_TRUE(row("G12").condition[1].exact);
    EXPECT_EQ(row("G21").steps[0].text, "runinfo.ini|version|version");
    EXPECT_EQ(row("G23").condition[0].text, "Spybot - Search & Destroy");
    EXPECT_EQ(row("G29").condition[0].text, "SoftMaker ");
}

} // namespace
} // namespace dm::update
