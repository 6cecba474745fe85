// Bounded reads of the files the rules look at beside an executable: bytes, lines, INI keys.
#include "update/identify/facts/SideFiles.h"

#include "framework/FolderWalks.h"
#include "framework/TextUtils.h"
#include "platform/files/ByteSource.h"
#include "platform/files/FileSystem.h"
#include "platform/ini/IniDocument.h"
#include "update/identify/facts/ExecutableFacts.h"

#include <algorithm>

namespace dm::update {

namespace {

// The most the rules read of one side file or executable; a larger file yields nothing.
constexpr std::uint64_t kMaxSideFileBytes = 64u << 20;
// The piece read at a time when a file is scanned for a text.
constexpr std::size_t kScanPiece = 1024 * 1024;

} // namespace

bool fileExistsNonEmpty(IdentifyContext& context, const std::string& path) {
    const auto entry = context.files.fileAttributes(path);
    return entry && entry->size > 0;
}

std::optional<std::string> readSideBytes(IdentifyContext& context, const std::string& path) {
    if (!context.files.fileExists(path))
        return std::nullopt;
    return readRuleFile(context, path, kMaxSideFileBytes);
}

std::optional<TextLines> readSideLines(IdentifyContext& context, const std::string& path) {
    auto bytes = readSideBytes(context, path);
    if (!bytes)
        return std::nullopt;
    return TextLines(std::move(*bytes));
}

std::optional<std::string> readFirstLine(IdentifyContext& context, const std::string& path) {
    const auto lines = readSideLines(context, path);
    if (!lines || lines->empty())
        return std::nullopt;
    return std::string(lines->front().substr(0, kMaxRuleText));
}

std::string readIniKey(IdentifyContext& context, const std::string& path,
                       const std::string& section, const std::string& key) {
    const auto bytes = readSideBytes(context, path);
    if (!bytes)
        return {};
    return platform::IniDocument(*bytes).value(section, key).value_or("").substr(0, kMaxRuleText);
}

std::vector<std::string> listSubFolderPaths(IdentifyContext& context, const std::string& folder) {
    std::vector<std::string> list;
    ListSubFolders(context.files, context.system, folder, list);
    return list;
}

std::vector<std::string> findFilesNamed(IdentifyContext& context, const std::string& folder,
                                        const std::string& name) {
    std::vector<std::string> list;
    FindFileByName(context.files, context.system, folder, name, list);
    return list;
}

std::vector<std::string> findFilesNamedRecursive(IdentifyContext& context,
                                                 const std::string& folder,
                                                 const std::string& name) {
    std::vector<std::string> list;
    FindFileByNameRecursive(context.files, context.system, folder, name, list);
    return list;
}

std::optional<std::string> readRuleFile(IdentifyContext& context, const std::string& path,
                                        std::uint64_t limit) {
    const auto file = context.files.openBytes(path);
    if (!file || file->size() > limit)
        return std::nullopt;
    return file->readAt(0, static_cast<std::size_t>(file->size()));
}

namespace {

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Where the line from start ends: its first line break, or the end of text. Every byte of a side
// file passes here, so the breaks are found by the library's byte search: the next LF, then a CR
// before it.
std::size_t endOfLine(std::string_view text, std::size_t start) {
    const std::size_t lf = std::min(text.find('\n', start), text.size());
    const std::size_t cr = text.substr(start, lf - start).find('\r');
    return cr == std::string_view::npos ? lf : start + cr;
}

} // namespace

TextLines::Iterator::Iterator(std::string_view text, std::size_t start)
    : text_(text), start_(start < text.size() ? start : std::string_view::npos) {
    if (start_ != std::string_view::npos)
        end_ = endOfLine(text_, start_);
}

std::string_view TextLines::lineAt(std::size_t at) const {
    std::size_t start = at;
    while (start > 0 && !isLineBreak(text_[start - 1]))
        --start;
    return std::string_view(text_).substr(start, endOfLine(text_, at) - start);
}

TextLines::Iterator& TextLines::Iterator::operator++() {
    std::size_t next = end_ + 1;
    if (end_ < text_.size() && text_[end_] == '\r' && next < text_.size() && text_[next] == '\n')
        ++next;
    return *this = Iterator(text_, next);
}

std::optional<TextLines> readRuleLines(IdentifyContext& context, const std::string& path) {
    auto bytes = readRuleFile(context, path);
    if (!bytes)
        return std::nullopt;
    return TextLines(std::move(*bytes));
}

bool fileHoldsText(IdentifyContext& context, const std::string& path, const std::string& text) {
    const auto file = context.files.openBytes(path);
    if (!file || text.empty() || file->size() > kMaxScannedFile)
        return false;
    // Pieces overlap by one byte less than the text, so a text across a border is found too.
    const std::uint64_t size = file->size();
    for (std::uint64_t at = 0; at < size;) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kScanPiece, size - at));
        const auto piece = file->readAt(at, count);
        if (!piece)
            return false;
        if (piece->find(text) != std::string::npos)
            return true;
        if (at + count >= size)
            break;
        at += count > text.size() ? count - (text.size() - 1) : count;
    }
    return false;
}

} // namespace dm::update
