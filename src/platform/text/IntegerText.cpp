// Signed 32-bit integers read from decimal or hexadecimal text.
#include "platform/text/IntegerText.h"

namespace dm::platform {

namespace {

std::optional<unsigned> digitValue(char c, unsigned base) {
    unsigned value = 0;
    if (c >= '0' && c <= '9')
        value = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
        value = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
        value = static_cast<unsigned>(c - 'A' + 10);
    else
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::int32_t> integerFromText(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() &&
               (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Decimal values are limited to the signed range, hexadecimal ones to 32 bits.
    const std::uint64_t limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t value = 0;
    for (const char c : text) {
        const auto digit = digitValue(c, base);
        if (!digit)
            return std::nullopt;
        value = value * base + *digit;
        if (value > limit)
            return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
    return integerFromText(text).value_or(fallback);
}

} // namespace dm::platform
