// Reads the memory arrays (type 16) and memory devices (type 17) out of an SMBIOS table.
#include "platform/smbios/SmbiosMemory.h"

#include "platform/smbios/SmbiosTable.h"
#include "platform/text/Saturating.h"

namespace dm::platform {

namespace {

constexpr std::uint8_t kPhysicalMemoryArray = 16;
constexpr std::uint8_t kMemoryDevice = 17;

std::optional<std::string> textAt(const SmbiosStructure& s, std::size_t offset) {
    if (auto text = s.stringAt(offset))
        return std::string(*text);
    return std::nullopt;
}

template <class T> std::optional<T> unlessUnknown(std::optional<T> value, T unknown) {
    if (value && *value == unknown)
        return std::nullopt;
    return value;
}

// A speed word: 0 is unknown; FFFFh defers to the 32-bit extended field.
std::optional<std::uint32_t> speedAt(const SmbiosStructure& s, std::size_t offset,
                                     std::size_t extendedOffset) {
    const std::optional<std::uint16_t> speed = s.word(offset);
    if (!speed || *speed == 0)
        return std::nullopt;
    if (*speed != 0xFFFF)
        return *speed;
    const std::optional<std::uint32_t> extended = s.dword(extendedOffset);
    if (!extended || (*extended & 0x7FFFFFFF) == 0)
        return std::nullopt;
    return *extended & 0x7FFFFFFF;
}

std::optional<MemoryArrayStructure> readArray(const SmbiosStructure& s) {
    if (s.length() < 0x0F)
        return std::nullopt;
    MemoryArrayStructure array;
    array.Location = *s.byte(0x04);
    array.Use = *s.byte(0x05);
    array.ErrorCorrection = *s.byte(0x06);
    const std::uint32_t maxKb = *s.dword(0x07);
    if (maxKb != 0x80000000)
        array.MaxCapacityKb = maxKb;
    else if (const std::optional<std::uint64_t> bytes = s.qword(0x0F))
        array.MaxCapacityKb = *bytes / 1024;
    array.MemoryDevices = *s.word(0x0D);
    return array;
}

void readSize(const SmbiosStructure& s, MemoryDeviceStructure& device) {
    const std::uint16_t size = *s.word(0x0C);
    device.Installed = size != 0;
    if (size == 0 || size == 0xFFFF)
        return;
    if (size == 0x7FFF) {
        if (const std::optional<std::uint32_t> mb = s.dword(0x1C))
            device.SizeBytes = std::uint64_t(*mb & 0x7FFFFFFF) << 20;
        return;
    }
    // Bit 15 gives the unit: set for kilobytes, clear for megabytes.
    device.SizeBytes = std::uint64_t(size & 0x7FFF) << ((size & 0x8000) ? 10 : 20);
}

std::optional<MemoryDeviceStructure> readDevice(const SmbiosStructure& s) {
    if (s.length() < 0x15)
        return std::nullopt;
    MemoryDeviceStructure device;
    device.TotalWidth = unlessUnknown<std::uint16_t>(s.word(0x08), 0xFFFF);
    device.DataWidth = unlessUnknown<std::uint16_t>(s.word(0x0A), 0xFFFF);
    readSize(s, device);
    device.FormFactor = *s.byte(0x0E);
    device.DeviceLocator = textAt(s, 0x10);
    device.BankLocator = textAt(s, 0x11);
    device.MemoryType = *s.byte(0x12);
    device.TypeDetail = *s.word(0x13);
    device.Speed = speedAt(s, 0x15, 0x54);
    device.Manufacturer = textAt(s, 0x17);
    device.SerialNumber = textAt(s, 0x18);
    device.AssetTag = textAt(s, 0x19);
    device.PartNumber = textAt(s, 0x1A);
    if (const std::optional<std::uint8_t> attributes = s.byte(0x1B);
        attributes && (*attributes & 0x0F))
        device.Rank = *attributes & 0x0F;
    device.ConfiguredSpeed = speedAt(s, 0x20, 0x58);
    device.MinimumVoltage = unlessUnknown<std::uint16_t>(s.word(0x22), 0);
    device.MaximumVoltage = unlessUnknown<std::uint16_t>(s.word(0x24), 0);
    device.ConfiguredVoltage = unlessUnknown<std::uint16_t>(s.word(0x26), 0);
    return device;
}

} // namespace

SmbiosMemory readSmbiosMemory(const SmbiosTable& table) {
    SmbiosMemory info;
    for (const SmbiosStructure& s : table.structures()) {
        if (s.type() == kPhysicalMemoryArray && info.Arrays.size() < kMaxMemoryStructures) {
            if (std::optional<MemoryArrayStructure> array = readArray(s))
                info.Arrays.push_back(*array);
        } else if (s.type() == kMemoryDevice && info.Devices.size() < kMaxMemoryStructures) {
            if (std::optional<MemoryDeviceStructure> device = readDevice(s))
                info.Devices.push_back(std::move(*device));
        }
    }
    return info;
}

std::optional<std::uint64_t> installedKilobytes(const SmbiosMemory& memory) {
    std::uint64_t bytes = 0;
    bool any = false;
    for (const MemoryDeviceStructure& device : memory.Devices)
        if (device.Installed && device.SizeBytes) {
            bytes = saturatingAdd(bytes, *device.SizeBytes);
            any = true;
        }
    return any ? std::optional(bytes / 1024) : std::nullopt;
}

} // namespace dm::platform
