// The platform services the identification engine reads.
#pragma once

#include "platform/Platform.h"

#include <string>
#include <vector>

namespace dm::platform {
class Registry;
class FileSystem;
class VersionResources;
class SystemInfo;
class ProcessRunner;
} // namespace dm::platform

namespace dm::update {

// What one identification works with: the platform services it reads, and its own state. Every
// engine function takes it first.
struct IdentifyContext {
    // Over the program's services.
    explicit IdentifyContext(const platform::Platform& platform,
                             platform::ProcessRunner* processes = nullptr)
        : IdentifyContext(platform.registry, platform.fileSystem, platform.versions,
                          platform.system, processes) {}
    // Over the four services alone, for a program without a desktop.
    IdentifyContext(platform::Registry& registry, platform::FileSystem& files,
                    platform::VersionResources& versions, platform::SystemInfo& system,
                    platform::ProcessRunner* processes = nullptr)
        : registry(registry), files(files), versions(versions), system(system),
          processes(processes) {}

    platform::Registry& registry;
    platform::FileSystem& files;
    platform::VersionResources& versions;
    platform::SystemInfo& system;
    // Optional: runs the programs that a rule asks for output; none: no program is started.
    platform::ProcessRunner* processes;

    // The files whose version is being found, outermost first: a rule that asks for the version
    // of a file already on this list, or asks deeper than a few files, gets none.
    std::vector<std::string> identifying = {};
};

} // namespace dm::update
