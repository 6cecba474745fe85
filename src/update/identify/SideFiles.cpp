#include "update/identify/SideFiles.h"

#include "framework/FolderWalks.h"
#include "framework/TextUtils.h"
#include "platform/files/ByteSource.h"
#include "platform/files/FileSystem.h"
#include "platform/ini/IniDocument.h"
#include "platform/text/TextLines.h"
#include "update/identify/ExecutableFacts.h"
#include "update/identify/RuleFiles.h"

namespace dm::update {

namespace {

// The most the rules read of one side file or executable; a larger file yields nothing.
constexpr std::uint64_t kMaxSideFileBytes = 64u << 20;

} // namespace

bool existsNonEmpty(IdentifyContext& context, const std::string& path) {
    if (!fileExists(context, path))
        return false;
    const auto entry = context.files.attributes(path);
    return entry && entry->size > 0;
}

bool existsPlain(IdentifyContext& context, const std::string& path) {
    return fileExists(context, path);
}

std::optional<std::string> readSideBytes(IdentifyContext& context, const std::string& path) {
    if (!fileExists(context, path))
        return std::nullopt;
    return readRuleFile(context, path, kMaxSideFileBytes);
}

std::optional<std::vector<std::string>> readSideLines(IdentifyContext& context,
                                                      const std::string& path) {
    const auto bytes = readSideBytes(context, path);
    if (!bytes)
        return std::nullopt;
    return platform::textToLines(*bytes);
}

std::optional<std::string> readFirstLine(IdentifyContext& context, const std::string& path) {
    auto lines = readSideLines(context, path);
    if (!lines || lines->empty())
        return std::nullopt;
    return std::move(lines->front());
}

std::string readIniKey(IdentifyContext& context, const std::string& path,
                       const std::string& section, const std::string& key) {
    const auto bytes = readSideBytes(context, path);
    if (!bytes)
        return {};
    return platform::IniDocument(*bytes).value(section, key).value_or("");
}

std::vector<std::string> listSubFolderPaths(IdentifyContext& context, const std::string& folder) {
    std::vector<std::string> list;
    ListSubFolders(context.platform(), folder, list);
    return list;
}

std::vector<std::string> findFilesNamed(IdentifyContext& context, const std::string& folder,
                                        const std::string& name) {
    std::vector<std::string> list;
    FindFileByName(context.platform(), folder, name, list);
    return list;
}

std::vector<std::string> findFilesNamedRecursive(IdentifyContext& context,
                                                 const std::string& folder,
                                                 const std::string& name) {
    std::vector<std::string> list;
    FindFileByNameRecursive(context.platform(), folder, name, list);
    return list;
}

} // namespace dm::update
