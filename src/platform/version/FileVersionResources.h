#pragma once

#include "platform/version/VersionResources.h"

namespace dm::platform {

// Version resources read from the files themselves: PE images, and ELF files that carry one in
// their version section (our own programs).
class FileVersionResources final : public VersionResources {
public:
    bool fileExists(const std::string& path) override;
    std::optional<VersionBlock> read(const std::string& path) override;
    std::string moduleFileName() override;
};

} // namespace dm::platform
