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

std::optional<std::string> queryCp1252(const platform::VersionBlock& block,
                                       const std::string& subBlock) {
    const auto value = block.queryValue(subBlock);
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
    const std::string table = "\\StringFileInfo\\" + tables.front() + "\\";
    for (const auto& [key, field] : kFields)
        rec.*field = queryCp1252(block, table + key).value_or("");
    return rec;
}

// "Key=value" lines of the eight keys from the string table the first translation entry names.
std::vector<std::string> versionStrings(const platform::VersionBlock& block) {
    std::vector<std::string> lines;
    // Only whole translation entries count; the first names language and code page.
    const auto translations = block.queryTranslations();
    for (const auto& [key, field] : kFields) {
        std::string subBlock = key;
        if (translations) {
            char table[9];
            std::snprintf(table, sizeof table, "%04x%04x", translations->front() & 0xFFFF,
                          translations->front() >> 16);
            subBlock = std::string("\\StringFileInfo\\") + table + "\\" + key;
        }
        if (const auto value = queryCp1252(block, subBlock))
            lines.push_back(std::string(key) + "=" + *value);
    }
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
