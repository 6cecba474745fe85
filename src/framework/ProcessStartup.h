// The process start-up: the component system once, and the installer library held to exit.
#pragma once

#include "platform/system/SystemInfo.h"

#include <memory>

namespace dm {

// Initialises the component system for the process, once at start; never undone.
bool initializeOle(platform::SystemInfo& system);

// The installer library "msi.dll" with its entry points "MsiGetShortcutTargetA" and
// "MsiGetComponentPathA", held from start to exit. When the library or either entry point is
// missing, nothing is held; the program does not depend on it.
class InstallerLibrary {
public:
    explicit InstallerLibrary(platform::SystemInfo& system);
    bool bound() const { return library_ != nullptr; }

private:
    std::unique_ptr<platform::LoadedLibrary> library_;
};

} // namespace dm
