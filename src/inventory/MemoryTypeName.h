// The name of a module's memory type code, or the DDR generation its speed suggests.
#pragma once

#include <cstdint>
#include <string>

namespace dm {

// The name of a module's memory type code (WMI's MemoryType, continued with the later SMBIOS
// types); when the code says nothing useful ("Unknown", "Reserved", "Other") and the speed in MHz
// is above 200, the DDR generation guessed from the speed.
std::string MemoryTypeName(std::int32_t typeCode, std::int32_t speed);

} // namespace dm
