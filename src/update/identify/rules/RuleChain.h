#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The one interpreter of the identification rule chains (product name, company, version).
//
// A chain is a table of RuleRow, one row per line, in order. A row is:
//   {id, condition, steps, after}
//   - condition: checks that must all hold; any(...) and all(...) group them, !check negates;
//   - steps: effects made in order on field 0 (the text the chain builds), each optionally
//     guarded by its own condition (when(...)), each seeing what the previous one left;
//   - after: the row goes on (default), ends the chain when it fires, or ends it when a step
//     was taken (a plain step that ran, or a hook step that reported true).
// Fields are the chain's own: an enum indexing the texts of its RuleValues, field 0 being the
// text it builds. Tests fold ASCII letters only unless made exact (isExactly, exactly(...)).
//
//   using namespace dm::update::rules;
//   const RuleRow kRows[] = {
//       {"A20", {is(kName, "Storage Executive"), has(kCompany, "Micron")}, {prepend("Micron ")}},
//       {"A1", {empty(kName), is(kFile, "nsis")}, {set("NSIS")}, After::Ends},
//       {"A9", {starts(kName, "Tcl ")}, {when({has(kFile, "x")}, set("Tcl")), trim()}},
//       {"A5", {is(kName, "X"), probe(readsSomething, "arg")}, {hook(writesSomething, "arg")}},
//   };
//   bool ended = runRules(kRows, values);
//
// Hooks are plain functions for the rows that read outside data (files, registry, programs);
// they receive the chain's RuleValues (cast it to the chain's own derived type) and the text
// argument of their check or step.
namespace dm::update {

struct RuleValues {
    std::span<std::string> fields; // indexed by the chain's field enum; [0] is the built text
};

using RuleHook = bool (*)(RuleValues& values, const std::string& arg);

enum class Test : unsigned char {
    Is,          // equal
    Starts,      // starts with (an empty text always does)
    Ends,        // ends with (an empty text always does)
    Has,         // contains (never an empty text, never in an empty field)
    Empty,       // the field is empty
    LengthAbove, // more than number characters
    LengthBelow, // fewer than number characters
    DigitAt,     // the character at position number (from 1) is a digit
    FoundAfter,  // text found at a position (from 1) above number
    WordCount,   // number of " "-separated fields equals number
    WordsAbove,  // more than number " "-separated fields
    AtLeast,     // the field read as an integer is at least number (or the other field)
    Below,       // ... below number (or the other field)
    Equals,      // ... equals number
    OnlyChars,   // every character of the field is one of text (an empty field passes)
    DigitsAfter, // starts with text and the rest is digits and dots (an empty rest passes)
    Hook,        // the hook holds
    All,         // every check of group holds
    Any,         // one check of group holds
};

struct Check {
    Test test = Test::All;
    int field = 0;
    std::string text; // the operand, unless other is a field
    int other = -1;   // a field compared in place of text
    int number = 0;
    bool exact = false; // case-exact comparison
    bool negate = false;
    RuleHook hook = nullptr;
    std::vector<Check> group;

    Check operator!() const {
        Check c = *this;
        c.negate = !c.negate;
        return c;
    }
};

using Condition = std::vector<Check>; // all must hold; an empty condition always holds

enum class Op : unsigned char {
    Set,        // := text, or the source field
    Append,     // += text, or the source field
    Prepend,    // text, or the source field, + value
    Replace,    // every text by text2 (ignoring case unless exact)
    DropPrefix, // remove text once at the start (ignoring case)
    DropSuffix, // remove text once at the end (ignoring case)
    Trim,       // leading and trailing blanks and control characters
    Clear,      // := empty
    Left,       // keep the first number characters
    AppendSum,  // += decimal of (source field read as an integer + number)
    CutAtWord,  // keep the words before the first one starting with text, then trim right
    Hook,       // the hook does the work; it reports whether it took
    End,        // ends the chain
};

struct RuleStep {
    Condition when;
    Op op = Op::Set;
    std::string text;
    std::string text2;
    int source = -1;
    int number = 0;
    bool exact = false;
    RuleHook hook = nullptr;
};

enum class After : unsigned char { GoesOn, Ends, EndsWhenTaken };

struct RuleRow {
    std::string id; // the row's number in its table, e.g. "A17"
    Condition condition;
    std::vector<RuleStep> steps;
    After after = After::GoesOn;
};

bool holds(const Check& check, RuleValues& values);
bool holds(const Condition& condition, RuleValues& values);

// Runs every row in order on values; true when a row ended the chain.
bool runRules(std::span<const RuleRow> rows, RuleValues& values);

// Builders for writing rows.
namespace rules {

inline Check check(Test test, int field, std::string text = {}, int number = 0) {
    Check c;
    c.test = test;
    c.field = field;
    c.text = std::move(text);
    c.number = number;
    return c;
}
inline Check exactly(Check c) {
    c.exact = true;
    return c;
}
inline Check is(int f, std::string t) {
    return check(Test::Is, f, std::move(t));
}
inline Check starts(int f, std::string t) {
    return check(Test::Starts, f, std::move(t));
}
inline Check ends(int f, std::string t) {
    return check(Test::Ends, f, std::move(t));
}
inline Check has(int f, std::string t) {
    return check(Test::Has, f, std::move(t));
}
inline Check isExactly(int f, std::string t) {
    return exactly(is(f, std::move(t)));
}
inline Check startsExactly(int f, std::string t) {
    return exactly(starts(f, std::move(t)));
}
inline Check endsExactly(int f, std::string t) {
    return exactly(ends(f, std::move(t)));
}
inline Check hasExactly(int f, std::string t) {
    return exactly(has(f, std::move(t)));
}
inline Check empty(int f) {
    return check(Test::Empty, f);
}
inline Check longerThan(int f, int n) {
    return check(Test::LengthAbove, f, {}, n);
}
inline Check shorterThan(int f, int n) {
    return check(Test::LengthBelow, f, {}, n);
}
inline Check digitAt(int f, int n) {
    return check(Test::DigitAt, f, {}, n);
}
inline Check foundAfter(int f, std::string t, int n) {
    return check(Test::FoundAfter, f, std::move(t), n);
}
inline Check words(int f, int n) {
    return check(Test::WordCount, f, {}, n);
}
inline Check wordsAbove(int f, int n) {
    return check(Test::WordsAbove, f, {}, n);
}
inline Check atLeast(int f, int n) {
    return check(Test::AtLeast, f, {}, n);
}
inline Check below(int f, int n) {
    return check(Test::Below, f, {}, n);
}
inline Check equals(int f, int n) {
    return check(Test::Equals, f, {}, n);
}
inline Check between(int f, int low, int high) { // low <= value <= high
    Check c = check(Test::All, 0);
    c.group = {atLeast(f, low), below(f, high + 1)};
    return c;
}
inline Check onlyChars(int f, std::string set) {
    return check(Test::OnlyChars, f, std::move(set));
}
inline Check digitsAfter(int f, std::string prefix) {
    return check(Test::DigitsAfter, f, std::move(prefix));
}
// The field compared with another field in place of a text: against(starts(kA, {}), kB).
inline Check against(Check c, int otherField) {
    c.other = otherField;
    return c;
}
inline Check probe(RuleHook h, std::string arg = {}) {
    Check c = check(Test::Hook, 0, std::move(arg));
    c.hook = h;
    return c;
}
inline Check any(std::vector<Check> checks) {
    Check c = check(Test::Any, 0);
    c.group = std::move(checks);
    return c;
}
inline Check all(std::vector<Check> checks) {
    Check c = check(Test::All, 0);
    c.group = std::move(checks);
    return c;
}

inline RuleStep step(Op op, std::string text = {}, std::string text2 = {}) {
    RuleStep s;
    s.op = op;
    s.text = std::move(text);
    s.text2 = std::move(text2);
    return s;
}
inline RuleStep fromField(RuleStep s, int f) {
    s.source = f;
    return s;
}
inline RuleStep set(std::string t) {
    return step(Op::Set, std::move(t));
}
inline RuleStep setField(int f) {
    return fromField(step(Op::Set), f);
}
inline RuleStep append(std::string t) {
    return step(Op::Append, std::move(t));
}
inline RuleStep appendField(int f) {
    return fromField(step(Op::Append), f);
}
inline RuleStep prepend(std::string t) {
    return step(Op::Prepend, std::move(t));
}
inline RuleStep replace(std::string from, std::string to) {
    return step(Op::Replace, std::move(from), std::move(to));
}
inline RuleStep replaceExactly(std::string from, std::string to) {
    RuleStep s = replace(std::move(from), std::move(to));
    s.exact = true;
    return s;
}
inline RuleStep dropPrefix(std::string t) {
    return step(Op::DropPrefix, std::move(t));
}
inline RuleStep dropSuffix(std::string t) {
    return step(Op::DropSuffix, std::move(t));
}
inline RuleStep trim() {
    return step(Op::Trim);
}
inline RuleStep clear() {
    return step(Op::Clear);
}
inline RuleStep left(int n) {
    RuleStep s = step(Op::Left);
    s.number = n;
    return s;
}
inline RuleStep appendSum(int f, int n) {
    RuleStep s = fromField(step(Op::AppendSum), f);
    s.number = n;
    return s;
}
inline RuleStep cutAtWord(std::string prefix) {
    return step(Op::CutAtWord, std::move(prefix));
}
inline RuleStep hook(RuleHook h, std::string arg = {}) {
    RuleStep s = step(Op::Hook, std::move(arg));
    s.hook = h;
    return s;
}
inline RuleStep end() {
    return step(Op::End);
}
inline RuleStep when(Condition c, RuleStep s) {
    s.when = std::move(c);
    return s;
}

} // namespace rules
} // namespace dm::update
