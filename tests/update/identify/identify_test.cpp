// Tests of the identification answers: name, company and version of an executable.
#include "update/identify/Identify.h"

#include "IdentifyFixture.h"
#include "framework/TextUtils.h"
#include "update/identify/company/SoftwareCompany.h"
#include "update/identify/facts/VersionInfoReader.h"
#include "update/identify/name/SoftwareName.h"

#include <gtest/gtest.h>

#include <string>

namespace dm::update {
namespace {

class IdentifyTest : public test::IdentifyFixture {
protected:
    std::string writeVersioned(const std::string& name, const std::string& company,
                               const std::string& product, std::uint32_t ms, std::uint32_t ls,
                               const std::string& description = "Something") {
        platform::VersionResourceContent c;
        platform::FixedFileInfo fixed;
        fixed.FileVersionMS = ms;
        fixed.FileVersionLS = ls;
        c.Fixed = fixed;
        c.StringTables.push_back({"040904b0",
                                  {{"CompanyName", company},
                                   {"FileDescription", description},
                                   {"ProductName", product}}});
        c.Translations = std::vector<std::uint32_t>{0x04B00409};
        return writePe(name, c);
    }
};

TEST_F(IdentifyTest, OwnExecutableIsDimmetricOfBrackenway) {
    std::string self = fromDisk(versions.moduleFileName());
    ASSERT_FALSE(self.empty());
    EXPECT_EQ(GetDisplayedFileInfo(context, self), (DisplayedFileInfo{"Dimmetric", "Brackenway"}));
    EXPECT_EQ(GetSoftwareVersion(context, self, "", "", false), "1.23.0.47");

    const FileVersionInfoRec rec = GetFileVersionInfoRec(context, self);
    EXPECT_EQ(rec.CompanyName, "Brackenway");
    EXPECT_EQ(rec.FileVersion, "1.23.0.47");
    EXPECT_EQ(rec.InternalName, "Dimmetric");
    EXPECT_EQ(rec.LegalCopyRight, "");
    EXPECT_EQ(rec.OriginalFileName, "");
    EXPECT_EQ(rec.ProductName, "Dimmetric");
    EXPECT_EQ(rec.ProductVersion, "1.0.0.0");
    EXPECT_EQ(rec.FileDescription, "Installed memory modules and slots");
}

TEST_F(IdentifyTest, NameFallsBackToTheFileNameWhenOnlyTheCompanyIsKnown) {
    // A product name and description starting with "$" give no name.
    const auto companyOnly =
        writeVersioned("tools/Viewer.v2.exe", "Acme", "$Viewer", 0x10002, 0, "$Viewer");
    EXPECT_EQ(GetDisplayedFileInfo(context, companyOnly), (DisplayedFileInfo{"Viewer.v2", "Acme"}));
    const auto neither = writeVersioned("tools/blank.exe", "", "$Blank", 0x10002, 0, "$Blank");
    EXPECT_EQ(GetDisplayedFileInfo(context, neither), DisplayedFileInfo{});
    // Without a company the name stays as the name rules give it.
    EXPECT_EQ(GetDisplayedFileInfo(context, temp.dir() + "missing.exe"),
              (DisplayedFileInfo{"missing", ""}));
}

// The displayed info reads the version texts once for both steps: it gives what the name and
// company steps give on their own.
TEST_F(IdentifyTest, DisplayedFileInfoIsTheNameAndCompanyStepsResults) {
    const std::string files[] = {
        writeVersioned("a/Photo.exe", "Company Of Things", "Photo Organizer", 0x10000, 0),
        writeVersioned("b/firefox.exe", "Mozilla", "Firefox", 0x10000, 0),
        writeVersioned("c/nsis.exe", "Nullsoft, Inc.", "NSIS", 0x10000, 0),
        writeVersioned("d/edit.exe", "Intel(R) Corporation", "Editor 2.5", 0x10000, 0),
        writeVersioned("e/none.exe", "", "", 0x10000, 0, ""),
        temp.dir() + "missing.exe",
        "CCCP",
        "QTL",
    };
    for (const std::string& file : files) {
        DisplayedFileInfo expected{GetSoftwareName(context, file), ""};
        expected.Company = GetSoftwareCompany(context, file, expected.Name);
        if (expected.Name.empty() && !expected.Company.empty())
            expected.Name = ExtractFileNameNoExt(file);
        EXPECT_EQ(GetDisplayedFileInfo(context, file), expected) << file;
    }
}

TEST_F(IdentifyTest, SoftwareVersionIsTheFixedVersionInNormalForm) {
    std::string file = writeVersioned("a.exe", "Acme", "Acme Viewer", 0x00010005, 0x00000002);
    EXPECT_EQ(GetSoftwareVersion(context, file, "", "", false), "1.5.0.2");
    EXPECT_EQ(GetSoftwareVersion(context, file, "", "", true), "1.5.0.2");
    std::string zero = writeVersioned("z.exe", "Acme", "Z", 0, 0);
    EXPECT_EQ(GetSoftwareVersion(context, zero, "", "", false), "0.0.0.0");
    std::string missing = temp.dir() + "missing.exe";
    EXPECT_EQ(GetSoftwareVersion(context, missing, "", "", false), "");
    EXPECT_EQ(missing, temp.dir() + "missing.exe");
}

TEST_F(IdentifyTest, SoftwareVersionHandsBackTheSysnativeName) {
    files.setSpecialFolder(platform::SpecialFolder::System, temp.dir() + "system32");
    system.wow64 = true;
    writeVersioned("sysnative/x.dll", "Acme", "X", 0x00020000, 0);
    std::string file = temp.dir() + "system32/x.dll";
    EXPECT_EQ(GetSoftwareVersion(context, file, "", "", false), "2.0.0.0");
    EXPECT_EQ(file, temp.dir() + "sysnative/x.dll");
}

} // namespace
} // namespace dm::update
