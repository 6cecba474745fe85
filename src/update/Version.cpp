// Four-part software versions read from text or from file version words, compared and written.
#include "update/Version.h"

#include "framework/TextUtils.h"
#include "platform/text/IntegerText.h"

#include <tuple>
#include <utility>

namespace dm::update {

namespace {

constexpr std::int32_t kHighestPart = 65535;

std::int32_t readPart(const std::string& piece) {
    const std::int32_t value = platform::StrToIntDef(piece, 0);
    return value > kHighestPart ? 0 : value;
}

} // namespace

VigilVersion VigilVersion::CreateFromDwords(std::uint32_t ms, std::uint32_t ls) {
    VigilVersion v;
    v.Major = static_cast<std::int32_t>(ms >> 16);
    v.Minor = static_cast<std::int32_t>(ms & 0xFFFF);
    v.Release = static_cast<std::int32_t>(ls >> 16);
    v.Build = static_cast<std::int32_t>(ls & 0xFFFF);
    return v;
}

void VigilVersion::SetFromText(const std::string& text) {
    std::string padded = text;
    while (CountFields(padded, ".") <= 3)
        padded += ".0";
    const std::size_t first = padded.find('.');
    const std::size_t second = padded.find('.', first + 1);
    const std::size_t third = padded.find('.', second + 1);
    Major = readPart(padded.substr(0, first));
    Minor = readPart(padded.substr(first + 1, second - first - 1));
    Release = readPart(padded.substr(second + 1, third - second - 1));
    Build = readPart(padded.substr(third + 1));
}

std::uint32_t VigilVersion::GetMS() const {
    return (static_cast<std::uint32_t>(Major) << 16) + static_cast<std::uint32_t>(Minor);
}

std::uint32_t VigilVersion::GetLS() const {
    return (static_cast<std::uint32_t>(Release) << 16) + static_cast<std::uint32_t>(Build);
}

std::string VigilVersion::ToText() const {
    return std::to_string(Major) + "." + std::to_string(Minor) + "." + std::to_string(Release) +
           "." + std::to_string(Build);
}

std::string VigilVersion::MSText() const {
    return std::to_string(GetMS());
}

std::string VigilVersion::LSText() const {
    return std::to_string(GetLS());
}

bool VigilVersion::IsValid() const {
    // Summed in 64 bits: parts near the 32-bit limits must not wrap into a positive sum.
    const std::int64_t sum = std::int64_t{Major} + Minor + Release + Build;
    return sum > 0;
}

bool VigilVersion::IsNewerThan(const VigilVersion& other) const {
    return std::tie(Major, Minor, Release, Build) >
           std::tie(other.Major, other.Minor, other.Release, other.Build);
}

bool VigilVersion::IsNewerThanDwords(std::uint32_t ms, std::uint32_t ls) const {
    return std::pair(GetMS(), GetLS()) > std::pair(ms, ls);
}

} // namespace dm::update
