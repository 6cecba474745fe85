// An SMBIOS table and its structures, with fields and strings read safely.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace dm::platform {

// One structure of an SMBIOS table: its formatted area and its string set, as views into the
// table's bytes. Fields beyond the formatted area and string numbers beyond the set read as absent.
class SmbiosStructure {
public:
    SmbiosStructure(std::span<const std::uint8_t> formatted, std::vector<std::string_view> strings)
        : formatted_(formatted), strings_(std::move(strings)) {}

    std::uint8_t type() const { return formatted_[0]; }
    std::uint8_t length() const { return static_cast<std::uint8_t>(formatted_.size()); }

    std::optional<std::uint8_t> byte(std::size_t offset) const;
    std::optional<std::uint16_t> word(std::size_t offset) const;
    std::optional<std::uint32_t> dword(std::size_t offset) const;
    std::optional<std::uint64_t> qword(std::size_t offset) const;
    // The string a string-number field names (counted from 1); absent for 0 or beyond the set.
    std::optional<std::string_view> string(std::uint8_t number) const;
    // The string named by the string-number byte at `offset`.
    std::optional<std::string_view> stringAt(std::size_t offset) const;

private:
    std::optional<std::uint64_t> littleEndian(std::size_t offset, std::size_t size) const;

    std::span<const std::uint8_t> formatted_;
    std::vector<std::string_view> strings_;
};

// An SMBIOS table read from an entry point (2.x "_SM_", legacy "_DMI_" or 3.x "_SM3_") and its
// structure table. A table shorter than announced, or broken part-way, keeps the structures that
// precede the damage; an entry point that fails its checks gives no table at all.
class SmbiosTable {
public:
    SmbiosTable(const SmbiosTable&) = delete;
    SmbiosTable& operator=(const SmbiosTable&) = delete;
    SmbiosTable(SmbiosTable&&) = default;
    SmbiosTable& operator=(SmbiosTable&&) = default;

    // An image as `dmidecode --dump-bin` writes it: the entry point at offset 0 and the table at
    // the address the entry point gives (0x20), both in the same file.
    static std::optional<SmbiosTable> fromImage(std::vector<std::uint8_t> image);
    // The kernel's pair of files: the entry point and the table on its own.
    static std::optional<SmbiosTable>
    fromEntryPointAndTable(std::span<const std::uint8_t> entryPoint,
                           std::vector<std::uint8_t> table);

    int majorVersion() const { return major_; }
    int minorVersion() const { return minor_; }
    const std::vector<SmbiosStructure>& structures() const { return structures_; }

private:
    struct EntryPoint;
    SmbiosTable() = default;
    static std::optional<EntryPoint> readEntryPoint(std::span<const std::uint8_t> bytes);
    static SmbiosTable walk(const EntryPoint& entry, std::vector<std::uint8_t> bytes,
                            std::size_t offset, std::size_t length);

    std::vector<std::uint8_t> bytes_;
    int major_ = 0;
    int minor_ = 0;
    std::vector<SmbiosStructure> structures_;
};

} // namespace dm::platform
