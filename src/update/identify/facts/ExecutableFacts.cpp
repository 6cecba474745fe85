// PE header facts, version text validity and the system folder mapping of executables.
#include "update/identify/facts/ExecutableFacts.h"

#include "framework/SystemQueries.h"
#include "framework/TextUtils.h"
#include "platform/files/ByteSource.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"
#include "platform/text/ByteOrder.h"
#include "update/Version.h"

#include <algorithm>

namespace dm::update {

namespace {

constexpr std::uint64_t kNtHeadersOffsetAt = 60;
constexpr std::size_t kNtHeadersSize = 248; // signature, file header, 32-bit optional header
constexpr std::size_t kMagicAt = 24;        // the optional header's magic, in the NT headers
constexpr std::uint16_t kMagic64 = 0x20B;

} // namespace

bool IsValidVersionText(const std::string& text) {
    return !text.empty() && VigilVersion(text).IsValid();
}

std::optional<PEHeader> ReadPEHeader(const platform::ByteSource& file) {
    const auto mz = file.readAt(0, 2);
    if (!mz || *mz != "MZ")
        return std::nullopt;
    // The offset is the file's word: unsigned, and every read below stays inside the file.
    const auto offset = file.readAt(kNtHeadersOffsetAt, 4);
    if (!offset)
        return std::nullopt;
    const std::uint64_t at = platform::readLe32(*offset, 0);
    const auto signature = file.readAt(at, 4);
    if (!signature || *signature != std::string("PE\0\0", 4))
        return std::nullopt;
    const std::uint64_t held = std::min<std::uint64_t>(kNtHeadersSize, file.size() - at);
    const auto headers = file.readAt(at, static_cast<std::size_t>(held));
    if (!headers)
        return std::nullopt;
    PEHeader header;
    header.Is64 =
        headers->size() >= kMagicAt + 2 && platform::readLe16(*headers, kMagicAt) == kMagic64;
    return header;
}

std::optional<PEHeader> ReadPEHeader(IdentifyContext& context, const std::string& fileName) {
    const std::string path = MapToSysnative(context, fileName);
    if (path.empty())
        return std::nullopt;
    const auto file = context.files.openBytes(path);
    if (!file)
        return std::nullopt;
    return ReadPEHeader(*file);
}

std::string MapToSysnative(const std::string& fileName, const std::string& systemFolder, bool wow64,
                           char delimiter) {
    std::string result = fileName;
    if (!wow64 || systemFolder.empty() || !fileName.starts_with(systemFolder))
        return result;
    const std::string d(1, delimiter);
    const std::string from = d + "system32" + d;
    if (const int at = posText(from, result); at > 0)
        result.replace(static_cast<std::size_t>(at - 1), from.size(), d + "sysnative" + d);
    return result;
}

std::string MapToSysnative(IdentifyContext& context, const std::string& fileName) {
    return MapToSysnative(fileName, context.files.specialFolder(platform::SpecialFolder::System),
                          IsWow64(context.system), platform::kPathDelimiter);
}

} // namespace dm::update
