#include "framework/TextSearch.h"

#include "platform/text/AsciiCase.h"

#include <algorithm>

namespace dm {

namespace {

bool sameIgnoringCase(char a, char b) {
    return platform::foldAsciiCase(a) == platform::foldAsciiCase(b);
}

bool sameByte(char a, char b) {
    return a == b;
}

template <typename Equal>
std::size_t findFrom(const std::string& text, const std::string& sub, std::size_t from,
                     Equal equal) {
    if (sub.empty() || from > text.size())
        return std::string::npos;
    const auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                sub.begin(), sub.end(), equal);
    return it == text.end() ? std::string::npos : static_cast<std::size_t>(it - text.begin());
}

template <typename Equal>
std::string replaceAll(const std::string& text, const std::string& from, const std::string& to,
                       Equal equal) {
    std::string result;
    std::size_t at = 0;
    for (auto hit = findFrom(text, from, 0, equal); hit != std::string::npos;
         hit = findFrom(text, from, at, equal)) {
        result.append(text, at, hit - at).append(to);
        at = hit + from.size();
    }
    return result.append(text, at, std::string::npos);
}

int position(std::size_t found) {
    return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

} // namespace

std::string lowerCaseText(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        c = platform::foldAsciiCase(c);
    return lower;
}

int posText(const std::string& subText, const std::string& text) {
    return position(findFrom(text, subText, 0, sameIgnoringCase));
}

int posStr(const std::string& subText, const std::string& text) {
    return position(findFrom(text, subText, 0, sameByte));
}

std::string replaceAllText(const std::string& text, const std::string& from,
                           const std::string& to) {
    return replaceAll(text, from, to, sameIgnoringCase);
}

std::string replaceAllStr(const std::string& text, const std::string& from, const std::string& to) {
    return replaceAll(text, from, to, sameByte);
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

} // namespace dm
