// The machine's WMI over its memory tables, and the memory classes of an SMBIOS image.
#pragma once

#include "platform/smbios/SmbiosSources.h"
#include "platform/wmi/LocalWmi.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace dm::platform {

// The memory classes of an SMBIOS image (as `dmidecode --dump-bin` writes it); nullptr when the
// image is not one.
std::shared_ptr<const WmiRepository> memoryRepositoryFromImage(std::vector<std::uint8_t> image);

// The machine's WMI: the memory classes read afresh from the sources at every connection, which
// fails when no source answers, its message naming each source and why it gave nothing.
std::unique_ptr<WmiLocator> makeSystemWmiLocator(SmbiosSources sources);

} // namespace dm::platform
