// Tests of the uninstall listing and searches: newest match, types, views, folders.
#include "update/identify/uninstall/UninstallSearches.h"

#include "update/identify/IdentifyFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm::update {
namespace {

using platform::RegistryRoot;
using platform::RegistryValue;
using test::sz;

const std::string kKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kKey32 = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class UninstallListingTest : public test::IdentifyFixture {};

TEST_F(UninstallListingTest, ListsHeadingsThenEntriesOfTheThreeKeys) {
    addEntry(RegistryRoot::CurrentUser, "", "UserTool", {{"DisplayName", sz("User Tool 1.0")}});
    addMachineEntry("{GUID-1}", {{"DisplayName", sz("Machine Tool")}});
    addMachineEntry("NoName", {{"DisplayVersion", sz("1.0")}});
    addMachineEntry("Expand", {{"DisplayName", RegistryValue::expandString("Expanded Name")}});
    addMachineEntry("Dword", {{"DisplayName", RegistryValue::dword(7)}});
    addEntry(RegistryRoot::LocalMachine, "Wow6432Node\\", "Old32",
             {{"DisplayName", sz("Old 32-bit Tool")}});
    const auto listing = ListUninstallDisplayNames(context);
    const std::vector<std::string> expected = {
        "HKEY_CURRENT_USER\\" + kKey,
        "User Tool 1.0",
        "HKEY_LOCAL_MACHINE\\" + kKey,
        "Machine Tool",
        "NoName",
        "Expand",
        "Dword",
        "HKEY_LOCAL_MACHINE\\" + kKey32,
        "Old 32-bit Tool",
    };
    EXPECT_EQ(listing.Names, expected);
    EXPECT_TRUE(listing.Errors.empty());
}

TEST_F(UninstallListingTest, MissingKeysGiveErrorLinesAsTheSystemExpects) {
    // An empty registry: no user key (no heading), a machine key that cannot be opened, and a
    // 32-bit view that is reported missing only under WOW64.
    auto listing = ListUninstallDisplayNames(context);
    EXPECT_EQ(listing.Names, (std::vector<std::string>{"HKEY_LOCAL_MACHINE\\" + kKey,
                                                       "HKEY_LOCAL_MACHINE\\" + kKey32}));
    EXPECT_EQ(listing.Errors,
              std::vector<std::string>{"Unable to open HKEY_LOCAL_MACHINE\\" + kKey});

    system.wow64 = true;
    listing = ListUninstallDisplayNames(context);
    EXPECT_EQ(listing.Errors,
              (std::vector<std::string>{"Unable to open HKEY_LOCAL_MACHINE\\" + kKey,
                                        "Unable to open HKEY_LOCAL_MACHINE\\" + kKey32}));
}

struct InstalledCase {
    const char* name;
    RegistryRoot root;
    std::string subRoot;
    std::string subKey;
    test::Values values;
    bool installed;
};

TEST_F(UninstallListingTest, IsSoftwareInstalledFindsTheProgramsEntry) {
    const std::vector<InstalledCase> cases = {
        {"user entry",
         RegistryRoot::CurrentUser,
         "",
         "{A}",
         {{"DisplayName", sz("Brackenway Dimmetric 1.23")}},
         true},
        {"machine entry",
         RegistryRoot::LocalMachine,
         "",
         "{A}",
         {{"DisplayName", sz("Brackenway Dimmetric 1.23")}},
         true},
        {"32-bit entry",
         RegistryRoot::LocalMachine,
         "Wow6432Node\\",
         "{A}",
         {{"DisplayName", sz("Brackenway Dimmetric 1.23")}},
         true},
        {"lower case",
         RegistryRoot::LocalMachine,
         "",
         "{A}",
         {{"DisplayName", sz("brackenway dimmetric 1.23")}},
         true},
        {"subkey name",
         RegistryRoot::CurrentUser,
         "",
         "Brackenway Dimmetric_is1",
         {{"DisplayVersion", sz("1.23")}},
         true},
        {"expandable name, subkey decides",
         RegistryRoot::LocalMachine,
         "",
         "Brackenway Dimmetric",
         {{"DisplayName", RegistryValue::expandString("Something Else")}},
         true},
        {"other product",
         RegistryRoot::LocalMachine,
         "",
         "{A}",
         {{"DisplayName", sz("Brackenway Other 2.0")}},
         false},
        {"name inside",
         RegistryRoot::LocalMachine,
         "",
         "{A}",
         {{"DisplayName", sz("The Brackenway Dimmetric")}},
         false},
        {"subkey name hidden by a DisplayName",
         RegistryRoot::LocalMachine,
         "",
         "Brackenway Dimmetric",
         {{"DisplayName", sz("Renamed")}},
         false},
        {"expandable display name only",
         RegistryRoot::LocalMachine,
         "",
         "{A}",
         {{"DisplayName", RegistryValue::expandString("Brackenway Dimmetric")}},
         false},
    };
    for (const auto& c : cases) {
        platform::FakeRegistry fresh;
        IdentifyContext local{fresh, files, versions, system};
        const auto key =
            fresh.createKey(c.root, "SOFTWARE\\" + c.subRoot + kKey.substr(9) + c.subKey,
                            platform::RegistryAccess::Full);
        ASSERT_TRUE(key);
        for (const auto& [name, value] : c.values)
            EXPECT_TRUE(key->writeValue(name, value));
        EXPECT_EQ(IsSoftwareInstalled(local, "Brackenway Dimmetric"), c.installed) << c.name;
    }
    EXPECT_FALSE(IsSoftwareInstalled(context, "Brackenway Dimmetric")) << "empty registry";
    // The headings take part like any line.
    EXPECT_TRUE(IsSoftwareInstalled(context, "HKEY_LOCAL_MACHINE\\SOFTWARE"));
}

class UninstallSearchTest : public test::IdentifyFixture {};

TEST_F(UninstallSearchTest, VersionSearchesKeepTheNewestMatch) {
    addMachineEntry("a", {{"DisplayName", sz("Tool 2.10")}, {"DisplayVersion", sz("2.10")}});
    addMachineEntry("b", {{"DisplayName", sz("Tool 2.9")}, {"DisplayVersion", sz("v2.9")}});
    addMachineEntry("c", {{"DisplayName", sz("Tool Pro 3.1 (x64)")}, {"DisplayVersion", sz("x")}});
    addMachineEntry("d", {{"DisplayName", RegistryValue::expandString("Tool 9.9")},
                          {"DisplayVersion", sz("9.9")}});
    addMachineEntry("e", {{"DisplayName", sz("Tool Helper")}, {"DisplayVersion", sz("2.10.0.0")}});
    EXPECT_EQ(GetUninstallVersionByName(context, "tool", ""), "64"); // "(x64)" ends the name
    EXPECT_EQ(GetUninstallVersionByName(context, "Tool 2", ""), "2.10");
    EXPECT_EQ(GetUninstallDisplayVersion(context, "tool", "2.", ""), "2.10");
    EXPECT_EQ(GetUninstallDisplayVersion(context, "tool", "2.9", ""), "2.9"); // "v" stripped
    EXPECT_EQ(GetUninstallDisplayVersion(context, "tool", "Helper", "", WordIs::Absent), "2.10");
    EXPECT_EQ(GetUninstallDisplayVersion(context, "tool", "2.1", "", WordIs::Absent), "2.10.0.0");
    EXPECT_EQ(GetUninstallDisplayVersion(context, "tool", "Tool", "", WordIs::Absent), "");
    EXPECT_EQ(GetUninstallDisplayVersion(context, "tool", "", "", WordIs::Absent),
              "2.10");                                                  // of two equal, the first
    EXPECT_EQ(GetUninstallDisplayVersion(context, "Pro", "3", ""), ""); // "x" is no version
    EXPECT_EQ(GetUninstallVersionByName(context, "absent", ""), "");
}

TEST_F(UninstallSearchTest, FieldSearchesKeepTheLastMatch) {
    addMachineEntry("a", {{"DisplayName", sz("Partition Tool 12.5 - Free")}});
    addMachineEntry("b", {{"DisplayName", sz("Viewer 4.1 beta")}});
    addMachineEntry("c", {{"DisplayName", sz("viewer-5.0")}});
    addMachineEntry("d", {{"DisplayName", sz("Viewer 3.2")}});
    EXPECT_EQ(GetUninstallVersionAfterDash(context, "Partition Tool", ""), "Free");
    EXPECT_EQ(GetUninstallVersionVariant2(context, "Viewer", ""), "3.2"); // the last one
    EXPECT_EQ(GetUninstallVersionVariant3(context, "Viewer", ""), "5.0"); // the newest
    EXPECT_EQ(GetUninstallVersionVariant2(context, "View", ""), "");
}

TEST_F(UninstallSearchTest, WrongTypesReadAsAbsent) {
    addMachineEntry("a",
                    {{"DisplayName", sz("Tool")}, {"DisplayVersion", RegistryValue::dword(5)}});
    addMachineEntry(
        "b", {{"DisplayName", sz("Tool")}, {"DisplayVersion", RegistryValue::expandString("1.5")}});
    addMachineEntry("c", {{"DisplayName", sz("Other")},
                          {"Publisher", RegistryValue::dword(1)},
                          {"InstallLocation", sz("/apps/other")}});
    EXPECT_EQ(GetUninstallDisplayVersion(context, "Tool", "Tool", ""), "1.5");
    EXPECT_EQ(FindUninstallVersion(context, "Tool", ""), "1.5");
    EXPECT_EQ(FindPublisherByFolder(context, "/apps/other", ""), "");
}

TEST_F(UninstallSearchTest, Wow64AddsThe32BitViewPass) {
    addMachineEntry("a", {{"DisplayName", sz("Tool")}, {"DisplayVersion", sz("1.0")}});
    addEntry(RegistryRoot::LocalMachine, "Wow6432Node\\", "b",
             {{"DisplayName", sz("Tool")},
              {"DisplayVersion", sz("2.0")},
              {"InstallLocation", sz("/apps/tool32")},
              {"Publisher", sz("Tool Makers 32")}});
    EXPECT_EQ(GetUninstallDisplayVersion(context, "Tool", "Tool", ""), "1.0");
    EXPECT_EQ(FindDisplayNameByFolder(context, "/apps/tool32", ""), "");
    system.wow64 = true;
    EXPECT_EQ(GetUninstallDisplayVersion(context, "Tool", "Tool", ""), "2.0");
    EXPECT_EQ(GetUninstallDisplayVersion(context, "Tool", "Tool", "Wow6432Node\\"), "2.0");
    EXPECT_EQ(FindDisplayNameByFolder(context, "/apps/tool32", ""), "Tool");
    EXPECT_EQ(FindPublisherByFolder(context, "/apps/tool32", ""), "Tool Makers 32");
    // An explicit view walks that view alone.
    EXPECT_EQ(GetDisplayNameByFolder(context, RegistryRoot::LocalMachine, "/apps/tool32",
                                     "Wow6432Node\\"),
              "Tool");

    // The 32-bit pass replaces only a strictly newer version.
    addEntry(RegistryRoot::LocalMachine, "", "c",
             {{"DisplayName", sz("Tool")}, {"DisplayVersion", sz("3.0")}});
    EXPECT_EQ(GetUninstallDisplayVersion(context, "Tool", "Tool", ""), "3.0");
}

TEST_F(UninstallSearchTest, FolderMatchIgnoresCaseAndDelimiters) {
    addMachineEntry("a", {{"DisplayName", sz("By Location")},
                          {"InstallLocation", sz("C:\\apps\\tool\\")},
                          {"DisPlayIcon", sz("C:\\Other\\icon.ico")}});
    addMachineEntry(
        "b", {{"DisplayName", sz("By Icon")}, {"DisplayIcon", sz("/opt/Viewer/viewer.ico")}});
    addMachineEntry(
        "c", {{"DisplayName", sz("Quoted Icon")}, {"DisplayIcon", sz("\"/opt/quoted/q.exe\",0")}});
    addMachineEntry("d", {{"DisplayName", sz("By Uninstaller")},
                          {"DisplayVersion", sz("4.2")},
                          {"InstallLocation", sz("/elsewhere")},
                          {"UninstallString", sz("/opt/unin/uninstall.exe")}});
    addMachineEntry("e", {{"DisplayName", sz("Expandable Location")},
                          {"InstallLocation", RegistryValue::expandString("/opt/expand")},
                          {"DisplayIcon", sz("/opt/icon-wins/x.ico")}});
    const struct {
        std::string folder;
        std::string name;
    } cases[] = {
        {"C:\\Apps\\Tool", "By Location"}, // case and the trailing delimiter do not matter
        {"C:/apps/tool/", "By Location"},
        {"C:\\Other", ""}, // InstallLocation decides when it is a string
        {"/opt/viewer", "By Icon"},
        {"/opt/quoted", ""}, // a quoted icon path keeps its quote
        {"/opt/unin", ""},   // uninstall strings count for the version search only
        {"/opt/expand", ""},
        {"/opt/icon-wins", "Expandable Location"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindDisplayNameByFolder(context, c.folder, ""), c.name) << c.folder;
    EXPECT_EQ(FindUninstallVersionInFolder(context, "Uninstaller", "", "/opt/unin"), "4.2");
    EXPECT_EQ(FindUninstallVersionInFolder(context, "Uninstaller", "", "/opt/other"), "");
    EXPECT_EQ(FindUninstallVersionInFolder(context, "Uninstaller", "", ""), "4.2");
}

TEST_F(UninstallSearchTest, IconGroupStandsForALongerDisplayName) {
    addMachineEntry("a", {{"DisplayName", sz("Editor version 5.1")},
                          {"Inno Setup: Icon Group", sz("Editor")},
                          {"InstallLocation", sz("/opt/editor")}});
    addMachineEntry("b", {{"DisplayName", sz("Player 2")},
                          {"Inno Setup: Icon Group", sz("Media")},
                          {"InstallLocation", sz("/opt/player")}});
    addMachineEntry("c", {{"DisplayName", sz("Reader")},
                          {"Inno Setup: Icon Group", sz("")},
                          {"InstallLocation", sz("/opt/reader")}});
    EXPECT_EQ(FindDisplayNameByFolder(context, "/opt/editor", ""), "Editor");
    EXPECT_EQ(FindDisplayNameByFolder(context, "/opt/player", ""), "Player 2");
    EXPECT_EQ(FindDisplayNameByFolder(context, "/opt/reader", ""), "Reader");
}

TEST_F(UninstallSearchTest, WrappersTryTheMachineFirst) {
    addEntry(RegistryRoot::CurrentUser, "", "u",
             {{"DisplayName", sz("Tool")},
              {"DisplayVersion", sz("5.0")},
              {"InstallLocation", sz("/home/u/tool")},
              {"Publisher", sz("User Co")}});
    EXPECT_EQ(FindUninstallVersion(context, "Tool", ""), "5.0");
    EXPECT_EQ(FindPublisherByFolder(context, "/home/u/tool", ""), "User Co");
    addMachineEntry("m", {{"DisplayName", sz("Tool")},
                          {"DisplayVersion", sz("1.0")},
                          {"InstallLocation", sz("/home/u/tool")},
                          {"Publisher", sz("Machine Co")}});
    EXPECT_EQ(FindUninstallVersion(context, "Tool", ""), "1.0");
    EXPECT_EQ(FindPublisherByFolder(context, "/home/u/tool", ""), "Machine Co");
    EXPECT_EQ(GetUninstallInfoByName(context, RegistryRoot::CurrentUser, "Tool", "", ""), "5.0");
}

TEST(StripVPrefix, DropsOneLeadingV) {
    EXPECT_EQ(StripVPrefix("v2.9"), "2.9");
    EXPECT_EQ(StripVPrefix("V 2.9 "), "2.9");
    EXPECT_EQ(StripVPrefix("vv1"), "v1");
    EXPECT_EQ(StripVPrefix(" v1"), "v1");
    EXPECT_EQ(StripVPrefix(""), "");
}

} // namespace
} // namespace dm::update
