// The WMI memory classes made from the firmware's memory arrays and devices.
#pragma once

#include "platform/smbios/SmbiosMemory.h"
#include "platform/wmi/LocalWmi.h"

#include <cstdint>
#include <memory>

namespace dm::platform {

// The CIM memory type code (Win32_PhysicalMemory.MemoryType) of an SMBIOS memory type.
std::uint16_t cimMemoryType(std::uint8_t smbiosType);
// The CIM form factor code (Win32_PhysicalMemory.FormFactor) of an SMBIOS form factor.
std::uint16_t cimFormFactor(std::uint8_t smbiosFormFactor);

// Win32_PhysicalMemory (one instance per installed device) and Win32_PhysicalMemoryArray (one
// per array of system memory), with the values Windows gives them and in the types its
// scripting interface delivers: 64-bit numbers as decimal text, 16- and 32-bit ones as signed
// 32-bit integers, Null where the firmware has no value.
std::shared_ptr<const WmiRepository> memoryWmiRepository(const SmbiosMemory& memory);

} // namespace dm::platform
