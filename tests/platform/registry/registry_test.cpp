// Tests of the hive-file registry: values, names, keys, views, damaged hives, links, locking.
#include "platform/fakes/FakeRegistry.h"
#include "platform/registry/FileRegistry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace dm::platform;

namespace {

constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr auto HKLM = RegistryRoot::LocalMachine;

class FileRegistryTest : public ::testing::Test {
protected:
    std::string hive(const char* name) const { return (dir.path() / name).string(); }

    dm::test::TempDir dir;
    FileRegistry registry{dir.path().string()};
};

} // namespace

TEST_F(FileRegistryTest, AHiveThatIsALinkIsWrittenWhereItLivesAndStaysALink) {
    const std::string target = dir.write("dotfiles/user.reg", "WINE REGISTRY Version 2\n");
    std::filesystem::permissions(target, std::filesystem::perms(0600));
    std::filesystem::create_symlink(target, dir.path() / "user.reg");
    auto key =
        registry.createKey(RegistryRoot::CurrentUser, "Software\\Brackenway", RegistryAccess::Full);
    ASSERT_TRUE(key && key->writeString("Dimmetric", "/opt/dimmetric"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "user.reg"));
    EXPECT_NE(dm::test::TempDir::read(target).find("/opt/dimmetric"), std::string::npos);
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0600));
    EXPECT_EQ(FileRegistry(dir.path().string())
                  .openKey(RegistryRoot::CurrentUser, "Software\\Brackenway", RegistryAccess::Read)
                  ->readString("Dimmetric")
                  .value,
              "/opt/dimmetric");
}

TEST_F(FileRegistryTest, ValuesOfEveryTypeReadBackFromTheFileInAFreshInstance) {
    {
        auto key =
            registry.createKey(HKCU, "SOFTWARE\\Brackenway\\Dimmetric", RegistryAccess::Full);
        ASSERT_TRUE(key);
        EXPECT_TRUE(key->writeString("Path", "C:\\Tools\\caf\xe9\"x\".exe"));
        EXPECT_TRUE(key->writeExpandString("Temp", "%TEMP%"));
        EXPECT_TRUE(key->writeDword("lng", 0x0001040C));
        EXPECT_TRUE(key->writeValue("Blob", RegistryValue::binary(std::string("\0\xff", 2))));
        EXPECT_TRUE(key->writeValue("List", RegistryValue::multiString({"a", "", "b"})));
        EXPECT_TRUE(key->writeString("", "default"));
    }
    const std::string text = dm::test::TempDir::read(hive("user.reg"));
    EXPECT_EQ(text.rfind("WINE REGISTRY Version 2\n", 0), 0u);
    EXPECT_NE(text.find("[SOFTWARE\\\\Brackenway\\\\Dimmetric] "), std::string::npos);
    EXPECT_NE(text.find("\"Path\"=\"C:\\\\Tools\\\\caf\\xe9\\\"x\\\".exe\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"lng\"=dword:0001040c\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(hive("system.reg")));

    FileRegistry fresh(dir.path().string());
    auto key = fresh.openKey(HKCU, "SOFTWARE\\Brackenway\\Dimmetric", RegistryAccess::Read);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readString("Path").value, "C:\\Tools\\caf\xe9\"x\".exe");
    EXPECT_EQ(key->readValue("Temp"), RegistryValue::expandString("%TEMP%"));
    EXPECT_EQ(key->readDword("lng").value, 0x0001040Cu);
    EXPECT_EQ(key->readValue("Blob"), RegistryValue::binary(std::string("\0\xff", 2)));
    EXPECT_EQ(key->readValue("List")->texts(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(key->readString("").value, "default");
    EXPECT_EQ(key->valueNames(),
              (std::vector<std::string>{"Path", "Temp", "lng", "Blob", "List", ""}));
}

TEST_F(FileRegistryTest, TypedReadsTellMissingFromWrongType) {
    auto key = registry.createKey(HKCU, "K", RegistryAccess::Full);
    EXPECT_TRUE(key->writeDword("number", 5));
    EXPECT_TRUE(key->writeString("text", "5"));
    EXPECT_TRUE(key->writeValue("short", RegistryValue{RegType::Dword, "ab"}));
    EXPECT_EQ(key->readString("number").status, ReadStatus::WrongType);
    EXPECT_EQ(key->readDword("text").status, ReadStatus::WrongType);
    EXPECT_EQ(key->readDword("short").status, ReadStatus::WrongType);
    EXPECT_EQ(key->readString("none").status, ReadStatus::Missing);
    EXPECT_EQ(key->valueType("number"), RegType::Dword);
    EXPECT_EQ(key->valueType("none"), std::nullopt);
}

TEST_F(FileRegistryTest, NamesMatchIgnoringCaseAndKeepTheirFirstSpelling) {
    auto key = registry.createKey(HKCU, "Software\\MixedCase", RegistryAccess::Full);
    EXPECT_TRUE(key->writeString("Value", "1"));
    EXPECT_TRUE(key->writeString("VALUE", "2"));
    auto other = registry.createKey(HKCU, "SOFTWARE\\mixedcase\\Sub", RegistryAccess::Full);
    ASSERT_TRUE(other);

    auto root = registry.openKey(HKCU, "", RegistryAccess::Read);
    EXPECT_EQ(root->subKeyNames(), std::vector<std::string>{"Software"});
    auto again = registry.openKey(HKCU, "software\\MIXEDCASE", RegistryAccess::Read);
    EXPECT_EQ(again->subKeyNames(), std::vector<std::string>{"Sub"});
    EXPECT_EQ(again->valueNames(), std::vector<std::string>{"Value"});
    EXPECT_EQ(again->readString("value").value, "2");
    EXPECT_TRUE(again->hasValue("vAlUe"));
}

TEST_F(FileRegistryTest, EnumerationsFollowCreationOrder) {
    for (const char* name : {"Zeta", "alpha", "Mid"})
        EXPECT_TRUE(registry.createKey(HKLM, std::string("SOFTWARE\\Uninstall\\") + name,
                                       RegistryAccess::Full));
    auto key = registry.openKey(HKLM, "SOFTWARE\\Uninstall", RegistryAccess::Full);
    for (const char* name : {"b", "C", "a"})
        EXPECT_TRUE(key->writeString(name, name));
    FileRegistry fresh(dir.path().string());
    auto reread = fresh.openKey(HKLM, "SOFTWARE\\Uninstall", RegistryAccess::Read);
    EXPECT_EQ(reread->subKeyNames(), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
    EXPECT_EQ(reread->valueNames(), (std::vector<std::string>{"b", "C", "a"}));
}

TEST_F(FileRegistryTest, DeletingAKeyTakesItsSubtree) {
    EXPECT_TRUE(
        registry
            .createKey(HKCU, "SOFTWARE\\Brackenway\\Dimmetric\\Deep\\Deeper", RegistryAccess::Full)
            ->writeString("x", "y"));
    EXPECT_TRUE(registry.createKey(HKCU, "SOFTWARE\\Brackenway\\Other", RegistryAccess::Full));
    EXPECT_TRUE(registry.deleteKey(HKCU, "software\\brackenway\\DIMMETRIC"));
    EXPECT_FALSE(registry.keyExists(HKCU, "SOFTWARE\\Brackenway\\Dimmetric\\Deep"));
    EXPECT_TRUE(registry.keyExists(HKCU, "SOFTWARE\\Brackenway\\Other"));
    EXPECT_TRUE(registry.deleteKey(HKCU, "SOFTWARE\\Brackenway\\Dimmetric"));
    EXPECT_FALSE(registry.deleteKey(HKCU, ""));
}

TEST_F(FileRegistryTest, AHandleToADeletedKeyNoLongerWrites) {
    auto key = registry.createKey(HKCU, "A\\B", RegistryAccess::Full);
    EXPECT_TRUE(registry.deleteKey(HKCU, "A"));
    EXPECT_FALSE(key->writeString("x", "y"));
    EXPECT_FALSE(registry.keyExists(HKCU, "A"));
    EXPECT_TRUE(key->valueNames().empty());
}

TEST_F(FileRegistryTest, ThirtyTwoBitViewOfLocalMachineSoftwareIsWow6432Node) {
    EXPECT_TRUE(
        registry.createKey(HKLM, "SOFTWARE\\Vendor", RegistryAccess::Full, RegistryView::Bits32)
            ->writeString("v", "32"));
    EXPECT_TRUE(
        registry.createKey(HKLM, "SOFTWARE\\Vendor", RegistryAccess::Full, RegistryView::Bits64)
            ->writeString("v", "64"));
    auto wow = registry.openKey(HKLM, "SOFTWARE\\Wow6432Node\\Vendor", RegistryAccess::Read);
    ASSERT_TRUE(wow);
    EXPECT_EQ(wow->readString("v").value, "32");
    EXPECT_EQ(
        registry.openKey(HKLM, "SOFTWARE\\Vendor", RegistryAccess::Read)->readString("v").value,
        "64");
    // A path that names Wow6432Node itself is not redirected twice.
    EXPECT_TRUE(registry.openKey(HKLM, "SOFTWARE\\Wow6432Node\\Vendor", RegistryAccess::Read,
                                 RegistryView::Bits32));
    // HKEY_CURRENT_USER is shared between the views.
    EXPECT_TRUE(registry.createKey(HKCU, "SOFTWARE\\Vendor", RegistryAccess::Full)
                    ->writeString("v", "user"));
    EXPECT_EQ(
        registry.openKey(HKCU, "SOFTWARE\\Vendor", RegistryAccess::Read, RegistryView::Bits32)
            ->readString("v")
            .value,
        "user");
}

TEST_F(FileRegistryTest, ReadOnlyKeysRefuseWritesButCreateStillCreates) {
    auto made = registry.createKey(HKCU, "SOFTWARE\\New", RegistryAccess::Read);
    ASSERT_TRUE(made);
    EXPECT_TRUE(registry.keyExists(HKCU, "SOFTWARE\\New"));
    EXPECT_FALSE(made->writeString("x", "y"));
    const Status refused = made->deleteValue("x");
    EXPECT_FALSE(refused);
    EXPECT_FALSE(refused.error().empty());
    EXPECT_FALSE(made->hasValue("x"));
}

TEST_F(FileRegistryTest, MissingHiveReadsEmptyAndTheFolderIsMadeAtTheFirstWrite) {
    FileRegistry nested((dir.path() / "a" / "b").string());
    EXPECT_FALSE(nested.openKey(HKCU, "SOFTWARE", RegistryAccess::Read));
    auto root = nested.openKey(HKCU, "", RegistryAccess::Read);
    ASSERT_TRUE(root);
    EXPECT_TRUE(root->subKeyNames().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "a"));
    EXPECT_TRUE(nested.createKey(HKCU, "SOFTWARE", RegistryAccess::Full));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "a" / "b" / "user.reg"));
}

TEST_F(FileRegistryTest, DamagedHiveIsReportedAndNeverOverwritten) {
    const std::string damaged = "WINE REGISTRY Version 2\n[Software]\n\"v\"=\"unterminated\n";
    dir.write("user.reg", damaged);
    const KeyResult opened = registry.openKey(HKCU, "Software", RegistryAccess::Read);
    EXPECT_EQ(opened.kind(), ErrorKind::Damaged);
    EXPECT_NE(opened.error().find("damaged"), std::string::npos);
    EXPECT_NE(opened.error().find("line 3"), std::string::npos);
    EXPECT_FALSE(registry.createKey(HKCU, "Software\\New", RegistryAccess::Full));
    EXPECT_FALSE(registry.deleteKey(HKCU, "Software"));
    EXPECT_EQ(dm::test::TempDir::read(hive("user.reg")), damaged);
    // The other hive is unaffected.
    EXPECT_TRUE(registry.createKey(HKLM, "Software\\New", RegistryAccess::Full));
}

TEST_F(FileRegistryTest, UnwritableFolderFailsTheWriteAndKeepsTheHive) {
    EXPECT_TRUE(registry.createKey(HKCU, "K", RegistryAccess::Full)->writeString("v", "old"));
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    auto key = registry.openKey(HKCU, "K", RegistryAccess::Full);
    const Status wrote = key->writeString("v", "new");
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    if (wrote)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_FALSE(wrote.error().empty());
    EXPECT_EQ(FileRegistry(dir.path().string())
                  .openKey(HKCU, "K", RegistryAccess::Read)
                  ->readString("v")
                  .value,
              "old");
}

TEST_F(FileRegistryTest, HiveThatIsNotAFileFailsReadsAndWrites) {
    std::filesystem::create_directory(hive("user.reg"));
    EXPECT_FALSE(registry.openKey(HKCU, "", RegistryAccess::Read));
    const KeyResult created = registry.createKey(HKCU, "K", RegistryAccess::Full);
    EXPECT_EQ(created.kind(), ErrorKind::Refused);
    EXPECT_FALSE(created.error().empty());
    EXPECT_TRUE(std::filesystem::is_directory(hive("user.reg")));
}

TEST_F(FileRegistryTest, FailedLockFailsTheWriteAndKeepsTheHive) {
    EXPECT_TRUE(registry.createKey(HKCU, "K", RegistryAccess::Full)->writeString("v", "old"));
    std::filesystem::create_directory(hive("user.reg.lock.blocked"));
    std::filesystem::rename(hive("user.reg.lock"), hive("user.reg.lock.old"));
    std::filesystem::rename(hive("user.reg.lock.blocked"), hive("user.reg.lock"));
    const Status written =
        registry.openKey(HKCU, "K", RegistryAccess::Full)->writeString("v", "new");
    EXPECT_FALSE(written);
    EXPECT_NE(written.error().find("lock"), std::string::npos);
    EXPECT_EQ(FileRegistry(dir.path().string())
                  .openKey(HKCU, "K", RegistryAccess::Read)
                  ->readString("v")
                  .value,
              "old");
}

TEST_F(FileRegistryTest, ChangesOfAnotherInstanceAreSeenAndKept) {
    FileRegistry other(dir.path().string());
    auto mine = registry.createKey(HKCU, "K", RegistryAccess::Full);
    EXPECT_TRUE(mine->writeString("a", "1"));
    auto theirs = other.openKey(HKCU, "K", RegistryAccess::Full);
    ASSERT_TRUE(theirs);
    EXPECT_TRUE(theirs->writeString("b", "2"));
    EXPECT_TRUE(mine->writeString("c", "3"));
    EXPECT_EQ(theirs->valueNames(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(mine->readString("b").value, "2");
}

TEST(FileRegistryFolder, ComesFromTheEnvironment) {
    const char* saved[] = {std::getenv("DIMMETRIC_REGISTRY_DIR"), std::getenv("XDG_CONFIG_HOME"),
                           std::getenv("HOME")};
    const std::string keep[] = {saved[0] ? saved[0] : "", saved[1] ? saved[1] : "",
                                saved[2] ? saved[2] : ""};
    setenv("DIMMETRIC_REGISTRY_DIR", "/tmp/reg", 1);
    EXPECT_EQ(FileRegistry::defaultFolder(), "/tmp/reg");
    unsetenv("DIMMETRIC_REGISTRY_DIR");
    setenv("XDG_CONFIG_HOME", "/tmp/config", 1);
    EXPECT_EQ(FileRegistry::defaultFolder(), "/tmp/config/dimmetric/registry");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "/home/user", 1);
    EXPECT_EQ(FileRegistry::defaultFolder(), "/home/user/.config/dimmetric/registry");
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(FileRegistry::defaultFolder(), "/home/user/.config/dimmetric/registry");
    const char* names[] = {"DIMMETRIC_REGISTRY_DIR", "XDG_CONFIG_HOME", "HOME"};
    for (int i = 0; i < 3; ++i)
        if (saved[i])
            setenv(names[i], keep[i].c_str(), 1);
        else
            unsetenv(names[i]);
}

TEST(MemoryRegistryFake, BehavesAsTheFileRegistryForViewsAndDeletes) {
    FakeRegistry registry;
    EXPECT_TRUE(
        registry.createKey(HKLM, "SOFTWARE\\V", RegistryAccess::Full, RegistryView::Bits32));
    EXPECT_TRUE(registry.keyExists(HKLM, "SOFTWARE\\Wow6432Node\\V"));
    EXPECT_TRUE(registry.deleteKey(HKLM, "SOFTWARE"));
    EXPECT_FALSE(registry.keyExists(HKLM, "SOFTWARE\\Wow6432Node"));
}
