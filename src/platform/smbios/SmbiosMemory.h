// The machine's memory arrays and devices as SMBIOS describes them, and the installed total.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dm::platform {

class SmbiosTable;

// A physical memory array (SMBIOS type 16), codes as SMBIOS gives them.
struct MemoryArrayStructure {
    std::uint8_t Location = 0;
    std::uint8_t Use = 0;
    std::uint8_t ErrorCorrection = 0;
    std::optional<std::uint64_t> MaxCapacityKb; // absent when unknown
    std::uint16_t MemoryDevices = 0;
};

inline constexpr std::uint8_t kSmbiosUseSystemMemory = 0x03;

// A memory device (SMBIOS type 17), codes as SMBIOS gives them; absent values are those SMBIOS
// reports as unknown or the structure's version does not carry.
struct MemoryDeviceStructure {
    bool Installed = false;
    std::optional<std::uint64_t> SizeBytes;
    std::optional<std::uint16_t> TotalWidth;
    std::optional<std::uint16_t> DataWidth;
    std::uint8_t FormFactor = 0;
    std::uint8_t MemoryType = 0;
    std::uint16_t TypeDetail = 0;
    std::optional<std::string> DeviceLocator;
    std::optional<std::string> BankLocator;
    std::optional<std::string> Manufacturer;
    std::optional<std::string> SerialNumber;
    std::optional<std::string> AssetTag;
    std::optional<std::string> PartNumber;
    std::optional<std::uint32_t> Speed; // MT/s, as SMBIOS reports it
    std::optional<std::uint32_t> ConfiguredSpeed;
    std::optional<std::uint8_t> Rank;
    std::optional<std::uint16_t> MinimumVoltage; // millivolts
    std::optional<std::uint16_t> MaximumVoltage;
    std::optional<std::uint16_t> ConfiguredVoltage;
};

// The largest module size SMBIOS can state (its extended size field: 2^31 - 1 megabytes). Sizes
// from every source stop there, so that sums of them stay far from any integer's end.
inline constexpr std::uint64_t kMaxDeviceSizeBytes = std::uint64_t(0x7FFFFFFF) << 20;

// The memory arrays and devices of a machine, each in table order.
struct SmbiosMemory {
    std::vector<MemoryArrayStructure> Arrays;
    std::vector<MemoryDeviceStructure> Devices;
};

// The most memory arrays, and the most memory devices, taken from one source. No machine has as
// many; a table that holds more is broken or hostile, and each one would become a WMI instance.
inline constexpr std::size_t kMaxMemoryStructures = 4096;

// Reads the type 16 and type 17 structures of the table, the first kMaxMemoryStructures of each;
// structures too short for their mandatory fields are skipped.
SmbiosMemory readSmbiosMemory(const SmbiosTable& table);

// The memory installed as the firmware lists it, in kilobytes: the sizes of its installed devices
// added up (a sum beyond 64 bits stays at the largest number, as a hostile record can claim any
// size); nullopt when no installed device has a size.
std::optional<std::uint64_t> installedKilobytes(const SmbiosMemory& memory);

} // namespace dm::platform
