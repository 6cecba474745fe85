// Lays out the nodes of a version resource as bytes, aligned as the resource compiler does.
#include "platform/version/VersionBlockWriter.h"

#include "platform/text/ByteOrder.h"
#include "platform/text/Utf16.h"

#include <stdexcept>

namespace dm::platform {

namespace {

void putU16(std::string& out, std::size_t at, std::size_t value) {
    if (value > 0xFFFF)
        throw std::length_error("version resource node too large");
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void pad4(std::string& out) {
    while (out.size() % 4 != 0)
        out += '\0';
}

// Writes one node: header, key, value, then the children that Children appends; offsets are
// aligned from the start of the block.
template <typename Children>
void writeNode(std::string& out, const std::string& key, const std::string& value, bool isText,
               Children children) {
    pad4(out);
    const std::size_t start = out.size();
    out.append(6, '\0');
    out += utf8ToUtf16Le(key);
    out.append(2, '\0');
    pad4(out);
    out += value;
    putU16(out, start + 2, isText ? value.size() / 2 : value.size());
    putU16(out, start + 4, isText ? 1 : 0);
    children(out);
    putU16(out, start, out.size() - start);
}

void noChildren(std::string&) {}

std::string fixedBytes(const FixedFileInfo& f) {
    std::string out;
    for (std::uint32_t v : {f.Signature, f.StrucVersion, f.FileVersionMS, f.FileVersionLS,
                            f.ProductVersionMS, f.ProductVersionLS, f.FileFlagsMask, f.FileFlags,
                            f.FileOS, f.FileType, f.FileSubtype, f.FileDateMS, f.FileDateLS})
        appendLe(out, v, 4);
    return out;
}

} // namespace

std::string writeVersionBlock(const VersionResourceContent& content) {
    std::string out;
    const std::string fixed = content.Fixed ? fixedBytes(*content.Fixed) : std::string();
    writeNode(out, "VS_VERSION_INFO", fixed, false, [&content](std::string& out) {
        if (!content.StringTables.empty()) {
            writeNode(out, "StringFileInfo", "", true, [&content](std::string& out) {
                for (const auto& table : content.StringTables)
                    writeNode(out, table.Key, "", true, [&table](std::string& out) {
                        for (const auto& [name, value] : table.Strings)
                            writeNode(out, name, utf8ToUtf16Le(value) + std::string(2, '\0'), true,
                                      noChildren);
                    });
            });
        }
        if (content.Translations) {
            writeNode(out, "VarFileInfo", "", true, [&content](std::string& out) {
                std::string table;
                for (std::uint32_t entry : *content.Translations)
                    appendLe(table, entry, 4);
                writeNode(out, "Translation", table, false, noChildren);
            });
        }
    });
    return out;
}

} // namespace dm::platform
