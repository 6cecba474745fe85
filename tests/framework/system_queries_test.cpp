// Tests of the system queries: version names and texts, 32-bit on 64-bit, redirection.
#include "framework/SystemQueries.h"

#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/system/LinuxSystemInfo.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace dm {
namespace {

using namespace platform;

constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

void setValue(Registry& registry, const char* name, const char* text) {
    EXPECT_TRUE(
        registry.createKey(RegistryRoot::LocalMachine, kCurrentVersion, RegistryAccess::Full)
            ->writeString(name, text));
}

TEST(SystemQueries, NtVersionNamesFollowTheTable) {
    struct Case {
        std::uint32_t major, minor;
        int build;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {10, 0, 19045, "10.0.19045 (Windows10)"},
        {10, 0, 22631, "11.0.22631 (Windows11)"},
        {10, 0, 0, "10.0.0 (Windows10)"},
        {10, 0, 20000, "11.0.20000 (Windows11)"},
        {6, 1, 0, "6.1 (Seven)"},
        {6, 4, 0, "6.4"},
        {5, 0, 0, "5.0 (Windows 2000)"},
        {5, 1, 0, "5.1 (Windows XP)"},
        {5, 2, 0, "5.2 (Windows 2003)"},
        {6, 0, 0, "6.0 (Vista)"},
        {6, 2, 0, "6.2 (Windows8)"},
        {6, 3, 0, "6.3 (Windows8.1)"},
    };
    FakeSystemInfo system;
    for (const auto& c : cases) {
        system.workstation = WorkstationVersion{c.major, c.minor};
        EXPECT_EQ(GetNTVersionName(system, c.build), c.expected);
    }
    system.workstation.reset();
    EXPECT_EQ(GetNTVersionName(system, 19045), "Unknown");
}

TEST(SystemQueries, WindowsVersionTextOfBothFamilies) {
    FakeSystemInfo system;
    FakeRegistry registry;
    EXPECT_EQ(GetWindowsVersionText(system, registry), "Unknown") << "failed version query";

    struct Case {
        std::uint32_t major, minor;
        const char* servicePack;
        const char* expected;
    };
    const std::vector<Case> family95 = {
        {4, 0, "", "4.0 (95)"},   {4, 10, " A ", "4.10 (98SE)"}, {4, 10, "", "4.10 (98)"},
        {4, 90, "", "4.90 (ME)"}, {4, 3, "", "4.3 (Unknown)"},
    };
    for (const auto& c : family95) {
        system.version = OsVersionInfo{1, c.major, c.minor, 0, c.servicePack};
        EXPECT_EQ(GetWindowsVersionText(system, registry), c.expected);
    }

    system.version = OsVersionInfo{2, 10, 0, 0, ""};
    system.workstation = WorkstationVersion{10, 0};
    EXPECT_EQ(GetWindowsVersionText(system, registry), "10.0.0 (Windows10)");
    setValue(registry, "CurrentBuildNumber", "22631");
    EXPECT_EQ(GetCurrentBuildNumber(registry), "22631");
    EXPECT_EQ(GetWindowsVersionText(system, registry), "11.0.22631 (Windows11)");
    setValue(registry, "CurrentBuildNumber", "22631x");
    EXPECT_EQ(GetWindowsVersionText(system, registry), "10.0.0 (Windows10)");
    system.workstation.reset();
    EXPECT_EQ(GetWindowsVersionText(system, registry), "Unknown");

    system.version = OsVersionInfo{3, 10, 0, 0, ""};
    EXPECT_EQ(GetWindowsVersionText(system, registry), "Unknown");
}

TEST(SystemQueries, TheLinuxSystemIsCurrentButHasNoWindowsVersionText) {
    LinuxSystemInfo system;
    FakeRegistry registry;
    EXPECT_EQ(GetWindowsVersionText(system, registry), "Unknown")
        << "the 8-bit version query fails, so the banner keeps its Unknown";
    EXPECT_FALSE(IsPreVistaOS(system)) << "the workstation query answers 10.0, so TLS is used";
    EXPECT_EQ(GetNTVersionName(system, 19045), "10.0.19045 (Windows10)");
    EXPECT_FALSE(IsWow64(system));
    EXPECT_TRUE(SetWow64FsRedirection(system, true));
    EXPECT_TRUE(SetWow64FsRedirection(system, false));
    EXPECT_EQ(GetReactOSBuildText(registry, [](const std::string&) { return "x"; }), "");
}

TEST(SystemQueries, PreVistaAndWow64Answers) {
    FakeSystemInfo system;
    system.workstation = WorkstationVersion{5, 1};
    EXPECT_TRUE(IsPreVistaOS(system));
    system.workstation = WorkstationVersion{6, 0};
    EXPECT_FALSE(IsPreVistaOS(system));
    system.wow64 = true;
    EXPECT_TRUE(IsWow64(system));
    system.wow64.reset();
    EXPECT_FALSE(IsWow64(system)) << "no such query";
}

class ThrowingSwitch : public FakeSystemInfo {
public:
    std::optional<bool> setFsRedirectionDisabled(bool) override {
        throw std::runtime_error("switch failed");
    }
};

TEST(SystemQueries, RedirectionSwitchIsFalseOnlyWhenItThrows) {
    FakeSystemInfo system;
    system.redirection = false;
    EXPECT_TRUE(SetWow64FsRedirection(system, true)) << "the switch's own answer is not used";
    ThrowingSwitch throwing;
    EXPECT_FALSE(SetWow64FsRedirection(throwing, true));
}

TEST(SystemQueries, ReactOSBuildTextFromTheRegistry) {
    FakeRegistry registry;
    std::vector<std::string> asked;
    auto version = [&](const std::string& file) {
        asked.push_back(file);
        return std::string("0.4.15.0");
    };
    setValue(registry, "ProductName", "Windows");
    setValue(registry, "BuildLab", "20230101-rel");
    EXPECT_EQ(GetReactOSBuildText(registry, version), "");

    setValue(registry, "ProductName", "reactos");
    EXPECT_EQ(GetReactOSBuildText(registry, version), "20230101-rel");

    setValue(registry, "BuildLab", "UNKNOWN-build");
    EXPECT_EQ(GetReactOSBuildText(registry, version), "UNKNOWN-build") << "no SystemRoot";
    setValue(registry, "SystemRoot", "C:\\ReactOS");
    EXPECT_EQ(GetReactOSBuildText(registry, version), "0.4.15.0 (UNKNOWN-build)");
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\ReactOS/explorer.exe"}));
}

} // namespace
} // namespace dm
