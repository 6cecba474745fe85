// Tests of the export file: sections, line ends and the spreadsheet form's quoting.
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

// The cells of one spreadsheet line as a spreadsheet reads them: a field that starts with a quote
// runs to the closing quote, a doubled quote inside standing for one.
std::vector<std::string> spreadsheetCells(const std::string& line, char separator) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            cells.back() += line[++i];
        else if (c == '"' && (quoted || cells.back().empty()))
            quoted = !quoted;
        else if (c == separator && !quoted)
            cells.emplace_back();
        else
            cells.back() += c;
    }
    return cells;
}

TEST(ExportFile, SpreadsheetQuotesFieldsHoldingTheSeparatorAQuoteOrALineBreak) {
    const struct {
        std::string value;
        std::string written;
    } cases[] = {
        {"KHX2400C15/8G", "KHX2400C15/8G"},
        {"", ""},
        {"Good;Ram \"Co\"", "\"Good;Ram \"\"Co\"\"\""},
        {"KHX;2400", "\"KHX;2400\""},
        {";", "\";\""},
        {"Ram \"Co\"", "\"Ram \"\"Co\"\"\""},
        {"\"", "\"\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"line\nbreak", "\"line\nbreak\""},
        {"cr\ronly", "\"cr\ronly\""},
        {"tab\there", "tab\there"}, // a tab is no separator here
        {"it's 'quoted'", "it's 'quoted'"},
    };
    for (const auto& c : cases) {
        const std::string text =
            formatExport({{1, {{"Model", c.value}}}}, ";", ExportQuoting::Spreadsheet);
        EXPECT_EQ(text, "[BANK 1]\r\nModel;" + c.written + "\r\n") << c.value;
        if (c.value.find_first_of("\r\n") == std::string::npos) {
            EXPECT_EQ(spreadsheetCells(text.substr(10, text.size() - 12), ';'),
                      (std::vector<std::string>{"Model", c.value}))
                << c.value;
        }
        // The text form writes every field as it is.
        EXPECT_EQ(formatExport({{1, {{"Model", c.value}}}}, "\t"),
                  "[BANK 1]\r\nModel\t" + c.value + "\r\n");
    }
    // A caption is a field like any other.
    EXPECT_EQ(formatExport({{1, {{"N;o", "1"}}}}, ";", ExportQuoting::Spreadsheet),
              "[BANK 1]\r\n\"N;o\";1\r\n");
}

TEST(ExportFile, SpreadsheetWithoutFieldsToQuoteIsTheTextFormWithItsSeparator) {
    const std::vector<ExportSection> sections = {
        module(1, "KHX2400C15/8G"), {2, {}}, module(4, "M378A1K43CB2-CTD")};
    std::string expected = formatExport(sections, "\t");
    for (char& c : expected)
        if (c == '\t')
            c = ';';
    EXPECT_EQ(formatExport(sections, ";", ExportQuoting::Spreadsheet), expected);
}

} // namespace
} // namespace dm
