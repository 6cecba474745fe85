#include "platform/wmi/MemoryWmiRepository.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace dm::platform {

namespace {

struct CodeRow {
    std::uint8_t smbios;
    std::uint16_t cim;
};

constexpr CodeRow MemoryTypes[] = {
    {0x01, 1},  // Other
    {0x02, 0},  // Unknown
    {0x03, 2},  // DRAM
    {0x04, 6},  // EDRAM
    {0x05, 7},  // VRAM
    {0x06, 8},  // SRAM
    {0x07, 9},  // RAM
    {0x08, 10}, // ROM
    {0x09, 11}, // Flash
    {0x0A, 12}, // EEPROM
    {0x0B, 13}, // FEPROM
    {0x0C, 14}, // EPROM
    {0x0D, 15}, // CDRAM
    {0x0E, 16}, // 3DRAM
    {0x0F, 17}, // SDRAM
    {0x10, 18}, // SGRAM
    {0x11, 19}, // RDRAM
    {0x12, 20}, // DDR
    {0x13, 21}, // DDR2
    {0x14, 22}, // DDR2 FB-DIMM
    {0x18, 24}, // DDR3
    {0x19, 25}, // FBD2
    {0x1A, 26}, // DDR4
    {0x1B, 27}, // LPDDR
    {0x1C, 28}, // LPDDR2
    {0x1D, 29}, // LPDDR3
    {0x1E, 30}, // LPDDR4
    {0x1F, 31}, // Logical non-volatile device
    {0x20, 32}, // HBM
    {0x21, 33}, // HBM2
    {0x22, 34}, // DDR5
    {0x23, 35}, // LPDDR5
};

constexpr CodeRow FormFactors[] = {
    {0x01, 1},  // Other
    {0x02, 0},  // Unknown
    {0x03, 7},  // SIMM
    {0x04, 2},  // SIP
    {0x06, 3},  // DIP
    {0x07, 4},  // ZIP
    {0x08, 6},  // Proprietary Card
    {0x09, 8},  // DIMM
    {0x0A, 9},  // TSOP
    {0x0C, 11}, // RIMM
    {0x0D, 12}, // SODIMM
    {0x0E, 13}, // SRIMM
};

std::uint16_t Lookup(const auto& table, std::uint8_t code) {
    for (const CodeRow& row : table)
        if (row.smbios == code)
            return row.cim;
    return 0;
}

Variant Text(const std::optional<std::string>& text) {
    return text ? Variant::Text(*text) : Variant();
}

Variant Fixed(std::string text) {
    return Variant::Text(std::move(text));
}

// A CIM unsigned 16- or 32-bit value as the scripting interface delivers it: a signed 32-bit
// integer, so 32-bit values above 2147483647 arrive negative.
Variant Integer(std::uint32_t value) {
    return Variant::Int(static_cast<std::int32_t>(value));
}

template <class T> Variant Integer(const std::optional<T>& value) {
    return value ? Integer(static_cast<std::uint32_t>(*value)) : Variant();
}

// A CIM 64-bit value, delivered as decimal text.
Variant Decimal(const std::optional<std::uint64_t>& value) {
    return value ? Variant::Text(std::to_string(*value)) : Variant();
}

const Variant Null;

void AddModules(WmiRepository& repository, const SmbiosMemory& memory) {
    repository.AddClass("Win32_PhysicalMemory", {"Attributes",
                                                 "BankLabel",
                                                 "Capacity",
                                                 "Caption",
                                                 "ConfiguredClockSpeed",
                                                 "ConfiguredVoltage",
                                                 "CreationClassName",
                                                 "DataWidth",
                                                 "Description",
                                                 "DeviceLocator",
                                                 "FormFactor",
                                                 "HotSwappable",
                                                 "InstallDate",
                                                 "InterleaveDataDepth",
                                                 "InterleavePosition",
                                                 "Manufacturer",
                                                 "MaxVoltage",
                                                 "MemoryType",
                                                 "MinVoltage",
                                                 "Model",
                                                 "Name",
                                                 "OtherIdentifyingInfo",
                                                 "PartNumber",
                                                 "PositionInRow",
                                                 "PoweredOn",
                                                 "Removable",
                                                 "Replaceable",
                                                 "SerialNumber",
                                                 "SKU",
                                                 "SMBIOSMemoryType",
                                                 "Speed",
                                                 "Status",
                                                 "Tag",
                                                 "TotalWidth",
                                                 "TypeDetail",
                                                 "Version"});
    for (std::size_t i = 0; i < memory.Devices.size(); ++i) {
        const MemoryDeviceStructure& d = memory.Devices[i];
        if (!d.Installed)
            continue;
        repository.AddInstance("Win32_PhysicalMemory",
                               {Integer(d.Rank),
                                Text(d.BankLocator),
                                Decimal(d.SizeBytes),
                                Fixed("Physical Memory"),
                                Integer(d.ConfiguredSpeed),
                                Integer(d.ConfiguredVoltage),
                                Fixed("Win32_PhysicalMemory"),
                                Integer(d.DataWidth),
                                Fixed("Physical Memory"),
                                Text(d.DeviceLocator),
                                Integer(CimFormFactor(d.FormFactor)),
                                Null,
                                Null,
                                Null,
                                Null,
                                Text(d.Manufacturer),
                                Integer(d.MaximumVoltage),
                                Integer(CimMemoryType(d.MemoryType)),
                                Integer(d.MinimumVoltage),
                                Null,
                                Fixed("Physical Memory"),
                                Null,
                                Text(d.PartNumber),
                                Null,
                                Null,
                                Null,
                                Null,
                                Text(d.SerialNumber),
                                Null,
                                Integer(d.MemoryType),
                                Integer(d.Speed),
                                Null,
                                Fixed("Physical Memory " + std::to_string(i)),
                                Integer(d.TotalWidth),
                                Integer(d.TypeDetail),
                                Null});
    }
}

void AddArrays(WmiRepository& repository, const SmbiosMemory& memory) {
    repository.AddClass("Win32_PhysicalMemoryArray", {"Caption",
                                                      "CreationClassName",
                                                      "Depth",
                                                      "Description",
                                                      "Height",
                                                      "HotSwappable",
                                                      "InstallDate",
                                                      "Location",
                                                      "Manufacturer",
                                                      "MaxCapacity",
                                                      "MaxCapacityEx",
                                                      "MemoryDevices",
                                                      "MemoryErrorCorrection",
                                                      "Model",
                                                      "Name",
                                                      "OtherIdentifyingInfo",
                                                      "PartNumber",
                                                      "PoweredOn",
                                                      "Removable",
                                                      "Replaceable",
                                                      "SerialNumber",
                                                      "SKU",
                                                      "Status",
                                                      "Tag",
                                                      "Use",
                                                      "Version",
                                                      "Weight",
                                                      "Width"});
    for (std::size_t i = 0; i < memory.Arrays.size(); ++i) {
        const MemoryArrayStructure& a = memory.Arrays[i];
        if (a.Use != kSmbiosUseSystemMemory)
            continue;
        // MaxCapacity is a 32-bit count of kilobytes; beyond it only MaxCapacityEx holds the size.
        std::optional<std::uint32_t> maxCapacity;
        if (a.MaxCapacityKb)
            maxCapacity =
                static_cast<std::uint32_t>(std::min<std::uint64_t>(*a.MaxCapacityKb, 0xFFFFFFFF));
        repository.AddInstance("Win32_PhysicalMemoryArray",
                               {Fixed("Physical Memory Array"),
                                Fixed("Win32_PhysicalMemoryArray"),
                                Null,
                                Fixed("Physical Memory Array"),
                                Null,
                                Null,
                                Null,
                                Integer(a.Location),
                                Null,
                                Integer(maxCapacity),
                                Decimal(a.MaxCapacityKb),
                                Integer(a.MemoryDevices),
                                Integer(a.ErrorCorrection),
                                Null,
                                Fixed("Physical Memory Array"),
                                Null,
                                Null,
                                Null,
                                Null,
                                Null,
                                Null,
                                Null,
                                Null,
                                Fixed("Physical Memory Array " + std::to_string(i)),
                                Integer(a.Use),
                                Null,
                                Null,
                                Null});
    }
}

} // namespace

std::uint16_t CimMemoryType(std::uint8_t smbiosType) {
    return Lookup(MemoryTypes, smbiosType);
}

std::uint16_t CimFormFactor(std::uint8_t smbiosFormFactor) {
    return Lookup(FormFactors, smbiosFormFactor);
}

std::shared_ptr<const WmiRepository> MemoryWmiRepository(const SmbiosMemory& memory) {
    auto repository = std::make_shared<WmiRepository>();
    AddModules(*repository, memory);
    AddArrays(*repository, memory);
    return repository;
}

} // namespace dm::platform
