#include "framework/FileVersionText.h"

#include "platform/version/VersionResources.h"

namespace dm {

std::string GetFileVersionText(platform::VersionResources& Versions, const std::string& FileName) {
    if (!Versions.fileExists(FileName))
        return "File not found";
    const auto block = Versions.read(FileName);
    const auto fixed = block ? block->QueryFixed() : std::nullopt;
    if (!fixed)
        return {};
    return std::to_string(fixed->FileVersionMS >> 16) + "." +
           std::to_string(fixed->FileVersionMS & 0xFFFF) + "." +
           std::to_string(fixed->FileVersionLS >> 16) + "." +
           std::to_string(fixed->FileVersionLS & 0xFFFF);
}

} // namespace dm
