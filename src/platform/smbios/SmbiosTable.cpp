// Reads an SMBIOS entry point and walks its structure table, keeping what precedes damage.
#include "platform/smbios/SmbiosTable.h"

#include "platform/text/ByteOrder.h"

#include <algorithm>
#include <cstring>

namespace dm::platform {

namespace {

constexpr std::size_t kHeaderSize = 4;
constexpr std::uint8_t kEndOfTable = 127;

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view anchor) {
    return bytes.size() >= anchor.size() &&
           std::memcmp(bytes.data(), anchor.data(), anchor.size()) == 0;
}

bool checksumIsZero(std::span<const std::uint8_t> bytes) {
    std::uint8_t sum = 0;
    for (std::uint8_t b : bytes)
        sum = static_cast<std::uint8_t>(sum + b);
    return sum == 0;
}

// The strings of a string set (NUL-terminated, the set ending at an empty string); a string cut
// off by the end of the table is dropped.
std::vector<std::string_view> splitStrings(std::span<const std::uint8_t> set) {
    std::vector<std::string_view> strings;
    const char* text = reinterpret_cast<const char*>(set.data());
    std::size_t start = 0;
    for (std::size_t i = 0; i < set.size(); ++i) {
        if (set[i] != 0)
            continue;
        if (i == start)
            break;
        strings.emplace_back(text + start, i - start);
        start = i + 1;
    }
    return strings;
}

} // namespace

struct SmbiosTable::EntryPoint {
    int major = 0;
    int minor = 0;
    std::uint64_t address = 0;
    std::uint64_t length = 0;
    std::size_t maxStructures = 0; // 0: up to the end-of-table structure or the table's end
};

std::optional<std::uint64_t> SmbiosStructure::littleEndian(std::size_t offset,
                                                           std::size_t size) const {
    if (offset > formatted_.size() || size > formatted_.size() - offset)
        return std::nullopt;
    return readUnsigned(formatted_, offset, size);
}

std::optional<std::uint8_t> SmbiosStructure::byte(std::size_t offset) const {
    if (auto v = littleEndian(offset, 1))
        return static_cast<std::uint8_t>(*v);
    return std::nullopt;
}

std::optional<std::uint16_t> SmbiosStructure::word(std::size_t offset) const {
    if (auto v = littleEndian(offset, 2))
        return static_cast<std::uint16_t>(*v);
    return std::nullopt;
}

std::optional<std::uint32_t> SmbiosStructure::dword(std::size_t offset) const {
    if (auto v = littleEndian(offset, 4))
        return static_cast<std::uint32_t>(*v);
    return std::nullopt;
}

std::optional<std::uint64_t> SmbiosStructure::qword(std::size_t offset) const {
    return littleEndian(offset, 8);
}

std::optional<std::string_view> SmbiosStructure::string(std::uint8_t number) const {
    if (number == 0 || number > strings_.size())
        return std::nullopt;
    return strings_[number - 1];
}

std::optional<std::string_view> SmbiosStructure::stringAt(std::size_t offset) const {
    const std::optional<std::uint8_t> number = byte(offset);
    return number ? string(*number) : std::nullopt;
}

std::optional<SmbiosTable::EntryPoint>
SmbiosTable::readEntryPoint(std::span<const std::uint8_t> bytes) {
    EntryPoint entry;
    if (startsWith(bytes, "_SM3_")) {
        if (bytes.size() < 0x18)
            return std::nullopt;
        const std::size_t length = bytes[0x06];
        if (length < 0x18 || length > bytes.size() || !checksumIsZero(bytes.first(length)))
            return std::nullopt;
        entry.major = bytes[0x07];
        entry.minor = bytes[0x08];
        entry.length = readUnsigned(bytes, 0x0C, 4);
        entry.address = readUnsigned(bytes, 0x10, 8);
        return entry;
    }
    std::span<const std::uint8_t> legacy = bytes;
    if (startsWith(bytes, "_SM_")) {
        if (bytes.size() < 0x1F)
            return std::nullopt;
        const std::size_t length = bytes[0x05];
        // 0x1E is a common mistake of 2.1 firmware for 0x1F.
        if (length < 0x1E || length > bytes.size() || !checksumIsZero(bytes.first(length)))
            return std::nullopt;
        entry.major = bytes[0x06];
        entry.minor = bytes[0x07];
        legacy = bytes.subspan(0x10);
    }
    if (!startsWith(legacy, "_DMI_") || legacy.size() < 0x0F || !checksumIsZero(legacy.first(0x0F)))
        return std::nullopt;
    if (entry.major == 0) {
        entry.major = legacy[0x0E] >> 4;
        entry.minor = legacy[0x0E] & 0x0F;
    }
    entry.length = readUnsigned(legacy, 0x06, 2);
    entry.address = readUnsigned(legacy, 0x08, 4);
    entry.maxStructures = readUnsigned(legacy, 0x0C, 2);
    return entry;
}

SmbiosTable SmbiosTable::walk(const EntryPoint& entry, std::vector<std::uint8_t> bytes,
                              std::size_t offset, std::size_t length) {
    SmbiosTable table;
    table.bytes_ = std::move(bytes);
    table.major_ = entry.major;
    table.minor_ = entry.minor;
    const std::span<const std::uint8_t> area =
        std::span<const std::uint8_t>(table.bytes_).subspan(offset, length);

    std::size_t pos = 0;
    while (pos + kHeaderSize <= area.size() &&
           (entry.maxStructures == 0 || table.structures_.size() < entry.maxStructures)) {
        const std::size_t formattedLength = area[pos + 1];
        // A structure shorter than its header, or running past the table, leaves no way to find
        // the next one.
        if (formattedLength < kHeaderSize || formattedLength > area.size() - pos)
            break;
        if (area[pos] == kEndOfTable)
            break;
        const std::size_t setStart = pos + formattedLength;
        std::size_t setEnd = setStart;
        while (setEnd + 1 < area.size() && (area[setEnd] != 0 || area[setEnd + 1] != 0))
            ++setEnd;
        const bool terminated = setEnd + 1 < area.size();
        const std::size_t setSize = terminated ? setEnd + 1 - setStart : area.size() - setStart;
        table.structures_.emplace_back(area.subspan(pos, formattedLength),
                                       splitStrings(area.subspan(setStart, setSize)));
        if (!terminated)
            break;
        pos = setEnd + 2;
    }
    return table;
}

std::optional<SmbiosTable> SmbiosTable::fromImage(std::vector<std::uint8_t> image) {
    const std::optional<EntryPoint> entry = readEntryPoint(image);
    if (!entry || entry->address > image.size())
        return std::nullopt;
    const std::size_t offset = static_cast<std::size_t>(entry->address);
    const std::size_t length =
        static_cast<std::size_t>(std::min<std::uint64_t>(entry->length, image.size() - offset));
    return walk(*entry, std::move(image), offset, length);
}

std::optional<SmbiosTable>
SmbiosTable::fromEntryPointAndTable(std::span<const std::uint8_t> entryPoint,
                                    std::vector<std::uint8_t> table) {
    const std::optional<EntryPoint> entry = readEntryPoint(entryPoint);
    if (!entry)
        return std::nullopt;
    const std::size_t length =
        static_cast<std::size_t>(std::min<std::uint64_t>(entry->length, table.size()));
    return walk(*entry, std::move(table), 0, length);
}

} // namespace dm::platform
