// Tests of the installed-version readers of named products.
#include "update/identify/uninstall/ProductVersionReaders.h"

#include "update/identify/IdentifyFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace dm::update {
namespace {

using test::sz;

class ProductVersionReadersTest : public test::IdentifyFixture {
protected:
    void entry(const std::string& key, const std::string& name, const std::string& version = "") {
        test::Values values = {{"DisplayName", sz(name)}};
        if (!version.empty())
            values.push_back({"DisplayVersion", sz(version)});
        addMachineEntry(key, values);
    }
};

TEST_F(ProductVersionReadersTest, EachReaderSearchesItsProductKey) {
    entry("1", "JDownloader 2", "2.0");
    entry("2", "LibreOffice 7.5", "7.5.3");
    entry("3", "Vuze", "5.7.6");
    entry("4", "Launchy 2.5", "2.5");
    entry("5", "Ashampoo Snap 12", "12.0.4");
    entry("6", "Ashampoo Undeleter", "1.1");
    entry("7", "Combined Community Codec Pack 64bit", "2015.10.18");
    entry("8", "QuickTime Alternative 3.2.2");
    entry("9", "QT Lite 4.1.0");
    entry("10", "K-Lite Mega Codec Pack 17.5", "17.5.0");
    entry("11", "Paint.NET v4.3.12");
    entry("12", "glimpse 0.2", "0.2.0");
    const struct {
        const char* reader;
        Product product;
        std::string expected;
    } cases[] = {
        {"JDownloader", Product::JDownloader, "2.0"},
        {"LibreOffice", Product::LibreOffice, "7.5.3"},
        {"Vuze", Product::Vuze, "5.7.6"},
        {"Launchy: the second word", Product::Launchy, "2.5"},
        {"AshampooSnap", Product::AshampooSnap, "12.0.4"},
        {"AshampooUndeleter", Product::AshampooUndeleter, "1.1"},
        {"CCCP", Product::CCCP, "2015.10.18"},
        {"QTAlternative: trailing number", Product::QTAlternative, "3.2.2"},
        {"QTLite: trailing number", Product::QTLite, "4.1.0"},
        {"KLiteMega", Product::KLiteMega, "17.5.0"},
        {"PaintNET: first word, trailing number", Product::PaintNET, "4.3.12"},
        {"Glimpse", Product::Glimpse, "0.2.0"},
        {"OpenHashTab: none", Product::OpenHashTab, ""},
        {"HashTab: none", Product::HashTab, ""},
        {"QtTabBar: none", Product::QtTabBar, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(installedProductVersion(context, c.product), c.expected) << c.reader;
}

TEST_F(ProductVersionReadersTest, CodecPackWithAndWithoutItsSixtyFourBitMark) {
    entry("a", "K-Lite Codec Pack 17.0 Full", "17.0.0");
    entry("b", "K-Lite Codec Pack 17.2 (64-bit)", "17.2.0");
    EXPECT_EQ(installedProductVersion(context, Product::KLite), "17.0.0");
    EXPECT_EQ(installedProductVersion(context, Product::KLite64), "17.2.0");
}

TEST_F(ProductVersionReadersTest, ImageEditorFallsBackToTheDisplayVersion) {
    entry("g", "GIMP 2", "2.10.34");
    EXPECT_EQ(GetProductVersion_Gimp(context), "2.10.34");
    entry("h", "GIMP 2.8.22");
    EXPECT_EQ(GetProductVersion_Gimp(context), "2.8.22");
}

TEST_F(ProductVersionReadersTest, VideoCodecTakesTheNewerOfItsTwoSearches) {
    entry("x", "XVid 1.3.7", "1.2.0");
    EXPECT_EQ(GetProductVersion_Xvid(context), "1.3.7");
    entry("y", "Xvid Codec", "1.4.0");
    EXPECT_EQ(GetProductVersion_Xvid(context), "1.4.0");
}

TEST_F(ProductVersionReadersTest, AntiMalwareFromItsEntriesOrItsChangesFile) {
    const std::string folder = temp.dir() + "mb/";
    EXPECT_FALSE(IsMalwarebytesInstalled(context));
    EXPECT_EQ(GetProductVersion_Malwarebytes(context, folder), "");

    temp.write("mb/changes.txt", "Malwarebytes Anti-Malware 4.5.2\r\n- fixes\r\n");
    EXPECT_EQ(GetProductVersion_Malwarebytes(context, folder), "4.5.2.0");
    EXPECT_EQ(GetProductVersion_MalwarebytesAR(context, folder), "4.5.2.0");
    temp.write("mb/changes.txt", "");
    EXPECT_EQ(GetProductVersion_Malwarebytes(context, folder), "");

    entry("r", "Malwarebytes Anti-Ransomware version 0.9", "0.9.17 beta");
    EXPECT_EQ(GetProductVersion_MalwarebytesAR(context, folder), "0.9.17");
    EXPECT_EQ(GetProductVersion_Malwarebytes(context, folder), "");

    entry("m", "Malwarebytes Anti-Malware");
    EXPECT_FALSE(IsMalwarebytesInstalled(context));
    entry("n", "Malwarebytes Anti-Malware version 2.2", "2.2.1");
    EXPECT_TRUE(IsMalwarebytesInstalled(context));
    EXPECT_EQ(GetProductVersion_Malwarebytes(context, folder), "2.2.1");
}

} // namespace
} // namespace dm::update
