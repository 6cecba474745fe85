// Registry values built and read: 8-bit text to UTF-16 and back, numbers, string lists.
#include "platform/registry/RegistryValue.h"

#include "platform/text/ByteOrder.h"
#include "platform/text/Utf16.h"

#include <algorithm>

namespace dm::platform {

namespace {

RegistryValue stringValue(RegType type, std::string_view text) {
    std::u16string units = widenBytes(text);
    units.push_back(u'\0');
    return {type, unitsToUtf16Le(units)};
}

} // namespace

std::u16string widenBytes(std::string_view bytes) {
    std::u16string units;
    units.reserve(bytes.size());
    for (char byte : bytes)
        units.push_back(static_cast<unsigned char>(byte));
    return units;
}

std::string narrowUnits(std::u16string_view units) {
    std::string bytes;
    bytes.reserve(units.size());
    for (std::size_t at = 0; at < units.size(); ++at) {
        const char16_t unit = units[at];
        bytes.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
        // A character beyond the 16-bit range is one character, so one "?".
        if (isHighSurrogate(unit) && at + 1 < units.size() && isLowSurrogate(units[at + 1]))
            ++at;
    }
    return bytes;
}

RegistryValue RegistryValue::string(std::string_view text) {
    return stringValue(RegType::Sz, text);
}

RegistryValue RegistryValue::expandString(std::string_view text) {
    return stringValue(RegType::ExpandSz, text);
}

RegistryValue RegistryValue::dword(std::uint32_t value) {
    std::string data;
    appendLe(data, value, 4);
    return {RegType::Dword, data};
}

RegistryValue RegistryValue::binary(std::string_view bytes) {
    return {RegType::Binary, std::string(bytes)};
}

RegistryValue RegistryValue::multiString(const std::vector<std::string>& texts) {
    std::u16string units;
    for (const std::string& text : texts) {
        units += widenBytes(text);
        units.push_back(u'\0');
    }
    units.push_back(u'\0');
    return {RegType::MultiSz, unitsToUtf16Le(units)};
}

std::string RegistryValue::text() const {
    std::u16string units = utf16LeToUnits(data);
    return narrowUnits(std::u16string_view(units).substr(0, units.find(u'\0')));
}

std::uint32_t RegistryValue::dword() const {
    return static_cast<std::uint32_t>(readUnsigned(data, 0, std::min<std::size_t>(data.size(), 4)));
}

std::vector<std::string> RegistryValue::texts() const {
    std::vector<std::string> result;
    const std::u16string units = utf16LeToUnits(data);
    std::size_t start = 0;
    while (start < units.size()) {
        std::size_t end = units.find(u'\0', start);
        if (end == std::u16string::npos)
            end = units.size();
        if (end == start)
            break; // the empty entry that ends the list
        result.push_back(narrowUnits(std::u16string_view(units).substr(start, end - start)));
        start = end + 1;
    }
    return result;
}

} // namespace dm::platform
