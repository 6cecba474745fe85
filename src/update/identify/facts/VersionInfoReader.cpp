// Reads the eight version-resource texts of a file, by key or from the translation's table.
#include "update/identify/facts/VersionInfoReader.h"

#include "framework/TextUtils.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Cp1252.h"
#include "platform/version/VersionResources.h"
#include "update/identify/facts/ExecutableFacts.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string_view>

namespace dm::update {

namespace {

using Field = std::string FileVersionInfoRec::*;

struct KeyedField {
    const char* key;
    Field field;
};

// The record's fields with the keys the fallback reads them by, in the record's order.
constexpr std::array<KeyedField, 8> kFields = {{
    {"FileDescription", &FileVersionInfoRec::FileDescription},
    {"CompanyName", &FileVersionInfoRec::CompanyName},
    {"FileVersion", &FileVersionInfoRec::FileVersion},
    {"InternalName", &FileVersionInfoRec::InternalName},
    {"LegalCopyRight", &FileVersionInfoRec::LegalCopyRight},
    {"OriginalFileName", &FileVersionInfoRec::OriginalFileName},
    {"ProductName", &FileVersionInfoRec::ProductName},
    {"ProductVersion", &FileVersionInfoRec::ProductVersion},
}};

// The keys alone, for the queries of one string table.
constexpr auto kKeys = [] {
    std::array<std::string_view, kFields.size()> keys{};
    for (std::size_t i = 0; i < kFields.size(); ++i)
        keys[i] = kFields[i].key;
    return keys;
}();

std::optional<std::string> textOf(const std::optional<platform::VersionValue>& value) {
    if (!value)
        return std::nullopt;
    return platform::utf16LeToCp1252(value->Bytes); // bounded by the value's node
}

// The eight keys read from the block's first string table.
std::optional<FileVersionInfoRec> readFirstTable(const platform::VersionBlock& block) {
    const auto tables = block.stringTables();
    if (tables.empty())
        return std::nullopt;
    FileVersionInfoRec rec;
    const auto values = block.queryValues("\\StringFileInfo\\" + tables.front(), kKeys);
    for (std::size_t i = 0; i < kFields.size(); ++i)
        rec.*kFields[i].field = textOf(values[i]).value_or("");
    return rec;
}

// "Key=value" lines of the eight keys from the string table the first translation entry names.
std::vector<std::string> versionStrings(const platform::VersionBlock& block) {
    // Only whole translation entries count; the first names language and code page. Without
    // one, the keys are looked for at the root.
    std::string parent;
    if (const auto translations = block.queryTranslations()) {
        char table[9];
        std::snprintf(table, sizeof table, "%04x%04x", translations->front() & 0xFFFF,
                      translations->front() >> 16);
        parent = std::string("\\StringFileInfo\\") + table;
    }
    const auto values = block.queryValues(parent, kKeys);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (const auto text = textOf(values[i]))
            lines.push_back(std::string(kFields[i].key) + "=" + *text);
    return lines;
}

std::string valueOfLine(const std::vector<std::string>& lines, const std::string& key) {
    for (const auto& line : lines) {
        const auto equals = line.find('=');
        if (equals != std::string::npos && SameText(line.substr(0, equals), key))
            return line.substr(equals + 1);
    }
    return {};
}

// The record of the file at path (its Sysnative form) from block, what reading its resource gave
// (null when read is false: no such file).
FileVersionInfoRec recordOf(IdentifyContext& context, const std::string& path, bool read,
                            const platform::VersionBlock* block) {
    std::optional<FileVersionInfoRec> rec;
    if (block)
        rec = readFirstTable(*block);
    if (!rec ||
        (rec->FileDescription.empty() && rec->CompanyName.empty() && rec->FileVersion.empty())) {
        // The fallback takes the block just read (or its absence) rather than opening the same
        // file again.
        const bool sameFile = read && MapToSysnative(context, path) == path;
        const auto lines = !sameFile ? ReadVersionStrings(context, path)
                           : block   ? versionStrings(*block)
                                     : std::vector<std::string>();
        rec.emplace();
        for (const auto& [key, field] : kFields)
            (*rec).*field = valueOfLine(lines, key);
    }
    rec->FileVersion = replaceAllStr(rec->FileVersion, ", ", ".");
    rec->ProductVersion = replaceAllStr(rec->ProductVersion, ", ", ".");
    return *rec;
}

} // namespace

FileVersionInfoRec GetFileVersionInfoRec(IdentifyContext& context, const std::string& fileName) {
    const std::string path = MapToSysnative(context, fileName);
    const bool read = context.files.fileExists(path);
    std::optional<platform::VersionBlock> block;
    if (read)
        block = context.versions.read(path);
    return recordOf(context, path, read, block ? &*block : nullptr);
}

FileVersionInfoRec fileVersionInfoRecOf(IdentifyContext& context, const std::string& fileName,
                                        const std::optional<platform::VersionBlock>& block) {
    const std::string path = MapToSysnative(context, fileName);
    const bool read = context.files.fileExists(path);
    return recordOf(context, path, read, read && block ? &*block : nullptr);
}

std::vector<std::string> ReadVersionStrings(IdentifyContext& context, const std::string& fileName) {
    const auto block = context.versions.read(MapToSysnative(context, fileName));
    return block ? versionStrings(*block) : std::vector<std::string>();
}

} // namespace dm::update
