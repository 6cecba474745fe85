// The memory classes built from SMBIOS memory, with SMBIOS codes mapped to CIM codes.
#include "platform/wmi/MemoryWmiRepository.h"

#include <algorithm>
#include <functional>
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

Variant optionalText(const std::optional<std::string>& text) {
    return text ? Variant::fromText(*text) : Variant();
}

// A CIM unsigned 16- or 32-bit value as the scripting interface delivers it: a signed 32-bit
// integer, so 32-bit values above 2147483647 arrive negative.
Variant integer(std::uint32_t value) {
    return Variant::fromInt(static_cast<std::int32_t>(value));
}

template <class T> Variant integer(const std::optional<T>& value) {
    return value ? integer(static_cast<std::uint32_t>(*value)) : Variant();
}

// A CIM 64-bit value, delivered as decimal text.
Variant decimal(const std::optional<std::uint64_t>& value) {
    return value ? Variant::fromText(std::to_string(*value)) : Variant();
}

// One property of a class: its name and its value for the structure at a position of the table.
template <class Structure> struct Column {
    std::string name;
    std::function<Variant(const Structure&, std::size_t position)> value;
};

// A member of the structure delivered as text, as a CIM integer, or as a CIM 64-bit value.
template <class Structure, class T>
Column<Structure> textOf(std::string name, T Structure::*member) {
    return {std::move(name),
            [member](const Structure& s, std::size_t) { return optionalText(s.*member); }};
}

template <class Structure, class T>
Column<Structure> integerOf(std::string name, T Structure::*member) {
    return {std::move(name),
            [member](const Structure& s, std::size_t) { return integer(s.*member); }};
}

template <class Structure, class T>
Column<Structure> decimalOf(std::string name, T Structure::*member) {
    return {std::move(name),
            [member](const Structure& s, std::size_t) { return decimal(s.*member); }};
}

// The same text for every instance.
template <class Structure> Column<Structure> fixed(std::string name, std::string text) {
    return {std::move(name),
            [text](const Structure&, std::size_t) { return Variant::fromText(text); }};
}

// The text followed by the structure's position in the table.
template <class Structure> Column<Structure> numbered(std::string name, std::string text) {
    return {std::move(name), [text](const Structure&, std::size_t position) {
                return Variant::fromText(text + std::to_string(position));
            }};
}

// A property the firmware has no value for.
template <class Structure> Column<Structure> none(std::string name) {
    return {std::move(name), [](const Structure&, std::size_t) { return Variant(); }};
}

using Device = MemoryDeviceStructure;
using Array = MemoryArrayStructure;

// Win32_PhysicalMemory, one row per property in the class's order.
const std::vector<Column<Device>>& moduleColumns() {
    static const std::vector<Column<Device>> kColumns = {
        integerOf("Attributes", &Device::Rank),
        textOf("BankLabel", &Device::BankLocator),
        decimalOf("Capacity", &Device::SizeBytes),
        fixed<Device>("Caption", "Physical Memory"),
        integerOf("ConfiguredClockSpeed", &Device::ConfiguredSpeed),
        integerOf("ConfiguredVoltage", &Device::ConfiguredVoltage),
        fixed<Device>("CreationClassName", "Win32_PhysicalMemory"),
        integerOf("DataWidth", &Device::DataWidth),
        fixed<Device>("Description", "Physical Memory"),
        textOf("DeviceLocator", &Device::DeviceLocator),
        {"FormFactor",
         [](const Device& d, std::size_t) { return integer(cimFormFactor(d.FormFactor)); }},
        none<Device>("HotSwappable"),
        none<Device>("InstallDate"),
        none<Device>("InterleaveDataDepth"),
        none<Device>("InterleavePosition"),
        textOf("Manufacturer", &Device::Manufacturer),
        integerOf("MaxVoltage", &Device::MaximumVoltage),
        {"MemoryType",
         [](const Device& d, std::size_t) { return integer(cimMemoryType(d.MemoryType)); }},
        integerOf("MinVoltage", &Device::MinimumVoltage),
        none<Device>("Model"),
        fixed<Device>("Name", "Physical Memory"),
        none<Device>("OtherIdentifyingInfo"),
        textOf("PartNumber", &Device::PartNumber),
        none<Device>("PositionInRow"),
        none<Device>("PoweredOn"),
        none<Device>("Removable"),
        none<Device>("Replaceable"),
        textOf("SerialNumber", &Device::SerialNumber),
        none<Device>("SKU"),
        integerOf("SMBIOSMemoryType", &Device::MemoryType),
        integerOf("Speed", &Device::Speed),
        none<Device>("Status"),
        numbered<Device>("Tag", "Physical Memory "),
        integerOf("TotalWidth", &Device::TotalWidth),
        integerOf("TypeDetail", &Device::TypeDetail),
        none<Device>("Version"),
    };
    return kColumns;
}

// Win32_PhysicalMemoryArray, one row per property in the class's order.
const std::vector<Column<Array>>& arrayColumns() {
    static const std::vector<Column<Array>> kColumns = {
        fixed<Array>("Caption", "Physical Memory Array"),
        fixed<Array>("CreationClassName", "Win32_PhysicalMemoryArray"),
        none<Array>("Depth"),
        fixed<Array>("Description", "Physical Memory Array"),
        none<Array>("Height"),
        none<Array>("HotSwappable"),
        none<Array>("InstallDate"),
        integerOf("Location", &Array::Location),
        none<Array>("Manufacturer"),
        // A 32-bit count of kilobytes; beyond it only MaxCapacityEx holds the size.
        {"MaxCapacity",
         [](const Array& a, std::size_t) {
             return a.MaxCapacityKb ? integer(static_cast<std::uint32_t>(
                                          std::min<std::uint64_t>(*a.MaxCapacityKb, 0xFFFFFFFF)))
                                    : Variant();
         }},
        decimalOf("MaxCapacityEx", &Array::MaxCapacityKb),
        integerOf("MemoryDevices", &Array::MemoryDevices),
        integerOf("MemoryErrorCorrection", &Array::ErrorCorrection),
        none<Array>("Model"),
        fixed<Array>("Name", "Physical Memory Array"),
        none<Array>("OtherIdentifyingInfo"),
        none<Array>("PartNumber"),
        none<Array>("PoweredOn"),
        none<Array>("Removable"),
        none<Array>("Replaceable"),
        none<Array>("SerialNumber"),
        none<Array>("SKU"),
        none<Array>("Status"),
        numbered<Array>("Tag", "Physical Memory Array "),
        integerOf("Use", &Array::Use),
        none<Array>("Version"),
        none<Array>("Weight"),
        none<Array>("Width"),
    };
    return kColumns;
}

// The class made of columns, with one instance per structure that included accepts.
template <class Structure>
void addClass(WmiRepository& repository, const std::string& className,
              const std::vector<Column<Structure>>& columns,
              const std::vector<Structure>& structures, bool (*included)(const Structure&)) {
    std::vector<std::string> names;
    for (const Column<Structure>& column : columns)
        names.push_back(column.name);
    repository.addClass(className, std::move(names));
    for (std::size_t position = 0; position < structures.size(); ++position) {
        if (!included(structures[position]))
            continue;
        std::vector<Variant> values;
        values.reserve(columns.size());
        for (const Column<Structure>& column : columns)
            values.push_back(column.value(structures[position], position));
        repository.addInstance(className, std::move(values));
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
    addClass<Device>(*repository, "Win32_PhysicalMemory", moduleColumns(), memory.Devices,
                     [](const Device& d) { return d.Installed; });
    addClass<Array>(*repository, "Win32_PhysicalMemoryArray", arrayColumns(), memory.Arrays,
                    [](const Array& a) { return a.Use == kSmbiosUseSystemMemory; });
    return repository;
}

} // namespace dm::platform
