// Reads the text of /proc/meminfo into total, available and load figures.
#include "platform/system/Meminfo.h"

#include "platform/text/Blanks.h"
#include "platform/text/Saturating.h"
#include "platform/text/TextLines.h"

#include <charconv>
#include <map>
#include <string>

namespace dm::platform {

namespace {

// "Name:   12345 kB" lines; the value in kilobytes. Lines that do not have this shape are skipped.
std::map<std::string, std::uint64_t, std::less<>> readFields(std::string_view text) {
    std::map<std::string, std::uint64_t, std::less<>> fields;
    for (const std::string_view line : splitLines(text)) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0)
            continue;
        const std::string_view rest = trimBlanks(line.substr(colon + 1));
        std::uint64_t value = 0;
        const auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        if (ec != std::errc() || ptr == rest.data())
            continue;
        fields.emplace(std::string(line.substr(0, colon)), value);
    }
    return fields;
}

std::uint64_t kilobytesToBytes(std::uint64_t kb) {
    constexpr std::uint64_t kLimit = UINT64_MAX / 1024;
    return kb > kLimit ? UINT64_MAX : kb * 1024;
}

} // namespace

std::optional<MemoryStatusSample> parseMeminfo(std::string_view text) {
    const auto fields = readFields(text);
    const auto field = [&](std::string_view name) -> std::optional<std::uint64_t> {
        const auto it = fields.find(name);
        return it == fields.end() ? std::nullopt : std::optional(it->second);
    };
    const auto total = field("MemTotal");
    if (!total || *total == 0)
        return std::nullopt;
    std::uint64_t available = 0;
    if (const auto value = field("MemAvailable"))
        available = *value;
    else
        available =
            saturatingAdd(saturatingAdd(field("MemFree").value_or(0), field("Buffers").value_or(0)),
                          field("Cached").value_or(0));
    if (available > *total)
        available = *total;
    MemoryStatusSample record;
    record.totalPhysical = kilobytesToBytes(*total);
    record.availablePhysical = kilobytesToBytes(available);
    const long double used = static_cast<long double>(*total - available);
    record.memoryLoad = static_cast<std::uint32_t>(used * 100 / *total + 0.5L);
    return record;
}

} // namespace dm::platform
