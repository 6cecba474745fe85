#include "platform/version/VersionBlockWriter.h"

#include "platform/text/ByteOrder.h"
#include "platform/text/Utf16.h"

#include <stdexcept>

namespace dm::platform {

namespace {

void PutU16(std::string& out, std::size_t at, std::size_t value) {
    if (value > 0xFFFF)
        throw std::length_error("version resource node too large");
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Pad4(std::string& out) {
    while (out.size() % 4 != 0)
        out += '\0';
}

// Writes one node: header, key, value, then the children that Children appends; offsets are
// aligned from the start of the block.
template <typename Children>
void WriteNode(std::string& out, const std::string& key, const std::string& value, bool isText,
               Children children) {
    Pad4(out);
    const std::size_t start = out.size();
    out.append(6, '\0');
    out += Utf8ToUtf16Le(key);
    out.append(2, '\0');
    Pad4(out);
    out += value;
    PutU16(out, start + 2, isText ? value.size() / 2 : value.size());
    PutU16(out, start + 4, isText ? 1 : 0);
    children(out);
    PutU16(out, start, out.size() - start);
}

void NoChildren(std::string&) {}

std::string FixedBytes(const FixedFileInfo& f) {
    std::string out;
    for (std::uint32_t v : {f.Signature, f.StrucVersion, f.FileVersionMS, f.FileVersionLS,
                            f.ProductVersionMS, f.ProductVersionLS, f.FileFlagsMask, f.FileFlags,
                            f.FileOS, f.FileType, f.FileSubtype, f.FileDateMS, f.FileDateLS})
        AppendLe(out, v, 4);
    return out;
}

} // namespace

std::string WriteVersionBlock(const VersionResourceContent& Content) {
    std::string out;
    const std::string fixed = Content.Fixed ? FixedBytes(*Content.Fixed) : std::string();
    WriteNode(out, "VS_VERSION_INFO", fixed, false, [&Content](std::string& out) {
        if (!Content.StringTables.empty()) {
            WriteNode(out, "StringFileInfo", "", true, [&Content](std::string& out) {
                for (const auto& table : Content.StringTables)
                    WriteNode(out, table.Key, "", true, [&table](std::string& out) {
                        for (const auto& [name, value] : table.Strings)
                            WriteNode(out, name, Utf8ToUtf16Le(value) + std::string(2, '\0'), true,
                                      NoChildren);
                    });
            });
        }
        if (Content.Translations) {
            WriteNode(out, "VarFileInfo", "", true, [&Content](std::string& out) {
                std::string table;
                for (std::uint32_t entry : *Content.Translations)
                    AppendLe(table, entry, 4);
                WriteNode(out, "Translation", table, false, NoChildren);
            });
        }
    });
    return out;
}

} // namespace dm::platform
