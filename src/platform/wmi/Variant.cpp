// Automation values and their conversions, raising when a value does not fit.
#include "platform/wmi/Variant.h"

#include "platform/text/AsciiCase.h"
#include "platform/text/Blanks.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace dm::platform {

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw VariantConversionError("Could not convert variant " + what);
}

template <class T> bool parseWhole(std::string_view text, T& value) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool parseDouble(std::string_view text, double& value) {
    text = trimBlanks(text);
    return parseWhole(text, value) && std::isfinite(value);
}

std::int64_t roundToInt64(double value) {
    // Automation rounds halves to even, which nearbyint does in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < -9223372036854775808.0 ||
        rounded >= 9223372036854775808.0)
        fail("of type (Double) into type (Int64): overflow");
    return static_cast<std::int64_t>(rounded);
}

} // namespace

std::string Variant::asText() const {
    switch (kind()) {
    case Kind::Null:
        fail("of type (Null) into type (String)");
    case Kind::Text:
        return std::get<std::string>(value_);
    case Kind::Int:
        return std::to_string(std::get<std::int64_t>(value_));
    case Kind::UInt:
        return std::to_string(std::get<std::uint64_t>(value_));
    case Kind::Bool:
        return std::get<bool>(value_) ? "True" : "False";
    case Kind::Double: {
        char buffer[32];
        auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::get<double>(value_));
        return std::string(buffer, ptr);
    }
    }
    return {};
}

std::int64_t Variant::asInt64() const {
    switch (kind()) {
    case Kind::Null:
        fail("of type (Null) into type (Int64)");
    case Kind::Text: {
        const std::string_view text = trimBlanks(std::get<std::string>(value_));
        std::int64_t whole = 0;
        if (parseWhole(text, whole))
            return whole;
        double number = 0;
        if (parseDouble(text, number))
            return roundToInt64(number);
        fail("of type (String) into type (Int64)");
    }
    case Kind::Int:
        return std::get<std::int64_t>(value_);
    case Kind::UInt: {
        const std::uint64_t value = std::get<std::uint64_t>(value_);
        if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            fail("of type (UInt64) into type (Int64): overflow");
        return static_cast<std::int64_t>(value);
    }
    case Kind::Bool:
        return std::get<bool>(value_) ? -1 : 0; // automation's True is -1
    case Kind::Double:
        return roundToInt64(std::get<double>(value_));
    }
    return 0;
}

std::int32_t Variant::asInt32() const {
    const std::int64_t value = asInt64();
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        fail("into type (Integer): overflow");
    return static_cast<std::int32_t>(value);
}

double Variant::asDouble() const {
    switch (kind()) {
    case Kind::Null:
        fail("of type (Null) into type (Double)");
    case Kind::Text: {
        double number = 0;
        if (!parseDouble(std::get<std::string>(value_), number))
            fail("of type (String) into type (Double)");
        return number;
    }
    case Kind::Int:
        return static_cast<double>(std::get<std::int64_t>(value_));
    case Kind::UInt:
        return static_cast<double>(std::get<std::uint64_t>(value_));
    case Kind::Bool:
        return std::get<bool>(value_) ? -1.0 : 0.0;
    case Kind::Double:
        return std::get<double>(value_);
    }
    return 0;
}

bool Variant::asBool() const {
    switch (kind()) {
    case Kind::Null:
        fail("of type (Null) into type (Boolean)");
    case Kind::Text: {
        const std::string_view text = trimBlanks(std::get<std::string>(value_));
        if (sameNameIgnoringCase(text, "true"))
            return true;
        if (sameNameIgnoringCase(text, "false"))
            return false;
        double number = 0;
        if (!parseDouble(text, number))
            fail("of type (String) into type (Boolean)");
        return number != 0;
    }
    case Kind::Int:
        return std::get<std::int64_t>(value_) != 0;
    case Kind::UInt:
        return std::get<std::uint64_t>(value_) != 0;
    case Kind::Bool:
        return std::get<bool>(value_);
    case Kind::Double:
        return std::get<double>(value_) != 0;
    }
    return false;
}

bool operator==(const Variant& a, const Variant& b) {
    using Kind = Variant::Kind;
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.kind() == Kind::Text && b.kind() == Kind::Text)
        return std::get<std::string>(a.value_) == std::get<std::string>(b.value_);
    const auto integral = [](Kind k) {
        return k == Kind::Int || k == Kind::UInt || k == Kind::Bool;
    };
    if (integral(a.kind()) && integral(b.kind())) {
        if ((a.kind() == Kind::UInt) == (b.kind() == Kind::UInt))
            return a.kind() == Kind::UInt
                       ? std::get<std::uint64_t>(a.value_) == std::get<std::uint64_t>(b.value_)
                       : a.asInt64() == b.asInt64();
        const Variant& unsignedOne = a.kind() == Kind::UInt ? a : b;
        const std::int64_t signedValue = (a.kind() == Kind::UInt ? b : a).asInt64();
        return signedValue >= 0 && static_cast<std::uint64_t>(signedValue) ==
                                       std::get<std::uint64_t>(unsignedOne.value_);
    }
    const auto number = [](const Variant& v, double& out) {
        if (v.kind() == Kind::Text)
            return parseDouble(std::get<std::string>(v.value_), out);
        out = v.asDouble();
        return true;
    };
    double x = 0, y = 0;
    return number(a, x) && number(b, y) && x == y;
}

} // namespace dm::platform
