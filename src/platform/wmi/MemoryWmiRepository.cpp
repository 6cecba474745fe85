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

constexpr CodeRow kMemoryTypes[] = {
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

constexpr CodeRow kFormFactors[] = {
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

std::uint16_t lookup(const auto& table, std::uint8_t code) {
    for (const CodeRow& row : table)
        if (row.smbios == code)
            return row.cim;
    return 0;
}

Variant Text(const std::optional<std::string>& text) {
    return text ? Variant::Text(*text) : Variant();
}

Variant fixed(std::string text) {
    return Variant::Text(std::move(text));
}

// A CIM unsigned 16- or 32-bit value as the scripting interface delivers it: a signed 32-bit
// integer, so 32-bit values above 2147483647 arrive negative.
Variant integer(std::uint32_t value) {
    return Variant::Int(static_cast<std::int32_t>(value));
}

template <class T> Variant integer(const std::optional<T>& value) {
    return value ? integer(static_cast<std::uint32_t>(*value)) : Variant();
}

// A CIM 64-bit value, delivered as decimal text.
Variant decimal(const std::optional<std::uint64_t>& value) {
    return value ? Variant::Text(std::to_string(*value)) : Variant();
}

const Variant kNull;

void addModules(WmiRepository& repository, const SmbiosMemory& memory) {
    repository.addClass("Win32_PhysicalMemory", {"Attributes",
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
        repository.addInstance("Win32_PhysicalMemory",
                               {integer(d.Rank),
                                Text(d.BankLocator),
                                decimal(d.SizeBytes),
                                fixed("Physical Memory"),
                                integer(d.ConfiguredSpeed),
                                integer(d.ConfiguredVoltage),
                                fixed("Win32_PhysicalMemory"),
                                integer(d.DataWidth),
                                fixed("Physical Memory"),
                                Text(d.DeviceLocator),
                                integer(cimFormFactor(d.FormFactor)),
                                kNull,
                                kNull,
                                kNull,
                                kNull,
                                Text(d.Manufacturer),
                                integer(d.MaximumVoltage),
                                integer(cimMemoryType(d.MemoryType)),
                                integer(d.MinimumVoltage),
                                kNull,
                                fixed("Physical Memory"),
                                kNull,
                                Text(d.PartNumber),
                                kNull,
                                kNull,
                                kNull,
                                kNull,
                                Text(d.SerialNumber),
                                kNull,
                                integer(d.MemoryType),
                                integer(d.Speed),
                                kNull,
                                fixed("Physical Memory " + std::to_string(i)),
                                integer(d.TotalWidth),
                                integer(d.TypeDetail),
                                kNull});
    }
}

void addArrays(WmiRepository& repository, const SmbiosMemory& memory) {
    repository.addClass("Win32_PhysicalMemoryArray", {"Caption",
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
        repository.addInstance("Win32_PhysicalMemoryArray",
                               {fixed("Physical Memory Array"),
                                fixed("Win32_PhysicalMemoryArray"),
                                kNull,
                                fixed("Physical Memory Array"),
                                kNull,
                                kNull,
                                kNull,
                                integer(a.Location),
                                kNull,
                                integer(maxCapacity),
                                decimal(a.MaxCapacityKb),
                                integer(a.MemoryDevices),
                                integer(a.ErrorCorrection),
                                kNull,
                                fixed("Physical Memory Array"),
                                kNull,
                                kNull,
                                kNull,
                                kNull,
                                kNull,
                                kNull,
                                kNull,
                                kNull,
                                fixed("Physical Memory Array " + std::to_string(i)),
                                integer(a.Use),
                                kNull,
                                kNull,
                                kNull});
    }
}

} // namespace

std::uint16_t cimMemoryType(std::uint8_t smbiosType) {
    return lookup(kMemoryTypes, smbiosType);
}

std::uint16_t cimFormFactor(std::uint8_t smbiosFormFactor) {
    return lookup(kFormFactors, smbiosFormFactor);
}

std::shared_ptr<const WmiRepository> memoryWmiRepository(const SmbiosMemory& memory) {
    auto repository = std::make_shared<WmiRepository>();
    addModules(*repository, memory);
    addArrays(*repository, memory);
    return repository;
}

} // namespace dm::platform
