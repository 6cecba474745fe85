// A raw version resource and the value queries it answers.
#pragma once

#include "platform/version/FixedFileInfo.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dm::platform {

// One value of a version resource, as the system's value query returns it.
struct VersionValue {
    bool IsText = false; // a text value: Bytes holds UTF-16LE units
    std::string Bytes;   // the value's bytes, cut to its node
};

// A raw version resource (VS_VERSIONINFO) and the queries the system's value lookup answers.
// Texts come back as UTF-8, the 8-bit code page of this build. Never reads outside the block.
class VersionBlock {
public:
    // The block when bytes starts with a well-formed VS_VERSION_INFO node; bytes after the node
    // are dropped.
    static std::optional<VersionBlock> fromBytes(std::string bytes);

    const std::string& bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

    // The value of a sub-block path such as "\", "\VarFileInfo\Translation" or
    // "\StringFileInfo\040904b0\FileVersion": keys separated by "\" and compared ignoring case.
    std::optional<VersionValue> queryValue(std::string_view subBlock) const;
    // The values of keys (each non-empty, without "\") right below one sub-block, each as
    // queryValue(parent + "\" + key) gives it; the parent's entries are walked once.
    std::vector<std::optional<VersionValue>>
    queryValues(std::string_view parent, std::span<const std::string_view> keys) const;
    // A text value up to its first NUL; empty when its length is 0.
    std::optional<std::string> queryText(std::string_view subBlock) const;
    // The keys of the string tables under "\StringFileInfo" (language and code page as eight
    // hexadecimal digits, "040904b0"), in the block's order.
    std::vector<std::string> stringTables() const;
    // The root's fixed part; nothing when it is shorter than the 52-byte structure.
    std::optional<FixedFileInfo> queryFixed() const;
    // The whole 4-byte entries of "\VarFileInfo\Translation" (language identifier in the low
    // 16 bits, code page in the high 16 bits); nothing when the table has no whole entry.
    std::optional<std::vector<std::uint32_t>> queryTranslations() const;

private:
    explicit VersionBlock(std::string bytes) : bytes_(std::move(bytes)) {}
    std::string bytes_;
};

} // namespace dm::platform
