// The machine's own facilities, wired into one Platform for a run of the program.
#pragma once

#include "platform/Platform.h"

#include <memory>

namespace dm {

// The machine's own facilities, wired into one Platform for a run of the program: hive-file
// registry, Linux file system and system facts, desktop shell and message boxes, /proc memory
// status, WMI over the firmware's memory tables, version resources of files.
class SystemPlatform {
public:
    SystemPlatform();
    ~SystemPlatform();
    SystemPlatform(const SystemPlatform&) = delete;
    SystemPlatform& operator=(const SystemPlatform&) = delete;

    const platform::Platform& Get() const { return platform_; }

private:
    struct Backends;
    std::unique_ptr<Backends> backends_;
    platform::Platform platform_;
};

} // namespace dm
