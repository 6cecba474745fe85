// The one interpreter of the identification rule chains: rows, conditions, steps, hooks.
#pragma once

#include "update/identify/IdentifyContext.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
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
// Fields are the chain's own: an enumeration indexing the texts of its values (ChainValues), field
// 0 being the text it builds; the enumeration names its values type through ChainOf, so a row
// holds only its own chain's fields and hooks. Tests fold ASCII letters only unless made exact
// (isExactly, exactly(...)).
//
//   using namespace dm::update::rules;
//   const RuleRow<NameValues> kRows[] = {
//       {"A20", {is(kName, "Storage"), has(kInfoCompany, "Acme")}, {prepend("Acme ")}},
//       {"A1", {empty(kName), is(kFile, "nsis")}, {set("NSIS")}, After::Ends},
//       {"A9", {starts(kName, "Tcl ")}, {when({has(kFile, "x")}, set("Tcl")), trim()}},
//       {"A5", {is(kName, "X"), probe(readsSomething, "arg")}, {hook(writesSomething, "arg")}},
//   };
//   bool ended = runRules(kRows, values);
//
// Hooks are plain functions for the rows that read outside data (files, registry, programs);
// they receive their chain's own values and the text argument of their check or step.
namespace dm::update {

// Specialised by each chain: ChainOf<its field enumeration>::Values is its values type.
template <typename Field> struct ChainOf;
template <typename Field> using ValuesOf = typename ChainOf<Field>::Values;

// The working texts of one run of a chain, indexed by its field enumeration, and the services its
// hooks read.
template <typename Field, std::size_t fieldCount> struct ChainValues {
    explicit ChainValues(IdentifyContext& identify) : context(identify) {}
    ChainValues(const ChainValues&) = delete;
    ChainValues& operator=(const ChainValues&) = delete;

    std::string& operator[](Field field) { return texts[static_cast<std::size_t>(field)]; }
    const std::string& operator[](Field field) const {
        return texts[static_cast<std::size_t>(field)];
    }

    IdentifyContext& context;
    std::array<std::string, fieldCount> texts;
};

template <typename Values> using RuleHook = bool (*)(Values& values, const std::string& arg);

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

// What a check tests, apart from its hook and group.
struct CheckData {
    Test test = Test::All;
    int field = 0;
    std::string text; // the operand, unless other is a field
    int other = -1;   // a field compared in place of text
    int number = 0;
    bool exact = false; // case-exact comparison
    bool negate = false;
};

template <typename Values> struct Check : CheckData {
    RuleHook<Values> hook = nullptr;
    std::vector<Check> group;

    Check operator!() const {
        Check c = *this;
        c.negate = !c.negate;
        return c;
    }
};

// All must hold; an empty condition always holds.
template <typename Values> using Condition = std::vector<Check<Values>>;

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

// What a step does, apart from its guard and hook; a step that names no field and no hook fits
// every chain.
struct Step {
    Op op = Op::Set;
    std::string text;
    std::string text2;
    int source = -1;
    int number = 0;
    bool exact = false;
};

template <typename Values> struct RuleStep : Step {
    RuleStep() = default;
    // Not explicit: a row of any chain takes a plain step as it is.
    RuleStep(Step plain) : Step(std::move(plain)) {}

    Condition<Values> when;
    RuleHook<Values> hook = nullptr;
};

enum class After : unsigned char { GoesOn, Ends, EndsWhenTaken };

template <typename Values> struct RuleRow {
    std::string id; // the row's number in its table, e.g. "A17"
    Condition<Values> condition;
    std::vector<RuleStep<Values>> steps;
    After after = After::GoesOn;
};

// The tests and effects that read and write only the fields.
bool fieldTestHolds(const CheckData& check, std::span<const std::string> fields);
// Makes the step on field 0; true when it took.
bool applyStep(const Step& step, std::span<std::string> fields);

template <typename Values> bool holds(const Check<Values>& check, Values& values);

// Plain loops here and below: the chains run these for every row of every table.
template <typename Values> bool holds(const Condition<Values>& condition, Values& values) {
    for (const Check<Values>& c : condition)
        if (!holds(c, values))
            return false;
    return true;
}

template <typename Values> bool holds(const Check<Values>& check, Values& values) {
    bool result = false;
    switch (check.test) {
    case Test::Hook:
        result = check.hook(values, check.text);
        break;
    case Test::All:
        result = holds(check.group, values);
        break;
    case Test::Any:
        for (const Check<Values>& g : check.group)
            if (holds(g, values)) {
                result = true;
                break;
            }
        break;
    default:
        result = fieldTestHolds(check, values.texts);
        break;
    }
    return result != check.negate;
}

// Runs every row in order on values; true when a row ended the chain.
template <typename Values>
bool runRules(std::type_identity_t<std::span<const RuleRow<Values>>> rows, Values& values) {
    for (const RuleRow<Values>& row : rows) {
        if (!holds(row.condition, values))
            continue;
        bool taken = false;
        for (const RuleStep<Values>& s : row.steps) {
            if (!holds(s.when, values))
                continue;
            if (s.op == Op::End)
                return true;
            const bool took =
                s.op == Op::Hook ? s.hook(values, s.text) : applyStep(s, values.texts);
            taken = took || taken;
        }
        if (row.after == After::Ends || (row.after == After::EndsWhenTaken && taken))
            return true;
    }
    return false;
}

// Builders for writing rows.
namespace rules {

template <typename Field>
Check<ValuesOf<Field>> check(Test test, Field field, std::string text = {}, int number = 0) {
    Check<ValuesOf<Field>> c;
    c.test = test;
    c.field = static_cast<int>(field);
    c.text = std::move(text);
    c.number = number;
    return c;
}
template <typename Values> Check<Values> exactly(Check<Values> c) {
    c.exact = true;
    return c;
}
template <typename Field> auto is(Field f, std::string t) {
    return check(Test::Is, f, std::move(t));
}
template <typename Field> auto starts(Field f, std::string t) {
    return check(Test::Starts, f, std::move(t));
}
template <typename Field> auto ends(Field f, std::string t) {
    return check(Test::Ends, f, std::move(t));
}
template <typename Field> auto has(Field f, std::string t) {
    return check(Test::Has, f, std::move(t));
}
template <typename Field> auto isExactly(Field f, std::string t) {
    return exactly(is(f, std::move(t)));
}
template <typename Field> auto startsExactly(Field f, std::string t) {
    return exactly(starts(f, std::move(t)));
}
template <typename Field> auto hasExactly(Field f, std::string t) {
    return exactly(has(f, std::move(t)));
}
template <typename Field> auto empty(Field f) {
    return check(Test::Empty, f);
}
template <typename Field> auto longerThan(Field f, int n) {
    return check(Test::LengthAbove, f, {}, n);
}
template <typename Field> auto shorterThan(Field f, int n) {
    return check(Test::LengthBelow, f, {}, n);
}
template <typename Field> auto digitAt(Field f, int n) {
    return check(Test::DigitAt, f, {}, n);
}
template <typename Field> auto foundAfter(Field f, std::string t, int n) {
    return check(Test::FoundAfter, f, std::move(t), n);
}
template <typename Field> auto words(Field f, int n) {
    return check(Test::WordCount, f, {}, n);
}
template <typename Field> auto wordsAbove(Field f, int n) {
    return check(Test::WordsAbove, f, {}, n);
}
template <typename Field> auto atLeast(Field f, int n) {
    return check(Test::AtLeast, f, {}, n);
}
template <typename Field> auto below(Field f, int n) {
    return check(Test::Below, f, {}, n);
}
template <typename Field> auto equals(Field f, int n) {
    return check(Test::Equals, f, {}, n);
}
template <typename Field> auto between(Field f, int low, int high) { // low <= value <= high
    auto c = check(Test::All, f);
    c.field = 0;
    c.group = {atLeast(f, low), below(f, high + 1)};
    return c;
}
template <typename Field> auto onlyChars(Field f, std::string set) {
    return check(Test::OnlyChars, f, std::move(set));
}
template <typename Field> auto digitsAfter(Field f, std::string prefix) {
    return check(Test::DigitsAfter, f, std::move(prefix));
}
// The field compared with another field in place of a text: against(starts(kA, {}), kB).
template <typename Values, typename Field> Check<Values> against(Check<Values> c, Field other) {
    static_assert(std::is_same_v<ValuesOf<Field>, Values>, "a field of the same chain");
    c.other = static_cast<int>(other);
    return c;
}
template <typename Values> Check<Values> probe(RuleHook<Values> h, std::string arg = {}) {
    Check<Values> c;
    c.test = Test::Hook;
    c.text = std::move(arg);
    c.hook = h;
    return c;
}
template <typename Values> Check<Values> any(std::initializer_list<Check<Values>> checks) {
    Check<Values> c;
    c.test = Test::Any;
    c.group = checks;
    return c;
}
template <typename Values> Check<Values> all(std::initializer_list<Check<Values>> checks) {
    Check<Values> c;
    c.test = Test::All;
    c.group = checks;
    return c;
}

inline Step step(Op op, std::string text = {}, std::string text2 = {}) {
    Step s;
    s.op = op;
    s.text = std::move(text);
    s.text2 = std::move(text2);
    return s;
}
template <typename Field> RuleStep<ValuesOf<Field>> fromField(Step s, Field f) {
    s.source = static_cast<int>(f);
    return s;
}
inline Step set(std::string t) {
    return step(Op::Set, std::move(t));
}
template <typename Field> auto setField(Field f) {
    return fromField(step(Op::Set), f);
}
inline Step append(std::string t) {
    return step(Op::Append, std::move(t));
}
template <typename Field> auto appendField(Field f) {
    return fromField(step(Op::Append), f);
}
inline Step prepend(std::string t) {
    return step(Op::Prepend, std::move(t));
}
inline Step replace(std::string from, std::string to) {
    return step(Op::Replace, std::move(from), std::move(to));
}
inline Step replaceExactly(std::string from, std::string to) {
    Step s = replace(std::move(from), std::move(to));
    s.exact = true;
    return s;
}
inline Step dropPrefix(std::string t) {
    return step(Op::DropPrefix, std::move(t));
}
inline Step dropSuffix(std::string t) {
    return step(Op::DropSuffix, std::move(t));
}
inline Step trim() {
    return step(Op::Trim);
}
inline Step clear() {
    return step(Op::Clear);
}
inline Step left(int n) {
    Step s = step(Op::Left);
    s.number = n;
    return s;
}
template <typename Field> auto appendSum(Field f, int n) {
    Step s = step(Op::AppendSum);
    s.number = n;
    return fromField(std::move(s), f);
}
inline Step cutAtWord(std::string prefix) {
    return step(Op::CutAtWord, std::move(prefix));
}
template <typename Values> RuleStep<Values> hook(RuleHook<Values> h, std::string arg = {}) {
    RuleStep<Values> s(step(Op::Hook, std::move(arg)));
    s.hook = h;
    return s;
}
inline Step end() {
    return step(Op::End);
}
template <typename Values>
RuleStep<Values> when(std::initializer_list<Check<Values>> c,
                      std::type_identity_t<RuleStep<Values>> s) {
    s.when = c;
    return s;
}

} // namespace rules
} // namespace dm::update
