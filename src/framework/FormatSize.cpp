// Byte counts as short texts with their unit, in the user's decimal separator.
#include "framework/FormatSize.h"

#include <charconv>
#include <cstdio>
#include <utility>

namespace dm {

namespace {

// "%.3g" without exponent form, with the given decimal separator. Values that round up to 1000
// (999.5 and above) are written "1000".
std::string threeDigits(double value, const std::string& decimalSeparator) {
    if (value >= 999.5)
        return "1000";
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 3).ptr;
    std::string text(buffer, end);
    if (const auto dot = text.find('.'); dot != std::string::npos)
        text.replace(dot, 1, decimalSeparator);
    return text;
}

} // namespace

SizeUnitNames defaultSizeUnitNames() {
    return {"b.", "Kb.", "Mb.", "Gb.", "Tb."};
}

std::string FormatSize(std::int64_t size, const SizeUnitNames& units,
                       const std::string& decimalSeparator) {
    if (size < 1024) {
        char number[32];
        std::snprintf(number, sizeof number, "%-4lld", static_cast<long long>(size));
        return std::string(number) + " " + units[0];
    }
    double value = static_cast<double>(size) / 1024.0;
    std::size_t level = 1;
    while (value >= 1024.0 && level < 4) {
        value /= 1024.0;
        ++level;
    }
    if (value >= 1000.0)
        return std::to_string(static_cast<std::uint64_t>(value)) + " " + units[level];
    return threeDigits(value, decimalSeparator) + " " + units[level];
}

SizeFormatter::SizeFormatter(std::string decimalSeparator)
    : units_(defaultSizeUnitNames()), decimalSeparator_(std::move(decimalSeparator)) {}

std::string SizeFormatter::FormatSize(std::int64_t size) const {
    return dm::FormatSize(size, units_, decimalSeparator_);
}

} // namespace dm
