// Tests of the version information component: published values, loading and reloading.
#include "localisation/VersionInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "platform/version/VersionBlockWriter.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"

#include <QVariant>
#include <gtest/gtest.h>

namespace {

using dm::platform::VersionResourceContent;

VersionResourceContent content() {
    VersionResourceContent c;
    dm::platform::FixedFileInfo f;
    f.FileVersionMS = 0x00020001;
    f.FileVersionLS = 0x00030004;
    f.ProductVersionMS = 0x00050006;
    f.ProductVersionLS = 0x00070008;
    f.FileFlagsMask = 0x3F;
    f.FileFlags = 0x2;
    f.FileOS = 0x40004;
    f.FileType = 1;
    f.FileSubtype = 7;
    f.FileDateMS = 0xAAAA0001;
    f.FileDateLS = 0xBBBB8000;
    c.Fixed = f;
    c.StringTables.push_back({"040904b0",
                              {{"Comments", "remarks"},
                               {"CompanyName", "Sample Works"},
                               {"FileDescription", "Sample tool"},
                               {"FileVersion", "1.0 (build 7)"},
                               {"InternalName", "sample"},
                               {"LegalCopyright", "(c) nobody"},
                               {"LegalTrademarks", "none"},
                               {"OriginalFilename", "sample.exe"},
                               {"ProductName", "Sample"},
                               {"ProductVersion", "(2.5)"}}});
    c.StringTables.push_back({"040704e4", {{"CompanyName", "Beispiel"}}});
    c.Translations = std::vector<std::uint32_t>{0x04B00409, 0x04E40407};
    return c;
}

class VersionInfoTest : public ::testing::Test {
protected:
    std::string writeExe(const std::string& name, const VersionResourceContent& content,
                         bool is64 = false) {
        return dir.write(name,
                         dm::test::writePe(is64, dm::platform::writeVersionBlock(content)).Bytes);
    }

    dm::test::TempDir dir;
    dm::platform::LinuxFileSystem files;
    dm::platform::FileVersionResources versions{files};
};

TEST_F(VersionInfoTest, NewComponentHasNothingToRead) {
    dm::VersionInfo info(versions);
    EXPECT_EQ(info.property("FileName").toString(), "");
    EXPECT_EQ(info.property("FileVersionInt").toInt(), 0);
    EXPECT_FALSE(info.property("InfoLoaded").toBool());
    EXPECT_EQ(info.property("CompanyName").toString(), "");
    EXPECT_FALSE(info.property("InfoLoaded").toBool());
}

TEST_F(VersionInfoTest, PublishesEveryValueOfTheFirstTranslation) {
    for (bool is64 : {false, true}) {
        dm::VersionInfo info(versions);
        const std::string file = writeExe("sample.exe", content(), is64);
        info.setProperty("FileName", QString::fromStdString(file));
        EXPECT_FALSE(info.InfoLoaded()); // nothing read until a property is
        const std::pair<const char*, QVariant> expected[] = {
            {"Comments", "remarks"},
            {"CompanyName", "Sample Works"},
            {"FileDescription", "Sample tool"},
            {"FileDate", double(static_cast<std::int32_t>(0x80000001))},
            {"FileFlags", 2},
            {"FileFlagsMask", 0x3F},
            {"FileMajorVersion", 0x00020001},
            {"FileMinorVersion", 0x00030004},
            {"FileName", QString::fromStdString(file)},
            {"FileOS", 0x40004},
            {"FileType", 1},
            {"FileSubtype", 7},
            {"FileVersion", "1.0 build 7"},
            {"FileVersionFloat", 1.07},
            {"FileVersionInt", 0x01070000},
            {"InternalName", "sample"},
            {"LanguageCount", 2},
            {"LanguageName", "English (United States)"},
            {"LegalCopyright", "(c) nobody"},
            {"LegalTrademark", "none"},
            {"OriginalFilename", "sample.exe"},
            {"ProductMajorVersion", 0x00050006},
            {"ProductMinorVersion", 0x00070008},
            {"ProductName", "Sample"},
            {"ProductVersion", "2.5"},
            {"ProductVersionFloat", 2.5},
            {"TranslationValue", 0x04B00409},
            {"InfoLoaded", true},
        };
        for (const auto& [name, value] : expected)
            EXPECT_EQ(info.property(name), value) << name << (is64 ? " (64-bit)" : " (32-bit)");
    }
}

TEST_F(VersionInfoTest, AssignmentsChangeNothing) {
    dm::VersionInfo info(versions);
    info.SetFileName(QString::fromStdString(writeExe("sample.exe", content())));
    EXPECT_TRUE(info.setProperty("CompanyName", "Other"));
    EXPECT_TRUE(info.setProperty("LanguageCount", 9));
    EXPECT_FALSE(info.setProperty("FileVersionInt", 9)); // read-only
    EXPECT_EQ(info.CompanyName(), "Sample Works");
    EXPECT_EQ(info.LanguageCount(), 2);
    EXPECT_EQ(info.FileVersionInt(), 0x01070000);
}

TEST_F(VersionInfoTest, MissingFileNameIsIgnored) {
    dm::VersionInfo info(versions);
    const QString file = QString::fromStdString(writeExe("sample.exe", content()));
    info.SetFileName(file);
    EXPECT_EQ(info.ProductName(), "Sample");
    info.SetFileName(QString::fromStdString(dir.dir() + "missing.exe"));
    info.SetFileName(QString::fromStdString(dir.path().string()));
    EXPECT_EQ(info.FileName(), file);
    EXPECT_TRUE(info.InfoLoaded());
    EXPECT_EQ(info.ProductName(), "Sample");
}

TEST_F(VersionInfoTest, NewFileNameDropsWhatWasReadAndLoadsAgain) {
    dm::VersionInfo info(versions);
    info.SetFileName(QString::fromStdString(writeExe("a.exe", content())));
    EXPECT_EQ(info.CompanyName(), "Sample Works");
    VersionResourceContent other = content();
    other.StringTables[0].Strings = {{"CompanyName", "Other Works"}};
    info.SetFileName(QString::fromStdString(writeExe("b.exe", other)));
    EXPECT_FALSE(info.InfoLoaded());
    EXPECT_EQ(info.CompanyName(), "Other Works");
    EXPECT_EQ(info.ProductName(), "");
    EXPECT_EQ(info.FileVersionFloat(), 0);
    EXPECT_TRUE(info.InfoLoaded());
}

TEST_F(VersionInfoTest, IncompleteResourcesStayUnloaded) {
    VersionResourceContent noTranslation = content();
    noTranslation.Translations.reset();
    VersionResourceContent noFixed = content();
    noFixed.Fixed.reset();
    const std::string noResource =
        dir.write("plain.exe", dm::test::writePe(false, std::nullopt).Bytes);

    dm::VersionInfo info(versions);
    for (const std::string& file : {noResource, writeExe("notranslation.exe", noTranslation),
                                    dir.write("text.txt", "hello")}) {
        info.SetFileName(QString::fromStdString(file));
        EXPECT_EQ(info.CompanyName(), "") << file;
        EXPECT_EQ(info.LanguageCount(), 0) << file;
        EXPECT_FALSE(info.InfoLoaded()) << file;
    }
    // Without a fixed block the translation is read, the strings are not.
    info.SetFileName(QString::fromStdString(writeExe("nofixed.exe", noFixed)));
    EXPECT_EQ(info.LanguageCount(), 2);
    EXPECT_EQ(info.CompanyName(), "");
    EXPECT_FALSE(info.InfoLoaded());
}

TEST_F(VersionInfoTest, RefreshReadsTheProgramsOwnVersion) {
    dm::VersionInfo info(versions);
    info.Refresh();
    EXPECT_EQ(info.FileName().toStdString(), versions.moduleFileName());
    EXPECT_EQ(info.FileVersion(), "1.23.0.47");
    EXPECT_EQ(info.FileVersionInt(), 0x0117002F);
    EXPECT_EQ(info.FileMajorVersion(), 0x00010017);
    EXPECT_EQ(info.FileMinorVersion(), 47);
    EXPECT_EQ(info.ProductVersion(), "1.0.0.0");
    EXPECT_EQ(info.ProductName(), "Dimmetric");
    EXPECT_EQ(info.InternalName(), "Dimmetric");
    EXPECT_EQ(info.CompanyName(), "Brackenway");
    EXPECT_EQ(info.LegalCopyright(), "");
    EXPECT_EQ(info.OriginalFilename(), "");
    EXPECT_EQ(info.TranslationValue(), 0x04B00409);
    EXPECT_EQ(info.LanguageName(), "English (United States)");
}

} // namespace
