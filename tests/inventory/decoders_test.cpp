// Tests of the manufacturer decoder and the memory type names.
#include "inventory/DecodeManufacturer.h"
#include "inventory/MemoryTypeName.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

TEST(DecodeManufacturer, RecognisesEveryVendorRow) {
    const std::pair<const char*, const char*> rows[] = {
        {"01", "AMD"},
        {"8002", "AMI"},
        {"04", "Fujitsu"},
        {"0500", "Elpida"},
        {"7F7FFE", "Elpida"},
        {"02FE", "Elpida"},
        {"8007", "Hitachi"},
        {"08", "Inmos"},
        {"800B", "Intersil"},
        {"0D", "Mostek"},
        {"Motorola", "Freescale (Motorola)"},
        {"8010", "NEC"},
        {"13", "Conexant (Rockwell)"},
        {"1315", "Crucial"},
        {"Signetics", "NXP (Philips Semi, Signetics)"},
        {"16", "Synertek"},
        {"8019", "Xicor"},
        {"1A", "Zilog"},
        {"801C", "Mitsubishi"},
        {"802C", "Micron Technology"},
        {"Mosel Vitelic", "ProMOS/Mosel Vitelic"},
        {"6A", "Goldenram"},
        {"7F7FB5", "SpecTek"},
        {"8083", "Fairchild"},
        {"7F7F7F0B", "Nanya Technology"},
        {"830B", "Nanya Technology"},
        {"85", "GTE"},
        {"Intel", "Numonyx (Intel)"},
        {"91", "DATARAM"},
        {"0194", "Smart Modular"},
        {"98", "Toshiba"},
        {"80A4", "IBM"},
        {"00AD", "Hynix (Hyundai)"},
        {"Hyundai Electronics", "Hynix (Hyundai)"},
        {"7F7F7F7F7F51", "Infineon (Siemens)"},
        {"00CE", "Samsung"},
        {"80DE", "Winbond Electronics"},
        {"Goldstar", "LG (Goldstar)"},
        {"7F45", "Micron CMS"},
        {"0198", "Kingston"},
        {"7F98", "Kingston"},
        {"7F7F7F7F43", "Ramaxel Technology"},
        {"06C1", "ASint"},
    };
    for (auto [raw, vendor] : rows)
        EXPECT_EQ(DecodeManufacturer(raw), vendor) << raw;
}

TEST(DecodeManufacturer, JoinsCodeGroupsAndLetTheLastMatchingRowDecide) {
    const std::pair<const char*, const char*> rows[] = {
        {"80 CE 00 00 00 00 00 00", "Samsung"},
        {"80CE000000000000", "Samsung"},
        {"CE00000000000000", "Samsung"},
        {"Samsung", "Samsung"},
        {"samsung", "Samsung"},
        {"0198000000000000", "Kingston"},
        {"01 98", "Kingston"},
        {"0194", "Smart Modular"},
        {"02FE", "Elpida"},
        {"830B", "Nanya Technology"},
        {"1315", "Crucial"},
        {"0100", "AMD"},
        {"JEDEC ID:80 2C", "Micron Technology"},
        {"jedec id:802C", "Micron Technology"},
        {"JEDEC ID: 80 2C", " 80 2C"},
        {"Fujitsu", "Fujitsu"},
        {"Fujistu", "Fujitsu"},
        {"Bulgarian RAM", "LG (Goldstar)"}, // "lg" inside a longer word
        {"Camiel", "AMI"},                  // "ami" inside a longer word
        {"a b c d e f g h", "abcdefgh"},    // eight fields join whatever their length
        {"Very Big Maker", "Very Big Maker"},
        {"12 345", "12 345"},
        {"CE 00", "Samsung"},
        {"80 CE ", "80 CE "}, // the empty last field is no pair
        {"", ""},
        {"Manufacturer00", "N/A"},
        {"MANUFACTURER 1", "N/A"},
        {"Undefined", "Undefined"},
    };
    for (auto [raw, vendor] : rows)
        EXPECT_EQ(DecodeManufacturer(raw), vendor) << '"' << raw << '"';
}

// A two-digit row names a one-byte code alone: a bank-coded code (bank-count byte, then the maker's
// code in that bank) and a text that is not hexadecimal are not named after the bank byte.
TEST(DecodeManufacturer, NamesTwoDigitCodesOnlyWhenTheyAreOneByteCodes) {
    const std::pair<const char*, const char*> rows[] = {
        {"859B", "859B"},
        {"029E", "029E"},
        {"04CD", "04CD"},
        {"04CB", "04CB"},
        {"0420", "0420"},
        {"0215", "0215"},
        {"8502", "8502"},
        {"0443", "0443"},
        {"075D", "075D"},
        {"859B0000802C", "859B0000802C"},
        {"859B ", "859B "},
        {"01980000802C", "Kingston"},
        {"0100000000000000", "AMD"},
        {"01", "AMD"},
        {"CE010816292B1B08", "Samsung"},
        {"CE00000000000000", "Samsung"},
        {"8500000000000000", "GTE"},
        {"1315", "Crucial"}, // 13 is no bank count
        {"8F00", "8F00"},    // 8F is a bank count, but no row names 8F
        {"ADATA", "ADATA"},  // not a code
        {"DELL", "DELL"},    // not a code
        {"Hyundai-00AD", "Hynix (Hyundai)"},
        {"AD  ", "Hynix (Hyundai)"},
        {"AD", "Hynix (Hyundai)"},
        {"80 CE 00 00 00 00 00 00", "Samsung"},
        {"85 9B", "859B"},
        {"JEDEC ID:859B", "859B"},
    };
    for (auto [raw, vendor] : rows)
        EXPECT_EQ(DecodeManufacturer(raw), vendor) << '"' << raw << '"';
}

TEST(DecodeManufacturer, JoinsLongRunsOfGroups) {
    std::string groups = "80 CE";
    for (int i = 0; i < 30000; ++i)
        groups += " 00";
    EXPECT_EQ(DecodeManufacturer(groups), "Samsung");
    EXPECT_EQ(DecodeManufacturer(groups + " 000"), groups + " 000");
}

TEST(MemoryTypeName, NamesTheCodesAndGuessesFromTheSpeedWhenTheyTellNothing) {
    struct Row {
        int code;
        int speed;
        const char* name;
    };
    const Row rows[] = {
        {26, 2666, "DDR4"},  {0, 2666, "DDR4"},   {0, 2133, "DDR3"},    {0, 3200, "DDR4"},
        {0, 3201, "DDR5"},   {0, 4800, "DDR5"},   {0, 2400, "DDR4"},    {0, 2399, "DDR3"},
        {0, 800, "DDR3"},    {0, 799, "DDR2"},    {0, 400, "DDR2"},     {0, 399, "DDR"},
        {0, 201, "DDR"},     {0, 200, "Unknown"}, {1, 200, "Other"},    {1, 1600, "DDR3"},
        {23, 0, "Reserved"}, {23, 667, "DDR2"},   {24, 3200, "DDR3"},   {40, 1600, "DDR3"},
        {40, 0, "Unknown"},  {-1, 0, "Unknown"},  {2, 1600, "DRAM"},    {3, 0, "Synchronous DRAM"},
        {17, 133, "SDRAM"},  {20, 400, "DDR"},    {21, 800, "DDR2"},    {22, 0, "DDR2 FB-DIMM"},
        {25, 0, "FBD2"},     {27, 0, "LPDDR"},    {30, 0, "LPDDR4"},    {31, 0, "Logical"},
        {33, 0, "HBM2"},     {34, 4800, "DDR5"},  {35, 6400, "LPDDR5"}, {36, 0, "Unknown"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(MemoryTypeName(r.code, r.speed), r.name) << r.code << " @ " << r.speed;
}

} // namespace
} // namespace dm
