// Version resources read from the files themselves: PE images and our own ELF programs.
#pragma once

#include "platform/version/VersionResources.h"

namespace dm::platform {

class FileSystem;

// Version resources read from the files themselves, through files: PE images, and ELF files that
// carry one in their version section (our own programs).
class FileVersionResources final : public VersionResources {
public:
    explicit FileVersionResources(FileSystem& files) : files_(files) {}

    bool fileExists(const std::string& path) override;
    std::optional<VersionBlock> read(const std::string& path) override;
    std::string moduleFileName() override;

private:
    FileSystem& files_;
};

} // namespace dm::platform
