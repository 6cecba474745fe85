// Reads the text of /proc/meminfo: total and available memory and the load in percent.
#pragma once

#include "platform/system/MemoryStatus.h"

#include <optional>
#include <string_view>

namespace dm::platform {

// Reads the text of /proc/meminfo: total and available physical memory and the load in percent
// (rounded to the nearest). Without "MemAvailable" (old kernels) free + buffers + cached counts as
// available. nullopt when "MemTotal" is missing, zero or unreadable.
std::optional<MemoryStatusSample> parseMeminfo(std::string_view text);

} // namespace dm::platform
