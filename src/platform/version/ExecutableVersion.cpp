// Finds the version resource in a PE image's resources or in an ELF file's version section.
#include "platform/version/ExecutableVersion.h"

#include "platform/text/ByteOrder.h"

#include <algorithm>
#include <vector>

namespace dm::platform {

namespace {

// No version resource is larger: its root node's length is a 16-bit number.
constexpr std::size_t kMaxVersionBlock = 0xFFFF;

// ---- PE ----

constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kVsVersionInfoId = 1;
constexpr std::uint32_t kHighBit = 0x80000000;

struct Section {
    std::uint32_t VirtualAddress;
    std::uint32_t RawSize;
    std::uint32_t RawOffset;
};

class PeImage {
public:
    explicit PeImage(const ByteSource& file) : file_(file) {}

    std::optional<VersionBlock> Version() {
        const auto dos = file_.readAt(0, 64);
        if (!dos || (*dos)[0] != 'M' || (*dos)[1] != 'Z')
            return std::nullopt;
        const std::uint64_t pe = readLe32(*dos, 0x3C);
        const auto nt = file_.readAt(pe, 24);
        if (!nt || nt->compare(0, 4, std::string("PE\0\0", 4)) != 0)
            return std::nullopt;
        const std::size_t sectionCount = readLe16(*nt, 6);
        const std::size_t optionalSize = readLe16(*nt, 20);
        const std::uint64_t optionalAt = pe + 24;
        const auto optional = file_.readAt(optionalAt, optionalSize);
        if (!optional || optionalSize < 2)
            return std::nullopt;
        const std::string& opt = *optional;
        // Where NumberOfRvaAndSizes stands, in a PE32 or a PE32+ optional header.
        const std::uint32_t magic = readLe16(opt, 0);
        const std::size_t countAt = magic == 0x10B ? 92 : magic == 0x20B ? 108 : 0;
        if (countAt == 0)
            return std::nullopt;
        const std::size_t resourceEntryAt = countAt + 4 + 2 * 8;
        if (optionalSize < resourceEntryAt + 8 || readLe32(opt, countAt) <= 2)
            return std::nullopt;
        headersSize_ = readLe32(opt, 60);
        const std::uint32_t resourceRva = readLe32(opt, resourceEntryAt);
        if (resourceRva == 0)
            return std::nullopt;
        const auto table = file_.readAt(optionalAt + optionalSize, sectionCount * 40);
        if (!table)
            return std::nullopt;
        for (std::size_t i = 0; i < sectionCount; ++i)
            sections_.push_back({readLe32(*table, 40 * i + 12), readLe32(*table, 40 * i + 16),
                                 readLe32(*table, 40 * i + 20)});
        return findVersion(resourceRva);
    }

private:
    // Reads Count bytes at a relative virtual address, from the section that holds them whole.
    std::optional<std::string> readRva(std::uint64_t rva, std::size_t count) const {
        for (const Section& s : sections_) {
            if (rva >= s.VirtualAddress && rva - s.VirtualAddress <= s.RawSize &&
                count <= s.RawSize - (rva - s.VirtualAddress))
                return file_.readAt(s.RawOffset + (rva - s.VirtualAddress), count);
        }
        if (rva + count > headersSize_)
            return std::nullopt;
        return file_.readAt(rva, count);
    }

    // The entries of the resource directory at Offset (from the resource root).
    std::optional<std::vector<std::pair<std::uint32_t, std::uint32_t>>>
    directory(std::uint64_t root, std::uint32_t offset) const {
        const auto header = readRva(root + offset, 16);
        if (!header)
            return std::nullopt;
        const std::size_t count = readLe16(*header, 12) + readLe16(*header, 14);
        const auto raw =
            count == 0 ? std::optional<std::string>() : readRva(root + offset + 16, count * 8);
        if (!raw)
            return std::nullopt;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> entries;
        for (std::size_t i = 0; i < count; ++i)
            entries.emplace_back(readLe32(*raw, 8 * i), readLe32(*raw, 8 * i + 4));
        return entries;
    }

    // Type RT_VERSION, then name 1 (or the first name), then the first language: a fixed walk
    // of three levels, so directory entries that point back up cannot make it loop.
    std::optional<VersionBlock> findVersion(std::uint32_t root) const {
        const auto types = directory(root, 0);
        if (!types)
            return std::nullopt;
        const auto type = std::find_if(types->begin(), types->end(),
                                       [](const auto& e) { return e.first == kRtVersion; });
        if (type == types->end() || !(type->second & kHighBit))
            return std::nullopt;
        const auto names = directory(root, type->second & ~kHighBit);
        if (!names)
            return std::nullopt;
        auto name = std::find_if(names->begin(), names->end(),
                                 [](const auto& e) { return e.first == kVsVersionInfoId; });
        if (name == names->end())
            name = names->begin();
        if (!(name->second & kHighBit))
            return std::nullopt;
        const auto languages = directory(root, name->second & ~kHighBit);
        if (!languages || (languages->front().second & kHighBit))
            return std::nullopt;
        const auto data = readRva(static_cast<std::uint64_t>(root) + languages->front().second, 16);
        if (!data)
            return std::nullopt;
        const std::size_t size = std::min<std::size_t>(readLe32(*data, 4), kMaxVersionBlock);
        auto block = readRva(readLe32(*data, 0), size);
        if (!block)
            return std::nullopt;
        return VersionBlock::fromBytes(std::move(*block));
    }

    const ByteSource& file_;
    std::vector<Section> sections_;
    std::uint64_t headersSize_ = 0;
};

// ---- ELF ----

constexpr std::uint64_t kElfMaxSections = 0x10000;
constexpr std::uint32_t kShtNobits = 8;
constexpr std::uint32_t kShnXindex = 0xFFFF;

class ElfFile {
public:
    explicit ElfFile(const ByteSource& file) : file_(file) {}

    std::optional<VersionBlock> Version() {
        auto read = file_.readAt(0, 64);
        if (!read)
            read = file_.readAt(0, 52);
        if (!read)
            return std::nullopt;
        const std::string& ident = *read;
        if (ident.compare(0, 4,
                          "\x7F"
                          "ELF") != 0)
            return std::nullopt;
        const char cls = ident[4];
        const char data = ident[5];
        if ((cls != 1 && cls != 2) || (data != 1 && data != 2))
            return std::nullopt;
        wide_ = cls == 2;
        bigEndian_ = data == 2;
        if (wide_ && ident.size() < 64)
            return std::nullopt;
        const std::uint64_t tableAt = wide_ ? Get(ident, 0x28, 8) : Get(ident, 0x20, 4);
        entrySize_ = Get(ident, wide_ ? 0x3A : 0x2E, 2);
        std::uint64_t count = Get(ident, wide_ ? 0x3C : 0x30, 2);
        std::uint64_t namesIndex = Get(ident, wide_ ? 0x3E : 0x32, 2);
        if (tableAt == 0 || entrySize_ < (wide_ ? 64u : 40u))
            return std::nullopt;
        tableAt_ = tableAt;
        const auto first = header(0);
        if (!first)
            return std::nullopt;
        if (count == 0)
            count = first->Size; // more sections than the header's field can hold
        if (namesIndex == kShnXindex)
            namesIndex = first->Link;
        if (count > kElfMaxSections || namesIndex >= count)
            return std::nullopt;
        const auto names = header(namesIndex);
        if (!names || names->Type == kShtNobits)
            return std::nullopt;
        for (std::uint64_t i = 1; i < count; ++i) {
            const auto section = header(i);
            if (!section)
                return std::nullopt;
            if (section->Type == kShtNobits || !nameIs(*names, section->Name, kVersionSectionName))
                continue;
            const std::size_t size = std::min<std::uint64_t>(section->Size, kMaxVersionBlock);
            auto block = file_.readAt(section->Offset, size);
            if (!block)
                return std::nullopt;
            return VersionBlock::fromBytes(std::move(*block));
        }
        return std::nullopt;
    }

private:
    struct SectionHeader {
        std::uint32_t Name;
        std::uint32_t Type;
        std::uint64_t Offset;
        std::uint64_t Size;
        std::uint32_t Link;
    };

    std::uint64_t Get(std::string_view b, std::size_t at, std::size_t width) const {
        return readUnsigned(b, at, width, bigEndian_);
    }

    std::optional<SectionHeader> header(std::uint64_t index) const {
        const std::size_t size = wide_ ? 64 : 40;
        if (index > (UINT64_MAX - tableAt_) / entrySize_)
            return std::nullopt;
        const auto read = file_.readAt(tableAt_ + index * entrySize_, size);
        if (!read)
            return std::nullopt;
        const std::string& raw = *read;
        SectionHeader h;
        h.Name = static_cast<std::uint32_t>(Get(raw, 0, 4));
        h.Type = static_cast<std::uint32_t>(Get(raw, 4, 4));
        h.Offset = wide_ ? Get(raw, 24, 8) : Get(raw, 16, 4);
        h.Size = wide_ ? Get(raw, 32, 8) : Get(raw, 20, 4);
        h.Link = static_cast<std::uint32_t>(wide_ ? Get(raw, 40, 4) : Get(raw, 24, 4));
        return h;
    }

    // Whether the NUL-terminated name at Offset of the section-name table is Expected.
    bool nameIs(const SectionHeader& names, std::uint32_t offset, std::string_view expected) const {
        const std::size_t length = expected.size() + 1;
        if (offset >= names.Size || length > names.Size - offset)
            return false;
        const auto raw = file_.readAt(names.Offset + offset, length);
        return raw && std::string_view(*raw).substr(0, expected.size()) == expected &&
               raw->back() == '\0';
    }

    const ByteSource& file_;
    bool wide_ = false;
    bool bigEndian_ = false;
    std::uint64_t tableAt_ = 0;
    std::uint64_t entrySize_ = 0;
};

} // namespace

std::optional<VersionBlock> findVersionResource(const ByteSource& file) {
    const auto read = file.readAt(0, 4);
    if (!read)
        return std::nullopt;
    const std::string& magic = *read;
    if (magic[0] == 'M' && magic[1] == 'Z')
        return PeImage(file).Version();
    if (magic == "\x7F"
                 "ELF")
        return ElfFile(file).Version();
    return std::nullopt;
}

} // namespace dm::platform
