// The board's memory arrays: one row per array of Win32_PhysicalMemoryArray.
#pragma once

#include "inventory/WmiConverters.h"
#include "inventory/WmiRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dm {

// The board's memory arrays: one row per array of WMI's Win32_PhysicalMemoryArray in root\CIMV2.
class Win32_PhysicalMemoryArray final : public WmiRecord<Win32_PhysicalMemoryArray> {
public:
    // With autoLoad the object comes back loaded, row 0 copied when there is one.
    Win32_PhysicalMemoryArray(platform::WmiLocator& locator, bool autoLoad);
    // The same through a connection to root\CIMV2 that the caller shares between records.
    Win32_PhysicalMemoryArray(WmiConnection& connection, bool autoLoad);

    // The record's fields, one row per property, in the class's order.
    static const std::vector<RecordField<Win32_PhysicalMemoryArray>>& fields();

    std::string Caption;
    std::string CreationClassName;
    double Depth = 0;
    std::string Description;
    double Height = 0;
    bool HotSwappable = false;
    DateTime InstallDate = 0;
    std::uint16_t Location = 0;
    std::string Manufacturer;
    std::uint32_t MaxCapacity = 0;   // kilobytes, saturated at 4 TB
    std::uint64_t MaxCapacityEx = 0; // kilobytes, for arrays of 4 TB and more
    std::uint16_t MemoryDevices = 0; // number of slots
    std::uint16_t MemoryErrorCorrection = 0;
    std::string Model;
    std::string Name;
    std::string OtherIdentifyingInfo;
    std::string PartNumber;
    bool PoweredOn = false;
    bool Removable = false;
    bool Replaceable = false;
    std::string SerialNumber;
    std::string SKU;
    std::string Status;
    std::string Tag;
    std::uint16_t Use = 0;
    std::string Version;
    double Weight = 0;
    double Width = 0;
};

} // namespace dm
