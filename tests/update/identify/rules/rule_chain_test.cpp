// Tests of the rule chain interpreter: checks, steps, row order, endings and hooks.
#include "update/identify/rules/RuleChain.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace dm::update {
namespace {

using namespace rules;

enum Field { kOut, kText, kOther, kNumber, kFieldCount };

// The interpreter needs only the texts; the hooks of this chain also record their arguments.
struct TestValues {
    std::array<std::string, kFieldCount> texts;
    std::vector<std::string> hookArgs;
};

} // namespace

template <> struct ChainOf<Field> { using Values = TestValues; };

namespace {

bool recordsAndHolds(TestValues& v, const std::string& arg) {
    v.hookArgs.push_back(arg);
    return arg == "yes";
}

bool appendsArg(TestValues& v, const std::string& arg) {
    v.texts[kOut] += arg;
    return !arg.empty();
}

struct CheckCase {
    const char* what;
    Check<TestValues> check;
    std::string text;
    std::string other;
    bool expected;
};

TEST(RuleChain, ChecksFollowTheirTextRules) {
    const std::vector<CheckCase> cases = {
        {"is folds ASCII", is(kText, "abc"), "ABC", "", true},
        {"is folds no other byte", is(kText, "\xE9"), "\xC9", "", false},
        {"is exactly", isExactly(kText, "abc"), "ABC", "", false},
        {"starts", starts(kText, "ab"), "ABcd", "", true},
        {"starts empty", starts(kText, ""), "x", "", true},
        {"starts exactly", startsExactly(kText, "ab"), "ABcd", "", false},
        {"ends", ends(kText, ".EXE"), "a.exe", "", true},
        {"ends longer", ends(kText, "xa.exe"), "a.exe", "", false},
        {"has", has(kText, "MID"), "amidb", "", true},
        {"has empty sub", has(kText, ""), "abc", "", false},
        {"has in empty", has(kText, "a"), "", "", false},
        {"has exactly", hasExactly(kText, "MID"), "amidb", "", false},
        {"has exactly found", hasExactly(kText, "mid"), "amidb", "", true},
        {"negated", !has(kText, "x"), "abc", "", true},
        {"empty", empty(kText), "", "", true},
        {"not empty", !empty(kText), "a", "", true},
        {"longer than", longerThan(kText, 3), "abcd", "", true},
        {"not longer than", longerThan(kText, 4), "abcd", "", false},
        {"shorter than", shorterThan(kText, 3), "ab", "", true},
        {"digit at", digitAt(kText, 3), "ab7", "", true},
        {"digit past end", digitAt(kText, 4), "ab7", "", false},
        {"found after", foundAfter(kText, " CS", 7), "Adobe X CS5", "", true},
        {"found too early", foundAfter(kText, " CS", 7), "Adobe CS5", "", false},
        {"found after is exact", exactly(foundAfter(kText, " CS", 1)), "Adobe X cs5", "", false},
        {"word count", words(kText, 2), "a b", "", true},
        {"double space counts", words(kText, 2), "a  b", "", false},
        {"words above", wordsAbove(kText, 2), "a b c", "", true},
        {"no words", words(kText, 0), "", "", true},
        {"at least", atLeast(kText, 2001), "2001", "", true},
        {"below", below(kText, 8), "7", "", true},
        {"not a number reads 0", below(kText, 1), "x", "", true},
        {"equals", equals(kText, 2), "2", "", true},
        {"between", between(kText, 2001, 2099), "2099", "", true},
        {"above between", between(kText, 2001, 2099), "2100", "", false},
        {"only chars", onlyChars(kText, "0123456789.-"), "1-2.3", "", true},
        {"only chars empty", onlyChars(kText, "0"), "", "", true},
        {"only chars fails", onlyChars(kText, "0123456789."), "1a", "", false},
        {"digits after", digitsAfter(kText, "am"), "AM7.2", "", true},
        {"digits after empty rest", digitsAfter(kText, "am"), "am", "", true},
        {"digits after fails", digitsAfter(kText, "am"), "amx", "", false},
        {"against field", against(startsExactly(kText, {}), kOther), "Name Desc", "Name", true},
        {"against empty field", against(startsExactly(kText, {}), kOther), "Desc", "", true},
        {"numbers against field", against(atLeast(kText, 0), kOther), "3", "4", false},
        {"any", any({is(kText, "a"), is(kText, "b")}), "b", "", true},
        {"any none", any({is(kText, "a"), is(kText, "b")}), "c", "", false},
        {"all", all({starts(kText, "a"), ends(kText, "c")}), "abc", "", true},
        {"negated group", !any({is(kText, "a"), is(kText, "b")}), "c", "", true},
        {"nested",
         any({all({has(kText, "E"), any({has(kText, "S"), has(kText, "V")})}), starts(kText, "Z")}),
         "EV", "", true},
    };
    for (const auto& c : cases) {
        TestValues v;
        v.texts[kText] = c.text;
        v.texts[kOther] = c.other;
        EXPECT_EQ(holds(c.check, v), c.expected) << c.what << " on '" << c.text << "'";
    }
}

struct StepCase {
    const char* what;
    RuleStep<TestValues> step;
    std::string before;
    std::string after;
};

TEST(RuleChain, StepsEditTheBuiltText) {
    const std::vector<StepCase> cases = {
        {"set", set("X"), "a", "X"},
        {"set keeps spaces", set("S "), "a", "S "},
        {"set from field", setField(kOther), "a", "other"},
        {"append", append(" Pro"), "a", "a Pro"},
        {"append field", appendField(kNumber), "a ", "a 2023"},
        {"prepend", prepend("FreeOffice "), "Writer", "FreeOffice Writer"},
        {"replace ignores case", replace("steuer:", "Steuer-"),
         "a STEUER:b steuer:", "a Steuer-b Steuer-"},
        {"replace grows safely", replace("Java(TM)", "JavaFX(TM)"), "Java(TM) x", "JavaFX(TM) x"},
        {"replace exactly", replaceExactly("G DATA", "G Data"), "G DATA g data", "G Data g data"},
        {"replace empty", replace("", "x"), "ab", "ab"},
        {"drop prefix", dropPrefix("flashpeak "), "FlashPeak Slim", "Slim"},
        {"drop prefix absent", dropPrefix("x"), "abc", "abc"},
        {"drop suffix once", dropSuffix(".exe"), "a.exe.EXE", "a.exe"},
        {"trim", trim(), " \ta b ", "a b"},
        {"clear", clear(), "abc", ""},
        {"left", left(1), "abc", "a"},
        {"append sum", appendSum(kNumber, -1994), "n ", "n 29"},
        {"cut at word", cutAtWord("CS"), "Adobe Photoshop CS5 Extended", "Adobe Photoshop"},
        {"cut at first word", cutAtWord("CS"), "CS3 x", ""},
        {"hook", hook(appendsArg, "!"), "a", "a!"},
    };
    for (const auto& c : cases) {
        TestValues v;
        v.texts[kOut] = c.before;
        v.texts[kOther] = "other";
        v.texts[kNumber] = "2023";
        const RuleRow<TestValues> rows[] = {{"1", {}, {c.step}}};
        runRules(rows, v);
        EXPECT_EQ(v.texts[kOut], c.after) << c.what;
    }
}

TEST(RuleChain, EveryRowRunsAndALaterRowSeesAndOverridesAnEarlierOne) {
    const RuleRow<TestValues> rows[] = {
        {"1", {has(kOut, "steuer")}, {replace("Steuer:", "Steuer-")}},
        {"2",
         {is(kOut, "WISO steuer-Start"), between(kNumber, 2001, 2099)},
         {append(" "), appendField(kNumber)}},
        {"3", {starts(kOut, "WISO")}, {append("!")}},
        {"4", {is(kOut, "nothing")}, {set("never")}},
    };
    TestValues v;
    v.texts[kOut] = "WISO Steuer:Start";
    v.texts[kNumber] = "2023";
    EXPECT_FALSE(runRules(rows, v));
    EXPECT_EQ(v.texts[kOut], "WISO Steuer-Start 2023!");
}

TEST(RuleChain, StepsTestTheirOwnConditionOnWhatTheLastStepLeft) {
    const RuleRow<TestValues> rows[] = {
        {"1",
         {is(kOut, "AMP")},
         {when({is(kText, "zam")}, set("Zemana AntiLogger")),
          when({is(kOut, "Zemana AntiLogger")}, append(" 2")),
          when({is(kText, "other")}, set("never"))}},
    };
    TestValues v;
    v.texts[kOut] = "AMP";
    v.texts[kText] = "ZAM";
    runRules(rows, v);
    EXPECT_EQ(v.texts[kOut], "Zemana AntiLogger 2");
}

TEST(RuleChain, AfterRulesEndTheChain) {
    struct Case {
        const char* what;
        std::vector<RuleRow<TestValues>> rows;
        bool ended;
        std::string out;
    };
    const std::vector<Case> cases = {
        {"ends when it fires",
         {{"1", {empty(kOut)}, {set("A")}, After::Ends}, {"2", {}, {set("B")}}},
         true,
         "A"},
        {"goes on when it does not fire",
         {{"1", {has(kOut, "x")}, {set("A")}, After::Ends}, {"2", {}, {set("B")}}},
         false,
         "B"},
        {"ends when a hook takes",
         {{"1", {}, {hook(appendsArg, "A")}, After::EndsWhenTaken}, {"2", {}, {append("B")}}},
         true,
         "A"},
        {"goes on when a hook does not take",
         {{"1", {}, {hook(appendsArg, "")}, After::EndsWhenTaken}, {"2", {}, {append("B")}}},
         false,
         "B"},
        {"goes on when no step ran",
         {{"1", {}, {when({has(kOut, "x")}, set("A"))}, After::EndsWhenTaken},
          {"2", {}, {append("B")}}},
         false,
         "B"},
        {"an end step ends",
         {{"1", {}, {clear(), end(), set("A")}}, {"2", {}, {set("B")}}},
         true,
         ""},
    };
    for (const auto& c : cases) {
        TestValues v;
        EXPECT_EQ(runRules(c.rows, v), c.ended) << c.what;
        EXPECT_EQ(v.texts[kOut], c.out) << c.what;
    }
}

TEST(RuleChain, HookChecksRunOnlyWhenTheEarlierChecksHold) {
    const RuleRow<TestValues> rows[] = {
        {"1", {is(kOut, "a"), probe(recordsAndHolds, "yes")}, {set("b")}},
        {"2", {is(kOut, "zzz"), probe(recordsAndHolds, "never")}, {set("c")}},
        {"3", {probe(recordsAndHolds, "no")}, {set("d")}},
    };
    TestValues v;
    v.texts[kOut] = "a";
    runRules(rows, v);
    EXPECT_EQ(v.texts[kOut], "b");
    EXPECT_EQ(v.hookArgs, (std::vector<std::string>{"yes", "no"}));
}

} // namespace
} // namespace dm::update
