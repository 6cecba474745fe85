// The process start-up: the component system once, and the installer library held to exit.
#include "framework/ProcessStartup.h"

namespace dm {

bool initializeOle(platform::SystemInfo& system) {
    return system.initializeOle();
}

InstallerLibrary::InstallerLibrary(platform::SystemInfo& system)
    : library_(system.loadLibrary("msi.dll")) {
    if (library_ && (!library_->hasEntry("MsiGetShortcutTargetA") ||
                     !library_->hasEntry("MsiGetComponentPathA")))
        library_.reset();
}

} // namespace dm
