// Tests of the version searches for particular products.
#include "update/identify/uninstall/ProductSearches.h"

#include "update/identify/IdentifyFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace dm::update {
namespace {

using platform::RegistryRoot;
using platform::RegistryValue;
using test::sz;

class ProductSearchTest : public test::IdentifyFixture {
protected:
    void setRevision(const RegistryValue& value) {
        const auto key = registry.createKey(RegistryRoot::LocalMachine, "SOFTWARE\\GNU\\ffdshow",
                                            platform::RegistryAccess::Full);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->writeValue("revision", value));
    }
    void writeLibrary(std::uint32_t ms, std::uint32_t ls) {
        platform::VersionResourceContent c;
        platform::FixedFileInfo fixed;
        fixed.FileVersionMS = ms;
        fixed.FileVersionLS = ls;
        c.Fixed = fixed;
        writePe("system/ff_vfw.dll", c);
    }
};

TEST_F(ProductSearchTest, CodecPackVersionFromItsRevision) {
    const struct {
        std::uint32_t revision;
        std::string version;
    } cases[] = {
        {3402, "1.0.3402"}, {3403, "1.1.3403"}, {4422, "1.1.4422"},
        {4423, "1.2.4423"}, {4500, "1.2.4500"}, {0, "0"},
    };
    for (const auto& c : cases) {
        setRevision(RegistryValue::dword(c.revision));
        EXPECT_EQ(GetFfdshowVersion(context), c.version) << c.revision;
    }
}

TEST_F(ProductSearchTest, CodecPackVersionPrefersItsUninstallEntry) {
    setRevision(RegistryValue::dword(4500));
    addMachineEntry("ffdshow_is1", {{"DisplayName", sz("ffdshow [rev 4500]")},
                                    {"DisplayVersion", sz("1.3.4500.0")}});
    EXPECT_EQ(GetFfdshowVersion(context), "1.3.4500.0");
}

TEST_F(ProductSearchTest, CodecPackVersionTakesTheLibrarysNewerMinor) {
    setRevision(RegistryValue::dword(4500)); // 1.2.4500
    writeLibrary(0x00010003, 0x11940000);    // 1.3.4500.0: same release, newer minor
    EXPECT_EQ(GetFfdshowVersion(context), "1.3.4500.0");
    writeLibrary(0x00010003, 0x11950000); // 1.3.4501.0: another release
    EXPECT_EQ(GetFfdshowVersion(context), "1.2.4500");
}

TEST_F(ProductSearchTest, CodecPackRevisionOfTheWrongTypeReadsAsAbsent) {
    setRevision(sz("4500"));
    EXPECT_EQ(GetFfdshowVersion(context), "");
    EXPECT_EQ(GetFfdshowVersion(context), "") << "no key at all";
}

TEST_F(ProductSearchTest, HighestSubfolderVersion) {
    for (const char* name : {"2.5.1", "2.10.0", "plugins", "1.9"})
        files.addFolder(temp.dir() + "app/" + name);
    temp.write("app/9.9.9.txt", "a file, not a folder");
    EXPECT_EQ(GetHighestSubfolderVersion(context, temp.dir() + "app/app.exe"), "2.10");
    EXPECT_EQ(GetHighestSubfolderVersion(context, temp.dir() + "app/"), "2.10");
    EXPECT_EQ(GetHighestSubfolderVersion(context, temp.dir() + "app/2.5.1/x.exe"), "");
    EXPECT_EQ(GetHighestSubfolderVersion(context, temp.dir() + "missing/x.exe"), "");
}

TEST_F(ProductSearchTest, UninstallVersionByPublisher) {
    const auto user = [&](const std::string& name, const test::Values& values) {
        addEntry(RegistryRoot::CurrentUser, "", name, values);
    };
    user("a", {{"DisplayName", sz("Windows 10 Manager")},
               {"Publisher", sz("yamicsoft")},
               {"DisplayVersion", sz("v3.4")}});
    user("b", {{"DisplayName", sz("Windows Helper")},
               {"Publisher", sz("Yamicsoft")},
               {"DisplayVersion", sz("9.9")}});
    user("c", {{"DisplayName", sz("Windows 11 Manager")},
               {"Publisher", RegistryValue::dword(1)},
               {"DisplayVersion", sz("8.8")}});
    user("d", {{"DisplayName", sz("Windows 11 Manager")}, {"Publisher", sz("Yamicsoft")}});
    EXPECT_EQ(GetUninstallVersionByPublisher(context), "3.4");
    user("e", {{"DisplayName", sz("Manager for Windows")},
               {"Publisher", sz("Yamicsoft")},
               {"DisplayVersion", sz("1.0")}});
    EXPECT_EQ(GetUninstallVersionByPublisher(context), "1.0"); // the last one wins
    // Machine entries are not looked at.
    addMachineEntry("f", {{"DisplayName", sz("Windows Manager")},
                          {"Publisher", sz("Yamicsoft")},
                          {"DisplayVersion", sz("7.0")}});
    EXPECT_EQ(GetUninstallVersionByPublisher(context), "1.0");
}

} // namespace
} // namespace dm::update
