#include "support/PeWriter.h"

namespace dm::test {

namespace {

constexpr std::size_t kPeHeaderAt = 0x80;
constexpr std::size_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;

std::size_t AlignUp(std::size_t value, std::size_t to) {
    return (value + to - 1) / to * to;
}

void PutSection(std::string& b, std::size_t at, const char* name, std::uint32_t rva,
                std::uint32_t size, std::uint32_t rawAt, std::uint32_t characteristics) {
    b.replace(at, std::char_traits<char>::length(name), name);
    PutLe32(b, at + 8, size); // VirtualSize
    PutLe32(b, at + 12, rva); // VirtualAddress
    PutLe32(b, at + 16, static_cast<std::uint32_t>(AlignUp(size, kFileAlignment))); // raw size
    PutLe32(b, at + 20, rawAt); // PointerToRawData
    PutLe32(b, at + 36, characteristics);
}

void PutDirectory(std::string& b, std::size_t at, std::uint16_t idEntries) {
    PutLe16(b, at + 14, idEntries);
}

void PutEntry(std::string& b, std::size_t at, std::uint32_t id, std::uint32_t target) {
    PutLe32(b, at, id);
    PutLe32(b, at + 4, target);
}

} // namespace

void PutLe16(std::string& Bytes, std::size_t At, std::uint16_t Value) {
    Bytes[At] = static_cast<char>(Value & 0xFF);
    Bytes[At + 1] = static_cast<char>(Value >> 8);
}

void PutLe32(std::string& Bytes, std::size_t At, std::uint32_t Value) {
    PutLe16(Bytes, At, static_cast<std::uint16_t>(Value & 0xFFFF));
    PutLe16(Bytes, At + 2, static_cast<std::uint16_t>(Value >> 16));
}

PeImage WritePe(bool Is64, const std::optional<std::string>& VersionResource) {
    PeImage image;
    const std::size_t optionalSize = Is64 ? 240 : 224;
    const std::uint16_t sectionCount = VersionResource ? 2 : 1;
    image.PeHeaderAt = kPeHeaderAt;
    image.OptionalHeaderAt = kPeHeaderAt + 24;
    image.SectionTableAt = image.OptionalHeaderAt + optionalSize;

    const std::size_t codeAt = kFileAlignment;
    const std::uint32_t codeRva = kSectionAlignment;
    const std::size_t resourceAt = codeAt + kFileAlignment;
    const std::uint32_t resourceRva = 2 * kSectionAlignment;
    const std::size_t resourceSize = VersionResource ? PeImage::kData + VersionResource->size() : 0;

    std::string& b = image.Bytes;
    b.assign(VersionResource ? resourceAt + AlignUp(resourceSize, kFileAlignment) : resourceAt,
             '\0');
    b[0] = 'M';
    b[1] = 'Z';
    PutLe32(b, 0x3C, kPeHeaderAt);
    b.replace(kPeHeaderAt, 4, std::string("PE\0\0", 4));
    PutLe16(b, kPeHeaderAt + 4, Is64 ? 0x8664 : 0x014C); // Machine
    PutLe16(b, kPeHeaderAt + 6, sectionCount);
    PutLe16(b, kPeHeaderAt + 20, static_cast<std::uint16_t>(optionalSize));
    PutLe16(b, kPeHeaderAt + 22, Is64 ? 0x0022 : 0x0102); // executable image

    const std::size_t opt = image.OptionalHeaderAt;
    PutLe16(b, opt, Is64 ? 0x20B : 0x10B);
    PutLe32(b, opt + 16, codeRva); // AddressOfEntryPoint
    PutLe32(b, opt + 32, kSectionAlignment);
    PutLe32(b, opt + 36, kFileAlignment);
    PutLe32(b, opt + 56, resourceRva + kSectionAlignment); // SizeOfImage
    PutLe32(b, opt + 60, kFileAlignment);                  // SizeOfHeaders
    PutLe16(b, opt + 68, 2);                               // GUI subsystem
    const std::size_t countAt = opt + (Is64 ? 108 : 92);
    image.RvaCountAt = countAt;
    PutLe32(b, countAt, 16);

    PutSection(b, image.SectionTableAt, ".text", codeRva, 1, codeAt, 0x60000020);
    b[codeAt] = static_cast<char>(0xC3); // ret
    if (!VersionResource)
        return image;

    image.ResourceAt = resourceAt;
    image.ResourceRva = resourceRva;
    PutLe32(b, countAt + 4 + 2 * 8, resourceRva);
    PutLe32(b, countAt + 4 + 2 * 8 + 4, static_cast<std::uint32_t>(resourceSize));
    PutSection(b, image.SectionTableAt + 40, ".rsrc", resourceRva,
               static_cast<std::uint32_t>(resourceSize), resourceAt, 0x40000040);

    constexpr std::uint32_t kSubdirectory = 0x80000000;
    const std::size_t r = resourceAt;
    // Two types share the name directory: a string table before the version, as the types are
    // sorted by number.
    PutDirectory(b, r + PeImage::kTypeDirectory, 2);
    PutEntry(b, r + PeImage::kTypeDirectory + 16, 6, kSubdirectory | PeImage::kNameDirectory);
    PutEntry(b, r + PeImage::kTypeDirectory + 24, 16, kSubdirectory | PeImage::kNameDirectory);
    PutDirectory(b, r + PeImage::kNameDirectory, 1);
    PutEntry(b, r + PeImage::kNameDirectory + 16, 1, kSubdirectory | PeImage::kLanguageDirectory);
    PutDirectory(b, r + PeImage::kLanguageDirectory, 1);
    PutEntry(b, r + PeImage::kLanguageDirectory + 16, 0x0409, PeImage::kDataEntry);
    PutLe32(b, r + PeImage::kDataEntry, resourceRva + PeImage::kData);
    PutLe32(b, r + PeImage::kDataEntry + 4, static_cast<std::uint32_t>(VersionResource->size()));
    b.replace(r + PeImage::kData, VersionResource->size(), *VersionResource);
    return image;
}

} // namespace dm::test
