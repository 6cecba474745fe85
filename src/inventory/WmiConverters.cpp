#include "inventory/WmiConverters.h"

#include <chrono>

namespace dm {

using platform::Variant;
using platform::VariantConversionError;

double VarToDoubleDef(const Variant& Value) {
    return Value.IsNull() ? 0.0 : Value.AsDouble();
}

std::string VarToStrDef(const Variant& Value) {
    return Value.IsNull() ? std::string() : Value.AsText();
}

std::uint16_t VarToWordDef(const Variant& Value) {
    return Value.IsNull() ? 0 : static_cast<std::uint16_t>(Value.AsInt32());
}

std::int64_t VarToInt64Def(const Variant& Value) {
    return Value.IsNull() ? 0 : Value.AsInt64();
}

std::uint32_t VarToIntegerDef(const Variant& Value) {
    return Value.IsNull() ? 0 : static_cast<std::uint32_t>(Value.AsInt64());
}

bool VarToBooleanDef(const Variant& Value) {
    return Value.IsNull() ? false : Value.AsBool();
}

namespace {

int DecimalPart(const std::string& text, std::size_t start, std::size_t length) {
    int value = 0;
    for (std::size_t i = start; i < start + length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw VariantConversionError("'" + text + "' is not a valid date and time");
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

DateTime WmiDateTimeToDateTime(const Variant& Value) {
    const std::string text = VarToStrDef(Value);
    if (text.size() <= 14)
        return 0;
    const int year = DecimalPart(text, 0, 4), month = DecimalPart(text, 4, 2),
              day = DecimalPart(text, 6, 2), hour = DecimalPart(text, 8, 2),
              minute = DecimalPart(text, 10, 2), second = DecimalPart(text, 12, 2);
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(year), std::chrono::month(unsigned(month)),
                              std::chrono::day(unsigned(day))};
    if (year < 1 || !date.ok() || hour > 23 || minute > 59 || second > 59)
        throw VariantConversionError("'" + text + "' is not a valid date and time");
    constexpr sys_days epoch = sys_days(1899y / December / 30);
    const double days = (sys_days(date) - epoch).count();
    return days + (hour * 3600 + minute * 60 + second) / 86400.0;
}

} // namespace dm
