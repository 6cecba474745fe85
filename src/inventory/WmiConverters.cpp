// Null-safe conversions of WMI property values, and CIM date-times to dates.
#include "inventory/WmiConverters.h"

#include <chrono>

namespace dm {

using platform::Variant;
using platform::VariantConversionError;

double VarToDoubleDef(const Variant& value) {
    return value.isNull() ? 0.0 : value.asDouble();
}

std::string VarToStrDef(const Variant& value) {
    return value.isNull() ? std::string() : value.asText();
}

std::uint16_t VarToWordDef(const Variant& value) {
    return value.isNull() ? 0 : static_cast<std::uint16_t>(value.asInt32());
}

std::int64_t VarToInt64Def(const Variant& value) {
    return value.isNull() ? 0 : value.asInt64();
}

std::uint32_t VarToIntegerDef(const Variant& value) {
    return value.isNull() ? 0 : static_cast<std::uint32_t>(value.asInt64());
}

bool VarToBooleanDef(const Variant& value) {
    return value.isNull() ? false : value.asBool();
}

namespace {

int decimalPart(const std::string& text, std::size_t start, std::size_t length) {
    int value = 0;
    for (std::size_t i = start; i < start + length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw VariantConversionError("'" + text + "' is not a valid date and time");
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

DateTime WmiDateTimeToDateTime(const Variant& value) {
    const std::string text = VarToStrDef(value);
    if (text.size() <= 14)
        return 0;
    const int year = decimalPart(text, 0, 4), month = decimalPart(text, 4, 2),
              day = decimalPart(text, 6, 2), hour = decimalPart(text, 8, 2),
              minute = decimalPart(text, 10, 2), second = decimalPart(text, 12, 2);
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(year), std::chrono::month(unsigned(month)),
                              std::chrono::day(unsigned(day))};
    if (year < 1 || !date.ok() || hour > 23 || minute > 59 || second > 59)
        throw VariantConversionError("'" + text + "' is not a valid date and time");
    constexpr sys_days kEpoch = sys_days(1899y / December / 30);
    const double days = (sys_days(date) - kEpoch).count();
    return days + (hour * 3600 + minute * 60 + second) / 86400.0;
}

} // namespace dm
