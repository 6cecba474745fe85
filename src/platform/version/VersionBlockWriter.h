// What a version resource holds, and its bytes written from that.
#pragma once

#include "platform/version/FixedFileInfo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dm::platform {

// What a version resource holds, for writing one.
struct VersionResourceContent {
    struct StringTable {
        std::string Key; // language and code page as eight hexadecimal digits: "040904b0"
        std::vector<std::pair<std::string, std::string>> Strings; // name, UTF-8 value
    };
    std::optional<FixedFileInfo> Fixed;                     // none: the root has no value
    std::vector<StringTable> StringTables;                  // none: no StringFileInfo
    std::optional<std::vector<std::uint32_t>> Translations; // none: no VarFileInfo
};

// The VS_VERSIONINFO bytes of content, laid out as the resource compiler lays them out.
std::string writeVersionBlock(const VersionResourceContent& content);

} // namespace dm::platform
