// A file's version as the text "1.23.0.47", from its version resource.
#include "framework/FileVersionText.h"

#include "platform/version/VersionResources.h"

namespace dm {

std::string GetFileVersionText(platform::VersionResources& versions, const std::string& fileName) {
    if (!versions.fileExists(fileName))
        return "File not found";
    return fileVersionTextOf(versions.read(fileName));
}

std::string fileVersionTextOf(const std::optional<platform::VersionBlock>& block) {
    const auto fixed = block ? block->queryFixed() : std::nullopt;
    if (!fixed)
        return {};
    return std::to_string(fixed->FileVersionMS >> 16) + "." +
           std::to_string(fixed->FileVersionMS & 0xFFFF) + "." +
           std::to_string(fixed->FileVersionLS >> 16) + "." +
           std::to_string(fixed->FileVersionLS & 0xFFFF);
}

} // namespace dm
