// Tests of the machine hive read beneath the user's own, missing or damaged.
#include "platform/registry/FileRegistry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace dm::platform;

namespace {

constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr auto HKLM = RegistryRoot::LocalMachine;
const char* const kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// A user's registry folder and, beside it, the machine hive an install step ships.
class MachineHiveTest : public ::testing::Test {
protected:
    MachineHiveTest() {
        machine = dir.write("usr/share/dimmetric/system.reg",
                            "WINE REGISTRY Version 2\n"
                            ";; All keys relative to \\\\Machine\n"
                            "#arch=win64\n"
                            "\n"
                            "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\"
                            "Dimmetric]\n"
                            "\"DisplayName\"=\"Brackenway Dimmetric\"\n"
                            "\"Publisher\"=\"Brackenway\"\n");
        shipped = dm::test::TempDir::read(machine);
    }

    std::string read(Registry& registry, const std::string& key, const std::string& value) {
        auto opened = registry.openKey(HKLM, key, RegistryAccess::Read);
        return opened ? opened->readString(value).value : "<no key>";
    }

    dm::test::TempDir dir;
    std::string machine;
    std::string shipped;
};

TEST_F(MachineHiveTest, MachineKeysAreReadBeneathTheUsersOwn) {
    FileRegistry registry(dir.dir() + "user", machine);
    const std::string entry = std::string(kUninstall) + "\\Dimmetric";
    EXPECT_EQ(read(registry, entry, "DisplayName"), "Brackenway Dimmetric");
    auto uninstall = registry.openKey(HKLM, kUninstall, RegistryAccess::Read);
    ASSERT_TRUE(uninstall);
    EXPECT_EQ(uninstall->subKeyNames(), std::vector<std::string>{"Dimmetric"});
    // Not the user's hive.
    EXPECT_FALSE(registry.openKey(HKCU, entry, RegistryAccess::Read));

    // The user's writes land in the user's file; the user's values win.
    {
        auto own = registry.createKey(HKLM, entry, RegistryAccess::Full);
        ASSERT_TRUE(own);
        ASSERT_TRUE(own->writeString("Publisher", "Someone"));
        ASSERT_TRUE(own->writeString("Comments", "mine"));
        auto other =
            registry.createKey(HKLM, std::string(kUninstall) + "\\Other", RegistryAccess::Full);
        ASSERT_TRUE(other && other->writeString("DisplayName", "Other"));
    }
    EXPECT_EQ(dm::test::TempDir::read(machine), shipped);
    EXPECT_EQ(read(registry, entry, "DisplayName"), "Brackenway Dimmetric");
    EXPECT_EQ(read(registry, entry, "Publisher"), "Someone");
    EXPECT_EQ(read(registry, entry, "Comments"), "mine");
    const std::string own = dm::test::TempDir::read(dir.path() / "user/system.reg");
    EXPECT_EQ(own.find("Brackenway Dimmetric"), std::string::npos);
    EXPECT_NE(own.find("\"Comments\"=\"mine\""), std::string::npos);

    // A fresh instance (another process) sees the same.
    FileRegistry fresh(dir.dir() + "user", machine);
    EXPECT_EQ(read(fresh, entry, "Publisher"), "Someone");
    EXPECT_EQ(read(fresh, std::string(kUninstall) + "\\Other", "DisplayName"), "Other");
}

TEST_F(MachineHiveTest, MissingOrDamagedMachineHiveAddsNothing) {
    const std::string entry = std::string(kUninstall) + "\\Dimmetric";
    FileRegistry without(dir.dir() + "user");
    EXPECT_EQ(read(without, entry, "DisplayName"), "<no key>");
    FileRegistry missing(dir.dir() + "user", dir.dir() + "nowhere/system.reg");
    EXPECT_EQ(read(missing, entry, "DisplayName"), "<no key>");
    dir.write("usr/share/dimmetric/system.reg", "not a hive");
    FileRegistry damaged(dir.dir() + "user", machine);
    EXPECT_EQ(read(damaged, entry, "DisplayName"), "<no key>");
    // The user's own machine keys still work.
    auto own = damaged.createKey(HKLM, "Software\\Mine", RegistryAccess::Full);
    ASSERT_TRUE(own && own->writeString("x", "y"));
    EXPECT_EQ(read(damaged, "Software\\Mine", "x"), "y");
    EXPECT_EQ(dm::test::TempDir::read(machine), "not a hive");
}

TEST_F(MachineHiveTest, ADamagedMachineHiveIsParsedOnceUntilItChanges) {
    const std::string entry = std::string(kUninstall) + "\\Dimmetric";
    dir.write("usr/share/dimmetric/system.reg", shipped + "\"Broken\"=dword:\n");
    int parses = 0; // the user's hives are missing: every parse is the machine hive's
    FileRegistry registry(dir.dir() + "user", machine, [&parses](std::string_view text) {
        ++parses;
        return parseHive(text);
    });
    for (int lookup = 0; lookup < 5; ++lookup)
        EXPECT_EQ(read(registry, entry, "DisplayName"), "<no key>");
    EXPECT_EQ(parses, 1);
    // Mended, the file is another: it is read again.
    dir.write("usr/share/dimmetric/system.reg", shipped);
    EXPECT_EQ(read(registry, entry, "DisplayName"), "Brackenway Dimmetric");
    EXPECT_EQ(parses, 2);
}

TEST(MachineHivePath, LiesInTheShareFolderBesideTheProgramsBinFolder) {
    EXPECT_EQ(FileRegistry::machineHiveOf("/usr/bin/dimmetric"), "/usr/share/dimmetric/system.reg");
    EXPECT_EQ(FileRegistry::machineHiveOf("/tmp/prefix/bin/dimmetric"),
              "/tmp/prefix/share/dimmetric/system.reg");
    EXPECT_EQ(FileRegistry::machineHiveOf("/work/build/bin/dimmetric"),
              "/work/build/share/dimmetric/system.reg");
}

} // namespace
