// Tests of the process start-up: the installer library and the component set-up.
#include "framework/ProcessStartup.h"

#include "platform/fakes/FakeSystemInfo.h"
#include "platform/system/LinuxSystemInfo.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

TEST(ProcessStartup, HoldsTheInstallerLibraryOnlyWithBothEntryPoints) {
    platform::FakeSystemInfo system;
    EXPECT_FALSE(InstallerLibrary(system).bound()) << "no library";
    system.libraries["msi.dll"] = {"MsiGetShortcutTargetA"};
    EXPECT_FALSE(InstallerLibrary(system).bound()) << "one entry point missing";
    system.libraries["msi.dll"] = {"MsiGetShortcutTargetA", "MsiGetComponentPathA"};
    EXPECT_TRUE(InstallerLibrary(system).bound());
    EXPECT_EQ(system.loadedLibraries.size(), 3u);
    EXPECT_EQ(system.loadedLibraries.back(), "msi.dll");
}

TEST(ProcessStartup, TheLinuxSystemHasNoInstallerLibraryAndNeedsNoComponentSetUp) {
    platform::LinuxSystemInfo system;
    EXPECT_FALSE(InstallerLibrary(system).bound());
    EXPECT_TRUE(initializeOle(system));
}

} // namespace
} // namespace dm
