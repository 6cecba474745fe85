// The memory array and devices read from udev's database record of the DMI device.
#pragma once

#include "platform/smbios/SmbiosMemory.h"

#include <optional>
#include <string_view>

namespace dm::platform {

// The memory array and devices that udev's database record of the DMI device holds
// ("E:MEMORY_ARRAY_*" and "E:MEMORY_DEVICE_<n>_*" lines, which udev makes from SMBIOS types 16
// and 17 and which any user may read). Names and values are turned back into SMBIOS codes. No
// memory property at all gives nothing.
std::optional<SmbiosMemory> parseUdevMemoryProperties(std::string_view database);

} // namespace dm::platform
