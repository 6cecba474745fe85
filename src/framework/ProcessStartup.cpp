#include "framework/ProcessStartup.h"

namespace dm {

bool InitializeOle(platform::SystemInfo& System) {
    return System.initializeOle();
}

InstallerLibrary::InstallerLibrary(platform::SystemInfo& System)
    : library_(System.loadLibrary("msi.dll")) {
    if (library_ && (!library_->hasEntry("MsiGetShortcutTargetA") ||
                     !library_->hasEntry("MsiGetComponentPathA")))
        library_.reset();
}

} // namespace dm
