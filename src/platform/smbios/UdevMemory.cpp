// The memory properties of udev's DMI record turned back into SMBIOS codes.
#include "platform/smbios/UdevMemory.h"

#include "platform/text/TextLines.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <string>

namespace dm::platform {

namespace {

struct NameRow {
    std::string_view name;
    std::uint8_t code;
};

constexpr NameRow kLocations[] = {
    {"Other", 0x01},
    {"Unknown", 0x02},
    {"System Board Or Motherboard", 0x03},
    {"ISA Add-on Card", 0x04},
    {"EISA Add-on Card", 0x05},
    {"PCI Add-on Card", 0x06},
    {"MCA Add-on Card", 0x07},
    {"PCMCIA Add-on Card", 0x08},
    {"Proprietary Add-on Card", 0x09},
    {"NuBus", 0x0A},
};

constexpr NameRow kErrorCorrections[] = {
    {"Other", 0x01},          {"Unknown", 0x02},       {"None", 0x03}, {"Parity", 0x04},
    {"Single-bit ECC", 0x05}, {"Multi-bit ECC", 0x06}, {"CRC", 0x07},
};

constexpr NameRow kFormFactors[] = {
    {"Other", 0x01},  {"Unknown", 0x02}, {"SIMM", 0x03},         {"SIP", 0x04},
    {"Chip", 0x05},   {"DIP", 0x06},     {"ZIP", 0x07},          {"Proprietary Card", 0x08},
    {"DIMM", 0x09},   {"TSOP", 0x0A},    {"Row Of Chips", 0x0B}, {"RIMM", 0x0C},
    {"SODIMM", 0x0D}, {"SRIMM", 0x0E},   {"FB-DIMM", 0x0F},      {"Die", 0x10},
};

constexpr NameRow kMemoryTypes[] = {
    {"Other", 0x01},  {"Unknown", 0x02}, {"DRAM", 0x03},   {"EDRAM", 0x04},
    {"VRAM", 0x05},   {"SRAM", 0x06},    {"RAM", 0x07},    {"ROM", 0x08},
    {"Flash", 0x09},  {"EEPROM", 0x0A},  {"FEPROM", 0x0B}, {"EPROM", 0x0C},
    {"CDRAM", 0x0D},  {"3DRAM", 0x0E},   {"SDRAM", 0x0F},  {"SGRAM", 0x10},
    {"RDRAM", 0x11},  {"DDR", 0x12},     {"DDR2", 0x13},   {"DDR2 FB-DIMM", 0x14},
    {"DDR3", 0x18},   {"FBD2", 0x19},    {"DDR4", 0x1A},   {"LPDDR", 0x1B},
    {"LPDDR2", 0x1C}, {"LPDDR3", 0x1D},  {"LPDDR4", 0x1E}, {"Logical non-volatile device", 0x1F},
    {"HBM", 0x20},    {"HBM2", 0x21},    {"DDR5", 0x22},   {"LPDDR5", 0x23},
};

// Type detail names, bit 1 upwards.
constexpr std::string_view kTypeDetails[] = {
    "Other",
    "Unknown",
    "Fast-paged",
    "Static Column",
    "Pseudo-static",
    "RAMBus",
    "Synchronous",
    "CMOS",
    "EDO",
    "Window DRAM",
    "Cache DRAM",
    "Non-Volatile",
    "Registered (Buffered)",
    "Unbuffered (Unregistered)",
    "LRDIMM",
};

std::uint8_t code(const auto& table, std::string_view name, std::uint8_t otherwise) {
    for (const NameRow& row : table)
        if (row.name == name)
            return row.code;
    return otherwise;
}

std::optional<std::uint64_t> number(const std::map<std::string, std::string>& p,
                                    const std::string& key) {
    const auto it = p.find(key);
    std::uint64_t value = 0;
    if (it == p.end())
        return std::nullopt;
    const char* end = it->second.data() + it->second.size();
    auto [ptr, ec] = std::from_chars(it->second.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::optional<std::string> textOf(const std::map<std::string, std::string>& p,
                                  const std::string& key) {
    const auto it = p.find(key);
    return it == p.end() ? std::nullopt : std::optional<std::string>(it->second);
}

// Voltages come in volts ("1.2"); SMBIOS holds millivolts.
std::optional<std::uint16_t> millivolts(const std::map<std::string, std::string>& p,
                                        const std::string& key) {
    const std::optional<std::string> text = textOf(p, key);
    double volts = 0;
    if (!text)
        return std::nullopt;
    const char* end = text->data() + text->size();
    auto [ptr, ec] = std::from_chars(text->data(), end, volts);
    if (ec != std::errc() || ptr != end || !(volts > 0 && volts < 65.0))
        return std::nullopt;
    return static_cast<std::uint16_t>(volts * 1000 + 0.5);
}

std::uint16_t typeDetailBits(std::string_view text) {
    std::uint16_t bits = 0;
    // Names are blank-separated but may hold blanks themselves: match them at each position.
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t matched = 0;
        for (std::size_t bit = 0; bit < std::size(kTypeDetails); ++bit) {
            const std::string_view name = kTypeDetails[bit];
            if (text.substr(pos, name.size()) == name && name.size() > matched &&
                (pos + name.size() == text.size() || text[pos + name.size()] == ' ')) {
                matched = name.size();
                bits = static_cast<std::uint16_t>(bits | (1u << (bit + 1)));
            }
        }
        pos += matched + 1;
    }
    return bits;
}

MemoryDeviceStructure device(const std::map<std::string, std::string>& p,
                             const std::string& prefix) {
    MemoryDeviceStructure d;
    const auto key = [&](const char* name) { return prefix + name; };
    d.Installed = textOf(p, key("PRESENT")) != "0";
    // A size beyond what SMBIOS can state is no real module's; it stops there, as in the tables.
    if (const std::optional<std::uint64_t> size = number(p, key("SIZE")))
        d.SizeBytes = std::min(*size, kMaxDeviceSizeBytes);
    const auto word = [&](const char* name) -> std::optional<std::uint16_t> {
        const std::optional<std::uint64_t> v = number(p, key(name));
        return v && *v <= 0xFFFF ? std::optional<std::uint16_t>(std::uint16_t(*v)) : std::nullopt;
    };
    const auto dword = [&](const char* name) -> std::optional<std::uint32_t> {
        const std::optional<std::uint64_t> v = number(p, key(name));
        return v && *v <= 0xFFFFFFFF ? std::optional<std::uint32_t>(std::uint32_t(*v))
                                     : std::nullopt;
    };
    d.TotalWidth = word("TOTAL_WIDTH");
    d.DataWidth = word("DATA_WIDTH");
    d.FormFactor = code(kFormFactors, textOf(p, key("FORM_FACTOR")).value_or(""), 0);
    d.MemoryType = code(kMemoryTypes, textOf(p, key("TYPE")).value_or(""), 0);
    d.TypeDetail = typeDetailBits(textOf(p, key("TYPE_DETAIL")).value_or(""));
    d.DeviceLocator = textOf(p, key("LOCATOR"));
    d.BankLocator = textOf(p, key("BANK_LOCATOR"));
    d.Manufacturer = textOf(p, key("MANUFACTURER"));
    d.SerialNumber = textOf(p, key("SERIAL_NUMBER"));
    d.AssetTag = textOf(p, key("ASSET_TAG"));
    d.PartNumber = textOf(p, key("PART_NUMBER"));
    d.Speed = dword("SPEED_MTS");
    d.ConfiguredSpeed = dword("CONFIGURED_SPEED_MTS");
    if (const std::optional<std::uint16_t> rank = word("RANK"); rank && *rank <= 0x0F)
        d.Rank = static_cast<std::uint8_t>(*rank);
    d.MinimumVoltage = millivolts(p, key("MINIMUM_VOLTAGE"));
    d.MaximumVoltage = millivolts(p, key("MAXIMUM_VOLTAGE"));
    d.ConfiguredVoltage = millivolts(p, key("CONFIGURED_VOLTAGE"));
    return d;
}

} // namespace

std::optional<SmbiosMemory> parseUdevMemoryProperties(std::string_view database) {
    std::map<std::string, std::string> properties;
    std::set<std::size_t> devices;
    bool any = false;
    for (std::string_view line : splitLines(database)) {
        if (!line.starts_with("E:MEMORY_"))
            continue;
        line.remove_prefix(2);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string_view name = line.substr(0, eq);
        properties[std::string(name)] = std::string(line.substr(eq + 1));
        any = true;
        constexpr std::string_view kDevice = "MEMORY_DEVICE_";
        if (name.starts_with(kDevice)) {
            std::size_t number = 0;
            const char* first = name.data() + kDevice.size();
            auto [ptr, ec] = std::from_chars(first, name.data() + name.size(), number);
            // udev numbers the devices from 0 in table order; a number beyond any real table
            // is not one of them.
            if (ec == std::errc() && ptr != first && ptr != name.data() + name.size() &&
                *ptr == '_' && number < kMaxMemoryStructures)
                devices.insert(number);
        }
    }
    if (!any)
        return std::nullopt;

    SmbiosMemory info;
    if (properties.count("MEMORY_ARRAY_NUM_DEVICES") ||
        properties.count("MEMORY_ARRAY_MAX_CAPACITY")) {
        MemoryArrayStructure array;
        array.Use = kSmbiosUseSystemMemory; // udev reports only arrays of system memory
        array.Location =
            code(kLocations, textOf(properties, "MEMORY_ARRAY_LOCATION").value_or(""), 0x02);
        array.ErrorCorrection = code(
            kErrorCorrections, textOf(properties, "MEMORY_ARRAY_EC_TYPE").value_or("None"), 0x02);
        if (const auto bytes = number(properties, "MEMORY_ARRAY_MAX_CAPACITY"))
            array.MaxCapacityKb = *bytes / 1024;
        array.MemoryDevices = static_cast<std::uint16_t>(std::min<std::uint64_t>(
            number(properties, "MEMORY_ARRAY_NUM_DEVICES").value_or(0), 0xFFFF));
        info.Arrays.push_back(array);
    }
    // Devices keep their table position; a number udev skipped stands for a device it could not
    // read.
    const std::size_t count = devices.empty() ? 0 : *devices.rbegin() + 1;
    for (std::size_t n = 0; n < count; ++n)
        info.Devices.push_back(devices.count(n)
                                   ? device(properties, "MEMORY_DEVICE_" + std::to_string(n) + "_")
                                   : MemoryDeviceStructure{});
    return info;
}

} // namespace dm::platform
