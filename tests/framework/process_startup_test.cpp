#include "framework/ProcessStartup.h"

#include "platform/fakes/FakeSystemInfo.h"
#include "platform/system/LinuxSystemInfo.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

TEST(ProcessStartup, HoldsTheInstallerLibraryOnlyWithBothEntryPoints) {
    platform::FakeSystemInfo system;
    EXPECT_FALSE(InstallerLibrary(system).Bound()) << "no library";
    system.libraries["msi.dll"] = {"MsiGetShortcutTargetA"};
    EXPECT_FALSE(InstallerLibrary(system).Bound()) << "one entry point missing";
    system.libraries["msi.dll"] = {"MsiGetShortcutTargetA", "MsiGetComponentPathA"};
    EXPECT_TRUE(InstallerLibrary(system).Bound());
    EXPECT_EQ(system.loadedLibraries.size(), 3u);
    EXPECT_EQ(system.loadedLibraries.back(), "msi.dll");
}

TEST(ProcessStartup, TheLinuxSystemHasNoInstallerLibraryAndNeedsNoComponentSetUp) {
    platform::LinuxSystemInfo system;
    EXPECT_FALSE(InstallerLibrary(system).Bound());
    EXPECT_TRUE(InitializeOle(system));
}

} // namespace
} // namespace dm
