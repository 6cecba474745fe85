// A small PE image with an optional version resource, and the offsets of its fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace dm::test {

// A small PE image: DOS header, PE headers, a code section and, when a version resource is
// given, a resource section holding it as the one RT_VERSION resource (name 1, language 0x0409).
// The offsets let tests break single fields.
struct PeImage {
    std::string Bytes;
    std::size_t PeHeaderAt = 0;       // "PE\0\0"
    std::size_t OptionalHeaderAt = 0; // its magic
    std::size_t SectionTableAt = 0;   // first of the section headers
    std::size_t RvaCountAt = 0;       // NumberOfRvaAndSizes, followed by the data directories
    std::size_t ResourceAt = 0;       // the resource root directory (file offset)
    std::uint32_t ResourceRva = 0;

    // File offsets of the resource tree's parts, from ResourceAt.
    static constexpr std::size_t kTypeDirectory = 0x00;     // entries: type 6, type 16
    static constexpr std::size_t kNameDirectory = 0x20;     // entry: name 1
    static constexpr std::size_t kLanguageDirectory = 0x38; // entry: language 0x0409
    static constexpr std::size_t kDataEntry = 0x50;
    static constexpr std::size_t kData = 0x60;
};

PeImage writePe(bool is64, const std::optional<std::string>& versionResource);

// Little-endian stores into a byte string.
void putLe16(std::string& bytes, std::size_t at, std::uint16_t value);
void putLe32(std::string& bytes, std::size_t at, std::uint32_t value);

} // namespace dm::test
