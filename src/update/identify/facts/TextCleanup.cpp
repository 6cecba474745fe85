// Clean-up of company texts, tag texts and leading numbers.
#include "update/identify/facts/TextCleanup.h"

#include "framework/TextUtils.h"
#include "platform/text/AsciiCase.h"

#include <algorithm>
#include <string_view>

namespace dm::update {

namespace {

// The position of the last blank of a view that only ever narrows, found again only when the
// view's end passes it: every character is looked at once over all calls.
class LastBlank {
public:
    explicit LastBlank(const char* base) : base_(base) {}

    std::size_t in(std::string_view s) {
        const auto begin = static_cast<std::size_t>(s.data() - base_);
        const std::size_t end = begin + s.size();
        if (!known_ || (at_ != kNone && at_ >= end)) {
            at_ = kNone;
            for (std::size_t i = end; i > begin; --i)
                if (base_[i - 1] == ' ') {
                    at_ = i - 1;
                    break;
                }
            known_ = true;
        }
        return at_ == kNone || at_ < begin ? std::string_view::npos : at_ - begin;
    }

private:
    static constexpr std::size_t kNone = std::string_view::npos;
    const char* base_;
    std::size_t at_ = kNone;
    bool known_ = false;
};

} // namespace

std::string CleanCompanyText(const std::string& text) {
    // Repeated until a pass changes nothing. Every step narrows a view of the text and looks only
    // at its ends, so the passes together stay linear in the text's length.
    std::string_view s = text;
    LastBlank lastBlank(text.data());
    for (std::size_t size = s.size() + 1; s.size() != size;) {
        size = s.size();
        // Trailing blank-separated words that are web addresses.
        for (auto blank = lastBlank.in(s); blank != std::string_view::npos;
             blank = lastBlank.in(s)) {
            const std::string_view word = s.substr(blank + 1);
            if (!startsTextView(word, "http://") && !startsTextView(word, "https://"))
                break;
            s = trimmedView(s.substr(0, s.size() - word.size()));
        }
        s = trimmedView(s);
        if (s.starts_with('?'))
            s.remove_prefix(1);
        if (s.ends_with(" -"))
            s.remove_suffix(2);
        if (s == "@")
            s = s.substr(0, 0);
    }
    return std::string(s);
}

std::string ExtractTagText(const std::string& tag, const TextLines& lines) {
    // The last line holding the tag is the line of its last occurrence in the whole text, as a
    // tag holds no line break: one pass over the text, and one line copied.
    const std::string open = "<" + tag + ">";
    const std::string_view text = lines.text();
    std::size_t last = std::string_view::npos;
    for (auto at = platform::findIgnoringCase(text, open); at != std::string_view::npos;
         at = platform::findIgnoringCase(text, open, at + 1))
        last = at;
    if (last == std::string_view::npos)
        return {};
    return ExtractBetweenTags(std::string(lines.lineAt(last)), tag).substr(0, kMaxRuleText);
}

std::string ExtractBetweenTags(const std::string& line, const std::string& tag) {
    std::string s = trimText(line);
    if (ContainsText("<!--", s)) {
        s = trimText(TextAfter(s, "<!--"));
        s = trimText(TextBefore(s, "-->"));
    }
    s = trimText(TextAfter(s, "<" + tag + ">"));
    s = trimText(TextBefore(s, "</" + tag + ">"));
    if (ContainsText("App name goes here", s))
        s.clear();
    return s;
}

std::string LeadingNumberText(const std::string& text) {
    std::string number;
    for (const char c : text) {
        if (c == ',')
            number += '.';
        else if ((c >= '0' && c <= '9') || c == '.')
            number += c;
        else if (c != ' ')
            break;
    }
    return number;
}

bool IsDigitsAndDots(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

} // namespace dm::update
