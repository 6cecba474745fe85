#include "framework/TextUtils.h"

#include "platform/text/AsciiCase.h"

#include <algorithm>

namespace dm {

namespace {

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), platform::FoldAsciiCase);
    return text;
}

std::size_t clampCount(const std::string& text, int count) {
    if (count <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(count), text.size());
}

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

std::string LeftText(const std::string& Text, int Count) {
    return Text.substr(0, clampCount(Text, Count));
}

std::string RightText(const std::string& Text, int Count) {
    return Text.substr(Text.size() - clampCount(Text, Count));
}

bool SameText(const std::string& A, const std::string& B) {
    return platform::SameNameIgnoringCase(A, B);
}

bool StartsText(const std::string& Text, const std::string& Prefix) {
    return Text.size() >= Prefix.size() && SameText(Text.substr(0, Prefix.size()), Prefix);
}

bool EndsText(const std::string& Text, const std::string& Suffix) {
    return Text.size() >= Suffix.size() &&
           SameText(Text.substr(Text.size() - Suffix.size()), Suffix);
}

bool StartsStr(const std::string& Text, const std::string& Prefix) {
    return Text.compare(0, Prefix.size(), Prefix) == 0;
}

bool ContainsText(const std::string& SubText, const std::string& Text) {
    if (SubText.empty() || Text.empty())
        return false;
    return lowerAscii(Text).find(lowerAscii(SubText)) != std::string::npos;
}

std::string RemovePrefixText(const std::string& Text, const std::string& Prefix) {
    return StartsText(Text, Prefix) ? Text.substr(Prefix.size()) : Text;
}

std::string RemoveSuffixText(const std::string& Text, const std::string& Suffix) {
    return EndsText(Text, Suffix) ? Text.substr(0, Text.size() - Suffix.size()) : Text;
}

std::string TextBefore(const std::string& Text, const std::string& Sub) {
    const auto at = Sub.empty() ? std::string::npos : Text.find(Sub);
    return at == std::string::npos ? Text : Text.substr(0, at);
}

std::string TextAfter(const std::string& Text, const std::string& Sub) {
    const auto at = Sub.empty() ? std::string::npos : Text.find(Sub);
    return at == std::string::npos ? Text : Text.substr(at + Sub.size());
}

int CountFields(const std::string& Text, const std::string& Delims) {
    if (Text.empty())
        return 0;
    const auto delimiters = std::count_if(
        Text.begin(), Text.end(), [&](char c) { return Delims.find(c) != std::string::npos; });
    return static_cast<int>(std::min<std::ptrdiff_t>(delimiters + 1, INT32_MAX));
}

std::string GetField(const std::string& Text, int Index, const std::string& Delims) {
    if (Index < 0 || Index >= CountFields(Text, Delims))
        return {};
    std::size_t start = 0;
    for (int field = 0; field < Index; ++field)
        start = Text.find_first_of(Delims, start) + 1;
    const auto end = Text.find_first_of(Delims, start);
    return Text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string UrlEncode(const std::string& Text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(Text.size() * 3);
    for (const char c : Text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= 'a' && byte <= 'z') || byte == '-' || byte == '.' ||
                           byte == '_';
        if (plain) {
            result += c;
        } else {
            result += '%';
            result += hex[byte >> 4];
            result += hex[byte & 0x0F];
        }
    }
    return result;
}

std::string BoolToYesNo(bool Value) {
    return Value ? "Yes" : "No";
}

std::string TrimText(const std::string& Text) {
    const auto first = std::find_if_not(Text.begin(), Text.end(), isBlankOrControl);
    const auto last = std::find_if_not(Text.rbegin(), Text.rend(), isBlankOrControl).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string StripTrailingUrls(const std::string& Text) {
    std::string result = Text;
    for (;;) {
        const int fields = CountFields(result, " ");
        if (fields < 2)
            return result;
        const std::string word = GetField(result, fields - 1, " ");
        if (!StartsText(word, "http://") && !StartsText(word, "https://"))
            return result;
        result = TrimText(RemoveSuffixText(result, word));
    }
}

std::string ExtractFileNameNoExt(const std::string& Path) {
    const auto slash = Path.find_last_of("/\\:");
    const std::string name = slash == std::string::npos ? Path : Path.substr(slash + 1);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::int32_t MaxInteger(std::int32_t A, std::int32_t B) {
    return std::max(A, B);
}

std::vector<std::string> TextToLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace dm
