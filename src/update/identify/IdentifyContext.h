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

// The platform services the identification engine reads. Every engine function takes it first;
// tests fill it with fakes or with backends over a temporary folder.
struct IdentifyContext {
    platform::Registry& registry;
    platform::FileSystem& files;
    platform::VersionResources& versions;
    platform::SystemInfo& system;
    // Runs the programs that a rule asks for output; none: no program can be started.
    platform::ProcessRunner* processes = nullptr;

    // The files whose version is being found, outermost first: a rule that asks for the version
    // of a file already on this list, or asks deeper than a few files, gets none.
    std::vector<std::string> identifying = {};

    // The same services in the shape the framework's helpers take.
    platform::Platform platform() const {
        platform::Platform p;
        p.registry = &registry;
        p.fileSystem = &files;
        p.system = &system;
        p.versions = &versions;
        return p;
    }
};

} // namespace dm::update
