// The system's version functions: the version resource of an executable file.
#pragma once

#include "platform/version/VersionBlock.h"

#include <optional>
#include <string>

namespace dm::platform {

// The system's version functions: the version resource of an executable file
// (GetFileVersionInfoSize/GetFileVersionInfo; VersionBlock answers VerQueryValue).
class VersionResources {
public:
    virtual ~VersionResources() = default;

    // Whether path names an existing file (not a folder).
    virtual bool fileExists(const std::string& path) = 0;
    // The version resource of the file; nullopt when the file is missing or unreadable, or
    // carries no well-formed version resource.
    virtual std::optional<VersionBlock> read(const std::string& path) = 0;
    // GetModuleFileName of the running program: its own executable.
    virtual std::string moduleFileName() = 0;
};

} // namespace dm::platform
