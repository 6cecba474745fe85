// Tests of the identification command's output, its quoting and its errors.
#include "IdentifyFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace dm::update {
namespace {

struct ToolRun {
    std::string out;
    int status = -1;
};

ToolRun runTool(const std::string& arguments, const std::string& registry) {
    const std::string command = "DIMMETRIC_REGISTRY_DIR='" + registry + "' '" IDENTIFY_TOOL "' " +
                                arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ToolRun run;
    if (!pipe)
        return run;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(IdentifyTool, PrintsTheFactsOfOurOwnExecutable) {
    dm::test::TempDir registry;
    const ToolRun run = runTool("'" OWN_EXECUTABLE "'", registry.dir());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(OWN_EXECUTABLE) +
                           "\tNo\tNo\tInstalled memory modules and slots\tBrackenway\t1.23.0.47\t"
                           "Dimmetric\t\t\tDimmetric\t1.0.0.0\tDimmetric\tBrackenway\t1.23.0.47\n");
}

TEST(IdentifyTool, PrintsPeFactsAndTextsAsUtf8) {
    dm::test::TempDir temp;
    platform::VersionResourceContent c;
    platform::FixedFileInfo fixed;
    fixed.FileVersionMS = 0x00020001;
    c.Fixed = fixed;
    c.StringTables.push_back({"040904e4",
                              {{"CompanyName", "Acme\xC2\xAE"},
                               {"FileDescription", "Tab\there"},
                               {"ProductName", "Tool\xE2\x84\xA2"}}});
    c.Translations = std::vector<std::uint32_t>{0x04E40409};
    const std::string file =
        temp.write("tool.exe", dm::test::writePe(true, platform::writeVersionBlock(c)).Bytes);
    const ToolRun run = runTool("'" + file + "'", temp.dir());
    EXPECT_EQ(run.status, 0);
    // The name is the one-field description with the 64-bit mark; the company loses its "®".
    EXPECT_EQ(run.out, file + "\tYes\tYes\tTab here\tAcme\xC2\xAE\t\t\t\t\tTool\xE2\x84\xA2\t\t"
                              "Tab here (64 bits)\tAcme\t2.1.0.0\n");
}

// The tool's columns of one output line.
std::vector<std::string> columnsOf(const std::string& line) {
    std::vector<std::string> columns(1);
    for (const char c : line.substr(0, line.find('\n'))) {
        if (c == '\t')
            columns.emplace_back();
        else
            columns.back() += c;
    }
    return columns;
}

TEST(IdentifyTool, PrintsThePathWithTheBytesItWasNamedBy) {
    dm::test::TempDir temp;
    const struct {
        std::string name;
        std::string printed;
    } cases[] = {
        {"caf\xC3\xA9.exe", "caf\xC3\xA9.exe"}, // UTF-8
        {"\xE9t\xE9.exe", "\xE9t\xE9.exe"},     // not UTF-8: the bytes all the same
        {"tab\there.exe", "tab here.exe"},      // still one column
    };
    for (const auto& c : cases) {
        const std::string file = temp.write(c.name, "not an executable");
        const ToolRun run = runTool("'" + file + "'", temp.dir());
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(columnsOf(run.out).front(), temp.dir() + c.printed) << c.name;
    }
}

// A side file's quoted INI value reaches the engine without its quotes.
TEST(IdentifyTool, ReadsAQuotedIniValueOfASideFileWithoutTheQuotes) {
    dm::test::TempDir temp;
    platform::VersionResourceContent c;
    c.StringTables.push_back({"040904e4", {{"ProductName", "Mozilla Firefox, Portable Edition"}}});
    c.Translations = std::vector<std::uint32_t>{0x04E40409};
    const std::string file = temp.write(
        "ff/FirefoxPortable.exe", dm::test::writePe(false, platform::writeVersionBlock(c)).Bytes);
    temp.write("ff/App/AppInfo/appinfo.ini",
               "[Details]\r\nName='Mozilla Firefox Legacy, Portable Edition'\r\n");
    const ToolRun run = runTool("'" + file + "'", temp.dir());
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> columns = columnsOf(run.out);
    ASSERT_EQ(columns.size(), 14u) << run.out;
    EXPECT_EQ(columns[11], "Mozilla Firefox Legacy, Portable Edition");
}

TEST(IdentifyTool, ReportsMissingFilesAndUsage) {
    dm::test::TempDir temp;
    const ToolRun missing = runTool("'" + temp.dir() + "missing.exe'", temp.dir());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, temp.dir() + "missing.exe\tNo\tNo\t\t\t\t\t\t\t\t\tmissing\t\t\n");
    EXPECT_EQ(runTool("", temp.dir()).status, 2);
}

} // namespace
} // namespace dm::update
