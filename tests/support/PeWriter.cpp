// Writes small PE images with an optional version resource, for tests.
#include "support/PeWriter.h"

namespace dm::test {

namespace {

constexpr std::size_t kPeHeaderAt = 0x80;
constexpr std::size_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;

std::size_t alignUp(std::size_t value, std::size_t to) {
    return (value + to - 1) / to * to;
}

void putSection(std::string& b, std::size_t at, const char* name, std::uint32_t rva,
                std::uint32_t size, std::uint32_t rawAt, std::uint32_t characteristics) {
    b.replace(at, std::char_traits<char>::length(name), name);
    putLe32(b, at + 8, size); // VirtualSize
    putLe32(b, at + 12, rva); // VirtualAddress
    putLe32(b, at + 16, static_cast<std::uint32_t>(alignUp(size, kFileAlignment))); // raw size
    putLe32(b, at + 20, rawAt); // PointerToRawData
    putLe32(b, at + 36, characteristics);
}

void putDirectory(std::string& b, std::size_t at, std::uint16_t idEntries) {
    putLe16(b, at + 14, idEntries);
}

void putEntry(std::string& b, std::size_t at, std::uint32_t id, std::uint32_t target) {
    putLe32(b, at, id);
    putLe32(b, at + 4, target);
}

} // namespace

void putLe16(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void putLe32(std::string& bytes, std::size_t at, std::uint32_t value) {
    putLe16(bytes, at, static_cast<std::uint16_t>(value & 0xFFFF));
    putLe16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

PeImage writePe(bool is64, const std::optional<std::string>& versionResource) {
    PeImage image;
    const std::size_t optionalSize = is64 ? 240 : 224;
    const std::uint16_t sectionCount = versionResource ? 2 : 1;
    image.PeHeaderAt = kPeHeaderAt;
    image.OptionalHeaderAt = kPeHeaderAt + 24;
    image.SectionTableAt = image.OptionalHeaderAt + optionalSize;

    const std::size_t codeAt = kFileAlignment;
    const std::uint32_t codeRva = kSectionAlignment;
    const std::size_t resourceAt = codeAt + kFileAlignment;
    const std::uint32_t resourceRva = 2 * kSectionAlignment;
    const std::size_t resourceSize = versionResource ? PeImage::kData + versionResource->size() : 0;

    std::string& b = image.Bytes;
    b.assign(versionResource ? resourceAt + alignUp(resourceSize, kFileAlignment) : resourceAt,
             '\0');
    b[0] = 'M';
    b[1] = 'Z';
    putLe32(b, 0x3C, kPeHeaderAt);
    b.replace(kPeHeaderAt, 4, std::string("PE\0\0", 4));
    putLe16(b, kPeHeaderAt + 4, is64 ? 0x8664 : 0x014C); // Machine
    putLe16(b, kPeHeaderAt + 6, sectionCount);
    putLe16(b, kPeHeaderAt + 20, static_cast<std::uint16_t>(optionalSize));
    putLe16(b, kPeHeaderAt + 22, is64 ? 0x0022 : 0x0102); // executable image

    const std::size_t opt = image.OptionalHeaderAt;
    putLe16(b, opt, is64 ? 0x20B : 0x10B);
    putLe32(b, opt + 16, codeRva); // AddressOfEntryPoint
    putLe32(b, opt + 32, kSectionAlignment);
    putLe32(b, opt + 36, kFileAlignment);
    putLe32(b, opt + 56, resourceRva + kSectionAlignment); // SizeOfImage
    putLe32(b, opt + 60, kFileAlignment);                  // SizeOfHeaders
    putLe16(b, opt + 68, 2);                               // GUI subsystem
    const std::size_t countAt = opt + (is64 ? 108 : 92);
    image.RvaCountAt = countAt;
    putLe32(b, countAt, 16);

    putSection(b, image.SectionTableAt, ".text", codeRva, 1, codeAt, 0x60000020);
    b[codeAt] = static_cast<char>(0xC3); // ret
    if (!versionResource)
        return image;

    image.ResourceAt = resourceAt;
    image.ResourceRva = resourceRva;
    putLe32(b, countAt + 4 + 2 * 8, resourceRva);
    putLe32(b, countAt + 4 + 2 * 8 + 4, static_cast<std::uint32_t>(resourceSize));
    putSection(b, image.SectionTableAt + 40, ".rsrc", resourceRva,
               static_cast<std::uint32_t>(resourceSize), resourceAt, 0x40000040);

    constexpr std::uint32_t kSubdirectory = 0x80000000;
    const std::size_t r = resourceAt;
    // Two types share the name directory: a string table before the version, as the types are
    // sorted by number.
    putDirectory(b, r + PeImage::kTypeDirectory, 2);
    putEntry(b, r + PeImage::kTypeDirectory + 16, 6, kSubdirectory | PeImage::kNameDirectory);
    putEntry(b, r + PeImage::kTypeDirectory + 24, 16, kSubdirectory | PeImage::kNameDirectory);
    putDirectory(b, r + PeImage::kNameDirectory, 1);
    putEntry(b, r + PeImage::kNameDirectory + 16, 1, kSubdirectory | PeImage::kLanguageDirectory);
    putDirectory(b, r + PeImage::kLanguageDirectory, 1);
    putEntry(b, r + PeImage::kLanguageDirectory + 16, 0x0409, PeImage::kDataEntry);
    putLe32(b, r + PeImage::kDataEntry, resourceRva + PeImage::kData);
    putLe32(b, r + PeImage::kDataEntry + 4, static_cast<std::uint32_t>(versionResource->size()));
    b.replace(r + PeImage::kData, versionResource->size(), *versionResource);
    return image;
}

} // namespace dm::test
