#include "update/identify/RuleFiles.h"

#include "framework/TextUtils.h"
#include "platform/files/FileSystem.h"
#include "platform/text/TextLines.h"

#include <algorithm>

namespace dm::update {

namespace {

constexpr std::size_t kScanPiece = 1024 * 1024;

} // namespace

std::optional<std::string> readRuleFile(IdentifyContext& context, const std::string& path,
                                        std::uint64_t limit) {
    const auto file = context.files.openBytes(path);
    if (!file || file->size() > limit)
        return std::nullopt;
    return file->readAt(0, static_cast<std::size_t>(file->size()));
}

std::optional<std::vector<std::string>> readRuleLines(IdentifyContext& context,
                                                      const std::string& path) {
    const auto bytes = readRuleFile(context, path);
    if (!bytes)
        return std::nullopt;
    return platform::textToLines(*bytes);
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
