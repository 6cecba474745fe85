// Text helpers on 8-bit text: comparing, searching, replacing, cutting, ignoring ASCII case.
#include "framework/TextUtils.h"

#include "platform/text/AsciiCase.h"
#include "platform/text/Blanks.h"

#include <algorithm>
#include <string_view>

namespace dm {

namespace {

std::size_t clampCount(const std::string& text, int count) {
    if (count <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(count), text.size());
}

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::size_t findByte(std::string_view text, std::string_view sub, std::size_t from) {
    return sub.empty() ? std::string_view::npos : text.find(sub, from);
}

template <typename Find>
std::string replaceAll(const std::string& text, const std::string& from, const std::string& to,
                       Find find) {
    std::string result;
    std::size_t at = 0;
    for (auto hit = find(text, from, 0); hit != std::string::npos; hit = find(text, from, at)) {
        result.append(text, at, hit - at).append(to);
        at = hit + from.size();
    }
    return result.append(text, at, std::string::npos);
}

int position(std::size_t found) {
    return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

} // namespace

std::string LeftText(const std::string& text, int count) {
    return text.substr(0, clampCount(text, count));
}

std::string RightText(const std::string& text, int count) {
    return text.substr(text.size() - clampCount(text, count));
}

bool SameText(const std::string& a, const std::string& b) {
    return platform::sameNameIgnoringCase(a, b);
}

bool StartsText(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           platform::sameNameIgnoringCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

bool EndsText(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           platform::sameNameIgnoringCase(
               std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

bool StartsStr(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool ContainsText(const std::string& subText, const std::string& text) {
    return platform::findIgnoringCase(text, subText) != std::string::npos;
}

std::string RemovePrefixText(const std::string& text, const std::string& prefix) {
    return StartsText(text, prefix) ? text.substr(prefix.size()) : text;
}

std::string RemoveSuffixText(const std::string& text, const std::string& suffix) {
    return EndsText(text, suffix) ? text.substr(0, text.size() - suffix.size()) : text;
}

std::string TextBefore(const std::string& text, const std::string& sub) {
    const auto at = sub.empty() ? std::string::npos : text.find(sub);
    return at == std::string::npos ? text : text.substr(0, at);
}

std::string TextAfter(const std::string& text, const std::string& sub) {
    const auto at = sub.empty() ? std::string::npos : text.find(sub);
    return at == std::string::npos ? text : text.substr(at + sub.size());
}

int CountFields(const std::string& text, const std::string& delims) {
    if (text.empty())
        return 0;
    const auto delimiters = delims.size() == 1
                                ? std::count(text.begin(), text.end(), delims[0])
                                : std::count_if(text.begin(), text.end(), [&](char c) {
                                      return delims.find(c) != std::string::npos;
                                  });
    return static_cast<int>(std::min<std::ptrdiff_t>(delimiters + 1, INT32_MAX));
}

std::string GetField(const std::string& text, int index, const std::string& delims) {
    if (index < 0 || index >= CountFields(text, delims))
        return {};
    std::size_t start = 0;
    for (int field = 0; field < index; ++field)
        start = text.find_first_of(delims, start) + 1;
    const auto end = text.find_first_of(delims, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string UrlEncode(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(text.size() * 3);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= 'a' && byte <= 'z') || byte == '-' || byte == '.' ||
                           byte == '_';
        if (plain) {
            result += c;
        } else {
            result += '%';
            result += kHex[byte >> 4];
            result += kHex[byte & 0x0F];
        }
    }
    return result;
}

std::string BoolToYesNo(bool value) {
    return value ? "Yes" : "No";
}

std::string trimText(const std::string& text) {
    return std::string(platform::trimIf(text, isBlankOrControl));
}

std::string StripTrailingUrls(const std::string& text) {
    std::string result = text;
    for (;;) {
        const int fields = CountFields(result, " ");
        if (fields < 2)
            return result;
        const std::string word = GetField(result, fields - 1, " ");
        if (!StartsText(word, "http://") && !StartsText(word, "https://"))
            return result;
        result = trimText(RemoveSuffixText(result, word));
    }
}

int posText(const std::string& subText, const std::string& text) {
    return position(platform::findIgnoringCase(text, subText));
}

int posStr(const std::string& subText, const std::string& text) {
    return position(findByte(text, subText, 0));
}

std::string replaceAllText(const std::string& text, const std::string& from,
                           const std::string& to) {
    return replaceAll(text, from, to, platform::findIgnoringCase);
}

std::string replaceAllStr(const std::string& text, const std::string& from, const std::string& to) {
    return replaceAll(text, from, to, findByte);
}

std::string extractFileName(const std::string& path) {
    const auto cut = path.find_last_of("/\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string extractFileExt(const std::string& path) {
    const std::string name = extractFileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ExtractFileNameNoExt(const std::string& path) {
    const std::string name = extractFileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::int32_t MaxInteger(std::int32_t a, std::int32_t b) {
    return std::max(a, b);
}

} // namespace dm
