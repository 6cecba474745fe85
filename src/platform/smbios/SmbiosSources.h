// Where the machine's memory structures are read from: an image, the kernel's tables, udev.
#pragma once

#include "platform/smbios/SmbiosMemory.h"

#include <optional>
#include <string>
#include <vector>

namespace dm::platform {

// Where the machine's memory structures are read from, in this order: an SMBIOS image named by
// DIMMETRIC_SMBIOS (as `dmidecode --dump-bin` writes it; when set, nothing else is tried), the
// kernel's SMBIOS tables (readable by root), then udev's record of the DMI device.
struct SmbiosSources {
    std::string image;
    std::string entryPointFile = "/sys/firmware/dmi/tables/smbios_entry_point";
    std::string tableFile = "/sys/firmware/dmi/tables/DMI";
    std::string udevDatabase = "/run/udev/data/+dmi:id";

    static SmbiosSources fromEnvironment();
};

// The memory structures of the first source that gives them, and why each source tried before
// it (or each source, when none answered) gave nothing: one text per source, in the order tried.
struct SmbiosMemoryLoad {
    std::optional<SmbiosMemory> info;
    std::vector<std::string> failures;
};
SmbiosMemoryLoad loadSmbiosMemoryExplained(const SmbiosSources& sources);

// The memory structures of the first source that gives them; nothing when none does.
std::optional<SmbiosMemory> loadSmbiosMemory(const SmbiosSources& sources);

} // namespace dm::platform
