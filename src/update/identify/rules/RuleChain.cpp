// The rule chain interpreter's comparisons and runs, allocation-free for rows that don't fire.
#include "update/identify/rules/RuleChain.h"

#include "framework/TextUtils.h"
#include "platform/text/AsciiCase.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace dm::update {
namespace {

// The comparisons run on views so that a chain of hundreds of rows allocates nothing for the
// rows that do not fire.
bool sameText(std::string_view a, std::string_view b, bool exact) {
    return exact ? a == b : platform::sameNameIgnoringCase(a, b);
}

bool startsWith(std::string_view text, std::string_view prefix, bool exact) {
    return text.size() >= prefix.size() && sameText(text.substr(0, prefix.size()), prefix, exact);
}

bool endsWith(std::string_view text, std::string_view suffix, bool exact) {
    return text.size() >= suffix.size() &&
           sameText(text.substr(text.size() - suffix.size()), suffix, exact);
}

// Position of sub in text, from 1; 0 when absent or when sub is empty.
int findText(const std::string& text, const std::string& sub, bool exact) {
    return exact ? posStr(sub, text) : posText(sub, text);
}

long long readInteger(std::string_view text) {
    long long value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool onlyChars(std::string_view text, std::string_view allowed) {
    return std::all_of(text.begin(), text.end(),
                       [&](char c) { return allowed.find(c) != std::string_view::npos; });
}

// Number of " "-separated words, as CountFields counts them.
long long countWords(std::string_view text) {
    if (text.empty())
        return 0;
    return std::min<long long>(std::count(text.begin(), text.end(), ' ') + 1,
                               std::numeric_limits<int>::max());
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool fieldTestHolds(const CheckData& c, std::span<const std::string> fields) {
    const std::string& field = fields[c.field];
    const std::string& operand = c.other >= 0 ? fields[c.other] : c.text;
    const long long number = c.other >= 0 ? readInteger(operand) : c.number;
    switch (c.test) {
    case Test::Is:
        return sameText(field, operand, c.exact);
    case Test::Starts:
        return startsWith(field, operand, c.exact);
    case Test::Ends:
        return endsWith(field, operand, c.exact);
    case Test::Has:
        return findText(field, operand, c.exact) > 0;
    case Test::Empty:
        return field.empty();
    case Test::LengthAbove:
        return static_cast<long long>(field.size()) > number;
    case Test::LengthBelow:
        return static_cast<long long>(field.size()) < number;
    case Test::DigitAt:
        return number >= 1 && number <= static_cast<long long>(field.size()) &&
               isDigit(field[number - 1]);
    case Test::FoundAfter:
        return findText(field, operand, c.exact) > c.number;
    case Test::WordCount:
        return countWords(field) == number;
    case Test::WordsAbove:
        return countWords(field) > number;
    case Test::AtLeast:
        return readInteger(field) >= number;
    case Test::Below:
        return readInteger(field) < number;
    case Test::Equals:
        return readInteger(field) == number;
    case Test::OnlyChars:
        return onlyChars(field, operand);
    case Test::DigitsAfter:
        return startsWith(field, operand, c.exact) &&
               onlyChars(std::string_view(field).substr(operand.size()), "0123456789.");
    case Test::Hook:
    case Test::All:
    case Test::Any:
        break; // made by holds, which knows the chain's hooks and groups
    }
    return false;
}

namespace {

std::string cutAtWord(const std::string& text, std::string_view prefix) {
    std::string out;
    const int count = CountFields(text, " ");
    for (int i = 0; i < count; ++i) {
        const std::string word = GetField(text, i, " ");
        if (startsWith(word, prefix, false))
            break;
        out += word + " ";
    }
    while (!out.empty() && static_cast<unsigned char>(out.back()) <= ' ')
        out.pop_back();
    return out;
}

} // namespace

bool applyStep(const Step& s, std::span<std::string> fields) {
    std::string& value = fields[0];
    const std::string& operand = s.source >= 0 ? fields[s.source] : s.text;
    switch (s.op) {
    case Op::Set:
        value = operand;
        break;
    case Op::Append:
        value += operand;
        break;
    case Op::Prepend:
        value = operand + value;
        break;
    case Op::Replace:
        value = s.exact ? replaceAllStr(value, s.text, s.text2)
                        : replaceAllText(value, s.text, s.text2);
        break;
    case Op::DropPrefix:
        if (startsWith(value, s.text, false))
            value.erase(0, s.text.size());
        break;
    case Op::DropSuffix:
        if (endsWith(value, s.text, false))
            value.erase(value.size() - s.text.size());
        break;
    case Op::Trim:
        value = trimText(value);
        break;
    case Op::Clear:
        value.clear();
        break;
    case Op::Left:
        value = LeftText(value, s.number);
        break;
    case Op::AppendSum:
        value += std::to_string(readInteger(operand) + s.number);
        break;
    case Op::CutAtWord:
        value = cutAtWord(value, s.text);
        break;
    case Op::Hook: // made by runRules, which knows the chain's hooks
    case Op::End:
        break;
    }
    return true;
}

} // namespace dm::update
