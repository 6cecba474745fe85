// Tests of the company rules and of an executable's company.
#include "update/identify/company/SoftwareCompany.h"

#include "update/identify/IdentifyFixture.h"
#include "update/identify/company/CompanyRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm::update {
namespace {

TEST(CompanyRules, HoldsTheWholeTableNumberedInOrder) {
    const auto rows = companyRules();
    ASSERT_EQ(rows.size(), 515u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].id, std::to_string(i + 1));
        EXPECT_EQ(rows[i].after, After::GoesOn) << rows[i].id;
    }
}

TEST(CompanyRules, OnlyTheLookupAndTwoEditRowsUseHooks) {
    std::vector<std::string> hooked;
    for (const CompanyRow& row : companyRules()) {
        bool hook = false;
        for (const Check<CompanyValues>& check : row.condition)
            hook = hook || check.test == update::Test::Hook;
        for (const RuleStep<CompanyValues>& step : row.steps)
            hook = hook || step.op == Op::Hook;
        if (hook)
            hooked.push_back(row.id);
    }
    EXPECT_EQ(hooked, (std::vector<std::string>{"1", "2", "276", "387"}));
}

struct RowCase {
    std::string company;
    std::string product;
    std::string file; // below the temporary folder
    std::string expected;
};

class SoftwareCompanyTest : public test::IdentifyFixture {
protected:
    std::string normalize(const RowCase& c) {
        return NormalizeCompanyName(context, c.company, temp.dir() + c.file, c.product);
    }
    void expectAll(const std::vector<RowCase>& cases) {
        for (const RowCase& c : cases)
            EXPECT_EQ(normalize(c), c.expected) << "company \"" << c.company << "\", product \""
                                                << c.product << "\", file " << c.file;
    }
    std::string writeVersioned(const std::string& relative, const std::string& company,
                               const std::string& copyright, const std::string& product) {
        platform::VersionResourceContent c;
        c.Fixed = platform::FixedFileInfo{};
        c.StringTables.push_back(
            {"040904e4",
             {{"CompanyName", company}, {"LegalCopyright", copyright}, {"ProductName", product}}});
        c.Translations = std::vector<std::uint32_t>{0x04E40409};
        return writePe(relative, c);
    }
};

TEST_F(SoftwareCompanyTest, RowsOfEveryShapeSetTheirCompany) {
    expectAll({
        // prefixes, equalities and containments, ignoring case
        {"Lansweeper Software BV", "X", "x.exe", "Lansweeper"},
        {"lansweeper", "X", "x.exe", "Lansweeper"},
        {"Chemtable", "X", "x.exe", "Chemtable Software"},
        {"Chemtablex", "X", "x.exe", "Chemtablex"},
        {"The voidtools team", "X", "x.exe", "voidtools"},
        {"Acme WSCAD", "X", "x.exe", "Acme WSCAD"},
        {"WSCAD electronic", "X", "x.exe", "WSCAD"}, // the row's trailing space is trimmed away
        // case-exact tests pass other letter cases untouched
        {"Mozilla", "X", "x.exe", "Mozilla Foundation"},
        {"mozilla", "X", "x.exe", "mozilla"},
        {"Symantec Corporation", "X", "x.exe", "Symantec"},
        {"SYMANTEC Corporation", "X", "x.exe", "SYMANTEC Corporation"},
        {"Tracker Software Products (Canada) Ltd.", "X", "x.exe", "Tracker Software Products Ltd."},
        {"MediathekView", "MediathekView 13", "x.exe", "MediathekView"},
        {"unknwon", "MediathekView 13", "x.exe", "MediathekView Team"},
        {"Unknwon", "MediathekView 13", "x.exe", "Unknwon"},
        // "and"/"or" groups
        {"X", "Focusrite Control", "x.exe", "Focusrite Audio Engineering, Ltd."},
        {"Other Co", "Focusrite Control", "x.exe", "Other Co"},
        {"Focusrite Ltd", "Anything", "x.exe", "Focusrite Audio Engineering, Ltd."},
        {"Mozilla Corp", "LibreWolf", "x.exe", "LibreWolf Team"},
        {"", "LibreWolf", "x.exe", "LibreWolf Team"},
        {"Acme", "LibreWolf", "x.exe", "Acme"},
        {"Cyber Power system", "X", "x.exe", "Cyber Power Systems, Inc."},
        // the product (P), whatever C holds or with C empty
        {"", "NSIS", "x.exe", "NSIS Team"},
        {"Acme", "NSIS", "x.exe", "Acme"},
        {"Whatever Inc", "PureVPN 8", "x.exe", "GZ Systems"},
        {"", "Microsoft Word", "x.exe", "Microsoft"},
        {"", "Plex (64 bits)", "x.exe", "Plex, Inc."},
        {"", "Plex Media Player (64 bits)", "x.exe", "Plex, Inc."},
        {"", "Plex Media Server", "x.exe", ""},
        {"", "ArtMoney SE", "am812.exe", "System SoftLab"},
        {"", "ArtMoney SE", "am.exe", "System SoftLab"},
        {"", "ArtMoney SE", "amx.exe", ""},
        // the file (F), the file name with extension (N), the full path (X)
        {"", "X", "gimp-2.10.exe", "The GIMP Team"},
        {"Acme", "X", "FFDShow.ax", "The FFDShow Team"},
        {"CopyRight\xA9", "Tool", "IObit/tool.exe", "IOBit"},
        {"CopyRight\xA9", "Tool", "other/tool.exe", "CopyRight\xA9"},
        // clearing rows
        {"Open Source", "X", "x.exe", ""},
        {"Free Software Foundation, Inc.", "X", "x.exe", ""},
        {"Creative Commons License \"by-nc-sa 3.0\", this program is freeware under Creative "
         "Commons License \"by",
         "X", "x.exe", ""},
        // rows that edit the company in place
        {"Acme\xAE", "X", "x.exe", "Acme"},
        {"Acme\xAE\xAE", "X", "x.exe", "Acme\xAE"},
        {"Foo Bar <foo@bar.example>", "X", "x.exe", "Foo Bar"},
        {"G DATA Software", "X", "x.exe", "G Data Software AG"},
        {"Icq Systems, Inc.", "X", "x.exe", "Icq Systems Inc."},
        {"Au?slo?gics", "X", "x.exe", "Auslogics"},
    });
}

TEST_F(SoftwareCompanyTest, TheLastRowThatFiresDecides) {
    expectAll({
        // an early prefix row changes the text, so the later exact row no longer fires
        {"Nullsoft", "X", "x.exe", "Winamp SA"},
        // a first row sets a text that a later one tests again
        {"Intel(R) Corporation", "X", "x.exe", "Intel"},
        {"ThreatTrack Security", "X", "x.exe", "VIPRE Security"},
        {"Ahead software", "X", "x.exe", "Ahead Software AG"},
        {"Oracle Corporation", "X", "x.exe", "Oracle"},
        {"Oracle Corporation", "MySQL Workbench", "x.exe", "MySQL"},
        {"ICQ, LLC", "X", "x.exe", "ICQ Inc."},
    });
}

TEST_F(SoftwareCompanyTest, LookupRowsAskTheUninstallKeys) {
    EXPECT_EQ(normalize({"", "X", "partitionwizard.exe", ""}), "");
    addMachineEntry("PW", {{"DisplayName", test::sz("MiniTool Partition Wizard Free 12.5")}});
    EXPECT_EQ(normalize({"", "X", "partitionwizard.exe", ""}), "MiniTool Solution Ltd.");
    EXPECT_EQ(normalize({"Acme", "X", "partitionwizard.exe", ""}), "Acme");

    const std::string folder = "WD SSD Dashboard/";
    EXPECT_EQ(normalize({"", "X", folder + "dashboard.exe", ""}), "");
    addMachineEntry("WD", {{"DisplayName", test::sz("Dashboard")},
                           {"DisplayVersion", test::sz("3.1")},
                           {"InstallLocation", test::sz(temp.dir() + "elsewhere/")}});
    EXPECT_EQ(normalize({"", "X", folder + "dashboard.exe", ""}), "");
    addMachineEntry("WD2", {{"DisplayName", test::sz("Dashboard")},
                            {"DisplayVersion", test::sz("3.2")},
                            {"InstallLocation", test::sz(temp.dir() + folder)}});
    EXPECT_EQ(normalize({"", "X", folder + "dashboard.exe", ""}), "Western Digital");
}

TEST_F(SoftwareCompanyTest, PreparationAndCleanUpSteps) {
    expectAll({
        {"Acme\r\nSecond line", "X", "x.exe", "Acme"},
        {"  Acme  ", "X", "x.exe", "Acme"},
        {" - ", "X", "x.exe", ""},
        {"GNU General Public License v2", "X", "x.exe", ""},
        {"gpl3", "X", "x.exe", ""},
        {"Acme under GNU GPL", "X", "x.exe", ""},
        {"Acme (GPL)", "X", "x.exe", "Acme"},
        {"Acme. GNU General Public License", "X", "x.exe", "Acme"},
        {"Author: Acme", "X", "x.exe", "Acme"},
        {"Developed by Acme Labs", "X", "x.exe", "Acme Labs"},
        {"Acme Co http://acme.example/x", "X", "x.exe", "Acme Co"},
        {"Acme http://acme.example/x more", "X", "x.exe", "Acme http://acme.example/x more"},
        {"http://acme.example", "X", "x.exe", "http://acme.example"},
        {"Acme Corp www.acme.example", "X", "x.exe", "Acme Corp"},
        {"Acme Co www.acme.example", "X", "x.exe", "Acme Co www.acme.example"},
        {"Acme Corp www.acme.example more", "X", "x.exe", "Acme Corp www.acme.example more"},
        {"Acme L.L.C.", "X", "x.exe", "Acme LLC"},
        {"Acme (", "X", "x.exe", "Acme"},
        {"Acme, -", "X", "x.exe", "Acme"},
        {"Acme [", "X", "x.exe", "Acme"},
        {"(", "X", "x.exe", "("},
        {"none", "X", "x.exe", ""},
        {"COMPANY", "X", "x.exe", ""},
        {".", "X", "x.exe", ""},
        {"$Acme", "X", "x.exe", ""},
        {"? Acme -", "X", "x.exe", "Acme"},
        {"@", "X", "x.exe", ""},
    });
}

TEST_F(SoftwareCompanyTest, AnEmptyCompanyFallsBackToTheAirManifest) {
    EXPECT_EQ(normalize({"", "X", "air/app.exe", ""}), "");
    temp.write("air/META-INF/AIR/application.xml",
               "<application>\r\n  <copyright>Acme Air Works</copyright>\r\n</application>\r\n");
    EXPECT_EQ(normalize({"", "X", "air/app.exe", ""}), "Acme Air Works");
    EXPECT_EQ(normalize({"Other", "X", "air/app.exe", ""}), "Other");
}

TEST_F(SoftwareCompanyTest, IdentifiersGiveTheirCompanyWithoutReadingAFile) {
    EXPECT_EQ(GetSoftwareCompany(context, "KLITE64", ""), "K-Lite Codec Pack Team");
    EXPECT_EQ(GetSoftwareCompany(context, "CCCP", ""), "CCCP Project");
    EXPECT_EQ(GetSoftwareCompany(context, "klite64", ""), "");
}

TEST_F(SoftwareCompanyTest, VersionResourceCompanyCopyrightAndPublisher) {
    EXPECT_EQ(GetSoftwareCompany(context, writeVersioned("a.exe", "Acme Tools", "", "A"), "A"),
              "Acme Tools");
    EXPECT_EQ(GetSoftwareCompany(context, writeVersioned("b.exe", ", llc", "", "B"), "B"), "");
    EXPECT_EQ(
        GetSoftwareCompany(
            context,
            writeVersioned("c.exe", "", "Copyright (C) 2019 Acme Inc. All Rights Reserved.", "C"),
            "C"),
        "Acme Inc");
    EXPECT_EQ(GetSoftwareCompany(context, writeVersioned("d.exe", "Acme ?? Co", "", "D"), "D"), "");
    EXPECT_EQ(GetSoftwareCompany(context, writeVersioned("e.exe", "(c) 2020 Acme", "", "E"), "E"),
              "Acme");

    const std::string nw = writeVersioned("nw/app.exe", "The NW.js Community", "", "nwjs");
    EXPECT_EQ(GetSoftwareCompany(context, nw, "App"), "The NW.js Community");
    addMachineEntry("App", {{"DisplayName", test::sz("App")},
                            {"Publisher", test::sz("Acme Apps")},
                            {"InstallLocation", test::sz(temp.dir() + "nw")}});
    EXPECT_EQ(GetSoftwareCompany(context, nw, "App"), "Acme Apps");
}

TEST_F(SoftwareCompanyTest, OurOwnProgramIsBrackenway) {
    fromDisk(OWN_EXECUTABLE);
    EXPECT_EQ(GetSoftwareCompany(context, OWN_EXECUTABLE, "Dimmetric"), "Brackenway");
    EXPECT_EQ(GetSoftwareCompany(context, OWN_EXECUTABLE, ""), "Brackenway");
}

} // namespace
} // namespace dm::update
