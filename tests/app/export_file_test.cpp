#include "app/ExportFile.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

ExportSection module(int slot, const std::string& partNumber) {
    return {slot,
            {{"Slot Name", "DIMM" + std::to_string(slot)},
             {"Capacity", "8 GB"},
             {"Manufacturer", "Kingston"},
             {"Model", partNumber},
             {"Type", "DDR4 / PC4-19200"},
             {"Serial#", "1A2B3C4D"}}};
}

TEST(ExportFile, OneModuleIsSevenLinesEachEndedByCrLf) {
    EXPECT_EQ(formatExport({module(1, "KHX2400C15/8G")}, "\t"), "[BANK 1]\r\n"
                                                                "Slot Name\tDIMM1\r\n"
                                                                "Capacity\t8 GB\r\n"
                                                                "Manufacturer\tKingston\r\n"
                                                                "Model\tKHX2400C15/8G\r\n"
                                                                "Type\tDDR4 / PC4-19200\r\n"
                                                                "Serial#\t1A2B3C4D\r\n");
}

TEST(ExportFile, SectionsOfLaterSlotsStartWithAnEmptyLine) {
    const std::string text = formatExport({module(2, "A"), module(3, "B")}, ";");
    EXPECT_EQ(text.substr(0, 10), "\r\n[BANK 2]");
    EXPECT_NE(text.find("Serial#;1A2B3C4D\r\n\r\n[BANK 3]\r\n"), std::string::npos);
}

TEST(ExportFile, ListWithoutRowsIsEmptyAndNothingIsEscaped) {
    EXPECT_EQ(formatExport({{1, {}}}, ";"), "[BANK 1]\r\nEmpty\r\n");
    EXPECT_EQ(formatExport({{1, {{"Model", "A;\"B\""}}}}, ";"), "[BANK 1]\r\nModel;A;\"B\"\r\n");
    EXPECT_EQ(formatExport({}, "\t"), "");
}

} // namespace
} // namespace dm
