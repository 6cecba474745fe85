// Version texts packed into one number or read as a decimal number.
#include "localisation/format/VersionText.h"

#include <charconv>
#include <cmath>

namespace dm {

namespace {

constexpr std::size_t kMaxDigits = 24;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The whole text as a finite decimal number with "." as the decimal point and an optional sign.
bool readDecimal(const std::string& text, double& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        ++begin; // from_chars takes a minus sign only
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

} // namespace

std::int32_t VersionTextToInt(const std::string& text) {
    // The parts wrap modulo 2^64 while digits are read; only their low bits are kept anyway.
    std::uint64_t parts[4] = {};
    std::size_t index = 0;
    std::string digits;
    for (std::size_t i = 0; i < text.size() && index < 5; ++i) {
        const char c = text[i];
        if (isDigit(c) && digits.size() < kMaxDigits)
            digits += c;
        if (c == '.' || c == ',' || i + 1 == text.size()) {
            std::uint64_t value = 0;
            for (char d : digits)
                value = value * 10 + static_cast<std::uint64_t>(d - '0');
            if (index < 4)
                parts[index] = value;
            digits.clear();
            ++index;
        }
    }
    const std::uint32_t packed =
        static_cast<std::uint32_t>((parts[0] & 0xFF) << 24 | (parts[1] & 0xFF) << 16 |
                                   (parts[2] & 0x3F) << 10 | (parts[3] & 0x3FF));
    return static_cast<std::int32_t>(packed);
}

double VersionTextToFloat(const std::string& versionText) {
    if (versionText.empty())
        return 0;
    double value = 0;
    if (readDecimal(versionText, value))
        return value;
    std::string text = versionText;
    if (const auto comma = text.find(','); comma != std::string::npos)
        text[comma] = '.';
    const auto point = text.find('.');
    if (point != std::string::npos && point + 1 == text.size())
        text += '0';
    std::string rest;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i == point || !(c == ' ' || c == ',' || c == '.' || isAsciiLetter(c)))
            rest += c;
    }
    return readDecimal(rest, value) ? value : 0;
}

} // namespace dm
