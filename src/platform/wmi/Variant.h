// An automation value as WMI delivers it, and its conversions.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <string>
#include <variant>

namespace dm::platform {

// Raised when a variant value cannot be converted to the type asked for.
class VariantConversionError : public Error {
public:
    using Error::Error;
};

// An automation value as WMI delivers it: Null, text, a signed or unsigned integer, a Boolean or
// a double. Conversions follow the automation rules and raise VariantConversionError when the value
// does not fit; a Null value never converts (callers test isNull first).
class Variant {
public:
    enum class Kind { Null, Text, Int, UInt, Bool, Double };

    Variant() = default;
    static Variant fromText(std::string text) { return Variant(Store(std::move(text))); }
    static Variant fromInt(std::int64_t value) { return Variant(Store(value)); }
    static Variant fromUInt(std::uint64_t value) { return Variant(Store(value)); }
    static Variant fromBool(bool value) { return Variant(Store(value)); }
    static Variant fromDouble(double value) { return Variant(Store(value)); }

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool isNull() const { return kind() == Kind::Null; }

    std::string asText() const;
    std::int64_t asInt64() const;
    std::int32_t asInt32() const;
    double asDouble() const;
    bool asBool() const;

    // Variant equality: Null equals only Null, numbers compare by value whatever their kind, texts
    // byte for byte, and a text equals a number when it converts to that number.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    using Store =
        std::variant<std::monostate, std::string, std::int64_t, std::uint64_t, bool, double>;
    explicit Variant(Store value) : value_(std::move(value)) {}
    Store value_;
};

} // namespace dm::platform
