// Writes small ELF files, 32 or 64-bit, in either byte order, for tests.
#include "support/ElfWriter.h"

#include <cstdint>

namespace dm::test {

namespace {

class Writer {
public:
    Writer(std::string& bytes, bool bigEndian) : b_(bytes), big_(bigEndian) {}
    void put(std::size_t at, std::uint64_t value, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t k = big_ ? width - 1 - i : i;
            b_[at + k] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    }

private:
    std::string& b_;
    bool big_;
};

} // namespace

std::string writeElf(bool is64, bool bigEndian, const std::string& sectionName,
                     const std::string& sectionBytes) {
    const std::size_t headerSize = is64 ? 64 : 52;
    const std::size_t entrySize = is64 ? 64 : 40;
    const std::string names = std::string("\0.shstrtab\0", 11) + sectionName + '\0';
    const std::size_t namesAt = headerSize;
    const std::size_t dataAt = (namesAt + names.size() + 7) / 8 * 8;
    const std::size_t tableAt = (dataAt + sectionBytes.size() + 7) / 8 * 8;

    std::string b(tableAt + 3 * entrySize, '\0');
    Writer w(b, bigEndian);
    b.replace(0, 4,
              "\x7F"
              "ELF");
    b[4] = is64 ? 2 : 1;
    b[5] = bigEndian ? 2 : 1;
    b[6] = 1;         // EV_CURRENT
    w.put(16, 2, 2);  // ET_EXEC
    w.put(18, 62, 2); // machine
    w.put(20, 1, 4);  // version
    if (is64) {
        w.put(0x28, tableAt, 8);
        w.put(0x34, headerSize, 2);
        w.put(0x3A, entrySize, 2);
        w.put(0x3C, 3, 2);
        w.put(0x3E, 1, 2);
    } else {
        w.put(0x20, tableAt, 4);
        w.put(0x28, headerSize, 2);
        w.put(0x2E, entrySize, 2);
        w.put(0x30, 3, 2);
        w.put(0x32, 1, 2);
    }
    b.replace(namesAt, names.size(), names);
    b.replace(dataAt, sectionBytes.size(), sectionBytes);

    auto section = [&](std::size_t index, std::uint32_t name, std::uint32_t type,
                       std::size_t offset, std::size_t size) {
        const std::size_t at = tableAt + index * entrySize;
        w.put(at, name, 4);
        w.put(at + 4, type, 4);
        w.put(at + (is64 ? 24 : 16), offset, is64 ? 8 : 4);
        w.put(at + (is64 ? 32 : 20), size, is64 ? 8 : 4);
    };
    section(1, 1, 3, namesAt, names.size());        // SHT_STRTAB
    section(2, 11, 1, dataAt, sectionBytes.size()); // SHT_PROGBITS
    return b;
}

} // namespace dm::test
