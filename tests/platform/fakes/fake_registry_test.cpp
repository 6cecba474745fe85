// Tests of the registry in memory: values of each type, missing keys, failing writes.
#include "platform/fakes/FakeRegistry.h"

#include <gtest/gtest.h>

using namespace dm::platform;

TEST(FakeRegistry, CreatedKeyKeepsValuesOfEachType) {
    FakeRegistry registry;
    auto key = registry.createKey(RegistryRoot::CurrentUser, "SOFTWARE\\Brackenway\\Dimmetric",
                                  RegistryAccess::Full);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->writeString("Path", "C:\\Tools\\a.exe"));
    EXPECT_TRUE(key->writeDword("lng", 0x0001040C));

    auto again = registry.openKey(RegistryRoot::CurrentUser, "software\\BRACKENWAY\\dimmetric\\",
                                  RegistryAccess::Read);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->readString("path").value, "C:\\Tools\\a.exe");
    EXPECT_EQ(again->readDword("LNG").value, 0x0001040Cu);
    EXPECT_EQ(again->readString("lng").status, ReadStatus::WrongType);
    EXPECT_EQ(again->readString("absent").status, ReadStatus::Missing);
    EXPECT_FALSE(again->writeString("Path", "x"));
}

TEST(FakeRegistry, MissingKeyDoesNotOpenAndFailingWritesAreReported) {
    FakeRegistry registry;
    EXPECT_FALSE(registry.openKey(RegistryRoot::LocalMachine, "SOFTWARE\\X", RegistryAccess::Read));
    registry.setWritesFail(true);
    const KeyResult created =
        registry.createKey(RegistryRoot::CurrentUser, "SOFTWARE\\X", RegistryAccess::Full);
    EXPECT_FALSE(created);
    EXPECT_FALSE(created.error().empty());
}

TEST(FakeRegistry, AWriteToADeletedKeyFailsAndLeavesTheHiveAsItWas) {
    FakeRegistry registry;
    const auto root = RegistryRoot::CurrentUser;
    auto kept = registry.createKey(root, "SOFTWARE\\Kept", RegistryAccess::Full);
    ASSERT_TRUE(kept && kept->writeString("v", "kept"));
    auto gone = registry.createKey(root, "SOFTWARE\\Gone", RegistryAccess::Full);
    ASSERT_TRUE(gone);
    ASSERT_TRUE(registry.deleteKey(root, "SOFTWARE\\Gone"));

    const Status refused = gone->writeString("v", "lost");
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.error(), "the key has been deleted");
    EXPECT_FALSE(registry.openKey(root, "SOFTWARE\\Gone", RegistryAccess::Read));
    auto software = registry.openKey(root, "SOFTWARE", RegistryAccess::Read);
    ASSERT_TRUE(software);
    EXPECT_EQ(software->subKeyNames(), std::vector<std::string>{"Kept"});
    EXPECT_EQ(kept->readString("v").value, "kept");
}
