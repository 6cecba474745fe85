#pragma once

#include "inventory/WmiClass.h"
#include "inventory/WmiConverters.h"

#include <cstdint>
#include <string>

namespace dm {

// The memory modules: one row per module of WMI's Win32_PhysicalMemory in root\CIMV2.
class Win32_PhysicalMemory final : public WmiClass {
public:
    // With AutoLoad the object comes back loaded, row 0 copied when there is one.
    Win32_PhysicalMemory(platform::WmiLocator* locator, bool autoLoad);

    // Copies row Index into the fields; an index out of range or already current changes nothing.
    void SetCollectionIndex(int index) override;

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
