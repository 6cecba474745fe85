// Tests of the settings store: the portable settings file round trip and the maker's key.
#include "framework/SettingsStore.h"

#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/registry/FileRegistry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dm {
namespace {

namespace fs = std::filesystem;
using namespace platform;

class SettingsStoreTest : public ::testing::Test {
protected:
    std::unique_ptr<RegistryKey> settings(Registry& registry) {
        return registry.openKey(RegistryRoot::CurrentUser, kProductSettingsKey,
                                RegistryAccess::Full);
    }

    test::TempDir temp;
    std::string hives = temp.dir() + "registry";
    std::string ini = temp.dir() + "program/settings.ini";
    FakeSystemInfo system;
};

TEST_F(SettingsStoreTest, PortableRoundTripThroughHiveAndSettingsFile) {
    {
        FileRegistry registry(hives);
        auto key = registry.createKey(RegistryRoot::CurrentUser, kProductSettingsKey,
                                      RegistryAccess::Full);
        ASSERT_TRUE(key);
        EXPECT_TRUE(key->writeDword("lng", 0x0001040C));
        EXPECT_TRUE(key->writeDword("all_bits", 4294967295u));
        EXPECT_TRUE(key->writeString("LastExport", "/home/user/report.txt"));
        EXPECT_TRUE(key->writeExpandString("Expanded", "%HOME%/x"));
        EXPECT_TRUE(key->writeValue("Blob", RegistryValue::binary("\x01\x02")));
        fs::create_directories(temp.path() / "program");
        ASSERT_TRUE(ExportSettingsToIni(registry, system, "Dimmetric", ini));
    }
    const std::string text = test::TempDir::read(ini);
    EXPECT_NE(text.find("[Settings_DWORD]\r\nlng=66572\r\nall_bits=-1\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("[Settings]\r\nLastExport=/home/user/report.txt\r\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("Expanded"), std::string::npos);
    EXPECT_EQ(text.find("Blob"), std::string::npos);

    {
        FileRegistry registry(hives);
        DeleteProductSettingsKey(registry, "Dimmetric");
        EXPECT_FALSE(settings(registry));
        ImportSettingsIni(registry, "Dimmetric", ini);
    }
    FileRegistry reopened(hives);
    auto key = settings(reopened);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readDword("lng").value, 0x0001040Cu);
    EXPECT_EQ(key->readDword("all_bits").value, 4294967295u);
    EXPECT_EQ(key->readString("LastExport").value, "/home/user/report.txt");
    EXPECT_FALSE(key->hasValue("Expanded"));
    EXPECT_FALSE(key->hasValue("Blob"));
}

TEST_F(SettingsStoreTest, ImportReadsHexadecimalUnreadableAsZeroAndKeepsOtherValues) {
    temp.write("program/settings.ini",
               "[Settings]\r\nName=Value\r\nEmpty=\r\nLong=" + std::string(3000, 'x') +
                   "\r\n[Settings_DWORD]\r\nhex=0x10\r\nbad=abc\r\n"
                   "neg=-2\r\n[Other]\r\nignored=1\r\n");
    FileRegistry registry(hives);
    EXPECT_TRUE(
        registry.createKey(RegistryRoot::CurrentUser, kProductSettingsKey, RegistryAccess::Full)
            ->writeString("Untouched", "stays"));
    ImportSettingsIni(registry, "Dimmetric", ini);
    auto key = settings(registry);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readString("Name").value, "Value");
    EXPECT_EQ(key->readString("Empty").status, ReadStatus::Ok);
    EXPECT_EQ(key->readString("Long").value.size(), 2047u);
    EXPECT_EQ(key->readDword("hex").value, 16u);
    EXPECT_EQ(key->readDword("bad").value, 0u);
    EXPECT_EQ(key->readDword("neg").value, 0xFFFFFFFEu);
    EXPECT_EQ(key->readString("Untouched").value, "stays");
    EXPECT_FALSE(key->hasValue("ignored"));
}

TEST_F(SettingsStoreTest, APortableRunWithoutSettingsFileLeavesNothingBehind) {
    FileRegistry registry(hives);
    ImportSettingsIni(registry, "Dimmetric", ini);
    ASSERT_TRUE(settings(registry)) << "the empty settings key is made";
    EXPECT_TRUE(settings(registry)->valueNames().empty());
    WriteMakerValue(registry, "Dimmetric", "/opt/dimmetric/dimmetric");

    fs::create_directories(temp.path() / "program");
    ASSERT_TRUE(ExportSettingsToIni(registry, system, "Dimmetric", ini));
    EXPECT_FALSE(fs::exists(ini)) << "an empty key writes nothing";
    DeleteProductSettingsKey(registry, "Dimmetric");
    DeleteMakerValue(registry, "Dimmetric");
    DeleteMakerKeyIfEmpty(registry);
    EXPECT_FALSE(registry.keyExists(RegistryRoot::CurrentUser, kMakerKey));
}

TEST_F(SettingsStoreTest, AFailedExportIsFalseAndTheRegistryKeepsTheSettings) {
    FileRegistry registry(hives);
    EXPECT_TRUE(
        registry.createKey(RegistryRoot::CurrentUser, kProductSettingsKey, RegistryAccess::Full)
            ->writeDword("lng", 1033));
    EXPECT_FALSE(ExportSettingsToIni(registry, system, "Dimmetric", ini)) << "no such folder";
    fs::create_directories(temp.path() / "program/settings.ini");
    EXPECT_FALSE(ExportSettingsToIni(registry, system, "Dimmetric", ini)) << "a folder in the way";
    fs::remove(ini);
    temp.write("program/settings.ini", "[Settings_DWORD]\r\nlng=1031\r\n");
    fs::permissions(ini, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(ExportSettingsToIni(registry, system, "Dimmetric", ini)) << "a read-only file";
    EXPECT_EQ(test::TempDir::read(ini), "[Settings_DWORD]\r\nlng=1031\r\n");
    EXPECT_EQ(settings(registry)->readDword("lng").value, 1033u);
}

TEST_F(SettingsStoreTest, AnUnreadableValueFailsTheExport) {
    FileRegistry registry(hives);
    auto key =
        registry.createKey(RegistryRoot::CurrentUser, kProductSettingsKey, RegistryAccess::Full);
    EXPECT_TRUE(
        key->writeValue("short", RegistryValue{RegType::Dword, std::string("\x01\x02", 2)}));
    fs::create_directories(temp.path() / "program");
    EXPECT_FALSE(ExportSettingsToIni(registry, system, "Dimmetric", ini));
}

TEST_F(SettingsStoreTest, ExportKeepsEntriesTheRegistryNoLongerHas) {
    temp.write("program/settings.ini", "[Settings]\r\nOld=kept\r\n");
    FileRegistry registry(hives);
    EXPECT_TRUE(
        registry.createKey(RegistryRoot::CurrentUser, kProductSettingsKey, RegistryAccess::Full)
            ->writeString("New", "added"));
    ASSERT_TRUE(ExportSettingsToIni(registry, system, "Dimmetric", ini));
    const std::string text = test::TempDir::read(ini);
    EXPECT_NE(text.find("Old=kept"), std::string::npos);
    EXPECT_NE(text.find("New=added"), std::string::npos);
}

TEST_F(SettingsStoreTest, AWriteIntoADamagedHiveReportsTheHiveAndLeavesIt) {
    const std::string damaged = "WINE REGISTRY Version 2\n[Software]\n\"v\"=\"unterminated\n";
    temp.write("registry/user.reg", damaged);
    FileRegistry registry(hives);
    try {
        WriteMakerValue(registry, "Dimmetric", "/opt/dimmetric/dimmetric");
        ADD_FAILURE() << "the write must fail";
    } catch (const RegistryError& error) {
        EXPECT_NE(std::string(error.what()).find("damaged"), std::string::npos) << error.what();
    }
    EXPECT_EQ(test::TempDir::read(hives + "/user.reg"), damaged);
}

TEST(MakerKey, ValuesReadWriteAndTypeErrors) {
    FakeRegistry registry;
    EXPECT_EQ(ReadMakerValue(registry, "Harrow"), "");
    WriteMakerValue(registry, "Harrow", "C:\\Harrow\\harrow.exe");
    EXPECT_EQ(ReadMakerValue(registry, "harrow"), "C:\\Harrow\\harrow.exe");
    EXPECT_TRUE(registry.createKey(RegistryRoot::CurrentUser, kMakerKey, RegistryAccess::Full)
                    ->writeDword("Number", 1));
    EXPECT_THROW(ReadMakerValue(registry, "Number"), RegistryError);
    registry.setWritesFail(true);
    EXPECT_THROW(WriteMakerValue(registry, "Dimmetric", "/x"), RegistryError);
}

TEST(MakerKey, DeletedOnlyWhenNoProgramValueAndNoSubkeyRemain) {
    FakeRegistry registry;
    DeleteMakerKeyIfEmpty(registry);
    EXPECT_FALSE(registry.keyExists(RegistryRoot::CurrentUser, kMakerKey)) << "never made";

    WriteMakerValue(registry, "Dimmetric", "/opt/dimmetric");
    WriteMakerValue(registry, "Harrow", "/opt/harrow");
    EXPECT_TRUE(registry.createKey(RegistryRoot::CurrentUser, "SOFTWARE\\Brackenway\\Harrow",
                                   RegistryAccess::Full));
    DeleteMakerValue(registry, "Dimmetric");
    DeleteMakerValue(registry, "Missing");
    DeleteMakerKeyIfEmpty(registry);
    EXPECT_TRUE(registry.keyExists(RegistryRoot::CurrentUser, kMakerKey)) << "value and subkey";

    DeleteProductSettingsKey(registry, "Harrow");
    DeleteMakerKeyIfEmpty(registry);
    EXPECT_TRUE(registry.keyExists(RegistryRoot::CurrentUser, kMakerKey)) << "a value is left";

    DeleteMakerValue(registry, "Harrow");
    DeleteMakerKeyIfEmpty(registry);
    EXPECT_FALSE(registry.keyExists(RegistryRoot::CurrentUser, kMakerKey));
    EXPECT_TRUE(registry.keyExists(RegistryRoot::CurrentUser, "SOFTWARE"));
}

} // namespace
} // namespace dm
