// The memory modules: one row per module of Win32_PhysicalMemory.
#pragma once

#include "inventory/WmiConverters.h"
#include "inventory/WmiRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dm {

// The memory modules: one row per module of WMI's Win32_PhysicalMemory in root\CIMV2.
class Win32_PhysicalMemory final : public WmiRecord<Win32_PhysicalMemory> {
public:
    // With autoLoad the object comes back loaded, row 0 copied when there is one.
    Win32_PhysicalMemory(platform::WmiLocator& locator, bool autoLoad);
    // The same through a connection to root\CIMV2 that the caller shares between records.
    Win32_PhysicalMemory(WmiConnection& connection, bool autoLoad);

    // The record's fields, one row per property, in the class's order.
    static const std::vector<RecordField<Win32_PhysicalMemory>>& fields();

    std::string BankLabel;
    std::int64_t Capacity = 0; // bytes
    std::string Caption;
    std::string CreationClassName;
    std::uint16_t DataWidth = 0;
    std::string Description;
    std::string DeviceLocator;
    std::uint16_t FormFactor = 0;
    bool HotSwappable = false;
    DateTime InstallDate = 0;
    std::uint16_t InterleaveDataDepth = 0;
    std::uint32_t InterleavePosition = 0;
    std::string Manufacturer;
    std::uint16_t MemoryType = 0;
    std::string Model;
    std::string Name;
    std::string OtherIdentifyingInfo;
    std::string PartNumber;
    std::uint32_t PositionInRow = 0;
    bool PoweredOn = false;
    bool Removable = false;
    bool Replaceable = false;
    std::string SerialNumber;
    std::string SKU;
    std::uint32_t Speed = 0; // MHz
    std::string Status;
    std::string Tag;
    std::uint16_t TotalWidth = 0;
    std::uint16_t TypeDetail = 0;
    std::string Version;
};

} // namespace dm
