// Tests of a module's slot rows: type text, serial number, capacity, vendor and captions.
#include "app/ModuleRows.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

struct TypeCase {
    const char* name;
    std::uint32_t speed;
    const char* shown;
    const char* raw; // nullptr: no RawType line
};

TEST(ModuleRows, TypeTextCarriesTheSpeedClass) {
    const TypeCase cases[] = {
        {"DDR4", 2400, "DDR4 / PC4-19200", nullptr},
        {"DDR4", 2666, "DDR4 / PC4-21300", "DDR4 / PC4-21328"},
        {"DDR3", 1333, "DDR3 / PC3-10600", "DDR3 / PC3-10664"},
        {"DDR2", 800, "DDR2 / PC2-6400", nullptr},
        {"DDR5", 4800, "DDR5 / PC5-38400", nullptr},
        {"DDR", 400, "DDR / PC-3200", nullptr},
        {"DDR", 333, "DDR / PC-2664", nullptr},
        {"SDRAM", 133, "SDRAM @ 133MHz", nullptr},
        {"DDR4", 0, "DDR4", nullptr},
        {"Unknown", 0, "Unknown", nullptr},
        {"ddr4", 2666, "ddr4 @ 2666MHz", nullptr},
        {"DDR2 FB-DIMM", 667, "DDR2 FB-DIMM @ 667MHz", nullptr},
    };
    for (const TypeCase& c : cases) {
        const TypeText type = moduleTypeText(c.name, c.speed);
        EXPECT_EQ(type.Shown, c.shown) << c.name << " " << c.speed;
        EXPECT_EQ(type.Raw.value_or("-"), c.raw ? c.raw : "-") << c.name << " " << c.speed;
    }
}

TEST(ModuleRows, SerialOfZerosOrNothingIsNotAvailable) {
    EXPECT_EQ(serialText(""), "N/A");
    EXPECT_EQ(serialText("00000000"), "N/A");
    EXPECT_EQ(serialText("0A000000"), "0A000000");
    EXPECT_EQ(serialText(" 0000"), " 0000");
}

const Translator kEnglish = [](const std::string& text) { return text; };

TEST(ModuleRows, RowsAndLogLinesOfOneModule) {
    ModuleFacts facts{
        "ChannelA-DIMM0", "Kingston", "KHX2400C15/8G", "00000000", 8LL << 30, 26, 2666};
    const ModuleReport report = describeModule(1, facts, kEnglish);
    ASSERT_EQ(report.Rows.size(), 6u);
    EXPECT_EQ(report.Rows[1].Value, "8 GB");
    EXPECT_EQ(report.Rows[4].Value, "DDR4 / PC4-21300");
    EXPECT_EQ(report.Rows[5].Value, "N/A");
    const std::vector<std::string> expected = {"1\tSlot Name\tChannelA-DIMM0",
                                               "1\tCapacity\t8 GB",
                                               "1\tManufacturer\tKingston (Kingston)",
                                               "1\tModel\tKHX2400C15/8G",
                                               "1\tRawType :DDR4 / PC4-21328",
                                               "1\tType\t26",
                                               "1\tSpeed\t2666",
                                               "1\tType\tDDR4 / PC4-21300",
                                               "1\tSerial#\tN/A",
                                               "1\tRawSN :00000000"};
    EXPECT_EQ(report.LogLines, expected);
}

TEST(ModuleRows, CapacityIsRoundedDownToWholeGigabytes) {
    ModuleFacts facts;
    facts.Capacity = 1536LL << 20;
    EXPECT_EQ(describeModule(0, facts, kEnglish).Rows[1].Value, "1 GB");
    facts.Capacity = 512LL << 20;
    EXPECT_EQ(describeModule(0, facts, kEnglish).Rows[1].Value, "0 GB");
}

TEST(ModuleRows, UnknownVendorHidesTheModelButTheLogKeepsIt) {
    ModuleFacts facts;
    facts.Manufacturer = "Manufacturer00";
    facts.PartNumber = "M378A1K43CB2";
    const ModuleReport report = describeModule(0, facts, kEnglish);
    EXPECT_EQ(report.Rows[2].Value, "N/A");
    EXPECT_EQ(report.Rows[3].Value, "N/A");
    EXPECT_EQ(report.LogLines[3], "0\tModel\tM378A1K43CB2");
}

TEST(ModuleRows, CaptionsComeFromTheTranslator) {
    const Translator german = [](const std::string& text) {
        return text == "Capacity" ? std::string("Kapazität") : text;
    };
    ModuleFacts facts;
    const ModuleReport report = describeModule(0, facts, german);
    EXPECT_EQ(report.Rows[1].Caption, "Kapazität");
    EXPECT_EQ(report.LogLines[1], "0\tKapazität\t0 GB");
}

TEST(ModuleRows, SpecificationAddressEncodesTheQuery) {
    EXPECT_EQ(specificationAddress("www.bing.com", "Kingston", "KHX2400C15/8G"),
              "https://www.bing.com/search?q=Kingston%20KHX2400C15%2F8G");
    EXPECT_EQ(specificationAddress("h", "N/A", "N/A"), "https://h/search?q=N%2FA");
    EXPECT_EQ(specificationAddress("h", "Samsung", "  "), "https://h/search?q=Samsung");
}

} // namespace
} // namespace dm
