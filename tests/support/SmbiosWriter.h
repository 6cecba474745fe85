// Writes SMBIOS memory arrays and devices as tables and images, and sample boards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dm::test {

// A physical memory array (SMBIOS type 16).
struct SmbiosMemoryArray {
    std::uint8_t location = 0x03;        // system board
    std::uint8_t use = 0x03;             // system memory
    std::uint8_t errorCorrection = 0x03; // none
    std::uint64_t maxCapacityKb = 0;     // beyond 0x7FFFFFFF written as the extended maximum
    std::uint16_t memoryDevices = 0;
};

// A memory device (SMBIOS type 17). Absent strings are written as string number 0.
struct SmbiosMemoryDevice {
    std::uint64_t sizeMb = 0; // 0: empty slot; from 32767 on written as the extended size
    std::uint16_t totalWidth = 64;
    std::uint16_t dataWidth = 64;
    std::uint8_t formFactor = 0x09;    // DIMM
    std::uint8_t memoryType = 0x1A;    // DDR4
    std::uint16_t typeDetail = 0x0080; // synchronous
    std::optional<std::string> deviceLocator = {};
    std::optional<std::string> bankLocator = {};
    std::optional<std::string> manufacturer = {};
    std::optional<std::string> serialNumber = {};
    std::optional<std::string> assetTag = {};
    std::optional<std::string> partNumber = {};
    std::uint32_t speed = 0; // beyond 65534 written as the extended speed
    std::uint32_t configuredSpeed = 0;
    std::uint8_t rank = 0;
    std::uint16_t minimumVoltage = 0;
    std::uint16_t maximumVoltage = 0;
    std::uint16_t configuredVoltage = 0;
};

// Writes SMBIOS tables and images in the layout of a given SMBIOS version: 2.x images get a "_SM_"
// entry point, 3.x images a "_SM3_" one, and structures carry the fields and length their version
// defines.
class SmbiosWriter {
public:
    SmbiosWriter(int major, int minor);

    // A structure of any type; `fields` are the bytes after the 4-byte header.
    SmbiosWriter& Add(std::uint8_t type, const std::vector<std::uint8_t>& fields,
                      const std::vector<std::string>& strings = {});
    SmbiosWriter& addArray(const SmbiosMemoryArray& array);
    SmbiosWriter& addDevice(const SmbiosMemoryDevice& device);
    // Raw bytes appended to the table as they are (for broken tables).
    SmbiosWriter& addBytes(const std::vector<std::uint8_t>& bytes);

    // The structures followed by an end-of-table structure.
    std::vector<std::uint8_t> table() const;
    // The entry point for a table at `address`.
    std::vector<std::uint8_t> entryPoint(std::uint64_t address) const;
    // A whole image as `dmidecode --dump-bin` writes it: the entry point, then the table at 0x20.
    std::vector<std::uint8_t> image() const;
    // Image() as a byte string, for writing to a file.
    std::string imageText() const;
    // Whether the entry point of the writer's version can hold the table's length and structure
    // count (a 2.x entry point holds 16-bit ones).
    bool entryPointCanDescribeTable() const;

private:
    int major_;
    int minor_;
    std::vector<std::uint8_t> structures_;
    int count_ = 0;
    int maxStructureSize_ = 0;
    std::uint16_t nextHandle_ = 0x1000;
    std::uint16_t lastArrayHandle_ = 0xFFFE;
};

// A board with the given number of slots and modules in the first slots, in the layout of the
// given SMBIOS version; the modules are DDR4-2400 8 GB ones of the given maker and part number,
// serials numbered after their slot.
SmbiosWriter sampleBoard(int slots, int modules, int major = 3, int minor = 3,
                         const std::string& maker = "Kingston",
                         const std::string& part = "KHX2400C15/8G");

} // namespace dm::test
