#include "update/identify/TextCleanup.h"

#include "framework/TextUtils.h"

#include <algorithm>

namespace dm::update {

std::string CleanCompanyText(const std::string& text) {
    // Repeated until a pass changes nothing; a loop, so a long run of marks costs no stack.
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

std::string ExtractTagText(const std::string& tag, const std::vector<std::string>& lines) {
    std::string result;
    for (const auto& line : lines)
        if (ContainsText("<" + tag + ">", line))
            result = ExtractBetweenTags(line, tag);
    return result;
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
