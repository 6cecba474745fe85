// Text helpers on arbitrary bytes: the identification rules feed them texts read from other
// programs' files. The input is split into a text and a second argument at the first zero byte.
#include "framework/FormatSize.h"
#include "framework/TextUtils.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto zero = input.find('\0');
    const std::string text = input.substr(0, zero);
    const std::string other = zero == std::string::npos ? std::string() : input.substr(zero + 1);
    const int count = other.empty() ? 0 : static_cast<signed char>(other[0]);

    dm::LeftText(text, count);
    dm::RightText(text, count);
    dm::StartsText(text, other);
    dm::EndsText(text, other);
    dm::StartsStr(text, other);
    dm::ContainsText(other, text);
    dm::RemovePrefixText(text, other);
    dm::RemoveSuffixText(text, other);
    dm::TextBefore(text, other);
    dm::TextAfter(text, other);
    const int fields = dm::CountFields(text, other);
    for (int index = -1; index <= fields && index < 64; ++index)
        dm::GetField(text, index, other);
    dm::UrlEncode(text);
    dm::StripTrailingUrls(text);
    dm::ExtractFileNameNoExt(text);
    dm::trimText(text);
    if (size >= sizeof(std::int64_t)) {
        std::int64_t bytes = 0;
        std::memcpy(&bytes, data, sizeof bytes);
        dm::FormatSize(bytes, dm::defaultSizeUnitNames(), ",");
    }
    return 0;
}
