// Tests of the inventory command's output and of the sample table writer.
#include "support/SmbiosWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace dm {
namespace {

std::string outputOf(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buffer[4096];
    while (pipe && !std::feof(pipe.get())) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe.get());
        out.append(buffer, got);
        if (got == 0)
            break;
    }
    return out;
}

TEST(InventoryTool, PrintsArraysModulesAndCounts) {
    test::TempDir dir;
    test::SmbiosWriter writer(3, 3);
    writer.addArray({.maxCapacityKb = 32 * 1024 * 1024, .memoryDevices = 2});
    writer.addDevice({.sizeMb = 16384,
                      .memoryType = 0x1A,
                      .deviceLocator = "DIMM A1",
                      .manufacturer = "80CE000000000000",
                      .serialNumber = "00000000",
                      .partNumber = "M378A2K43CB1-CTD   ",
                      .speed = 2666});
    writer.addDevice({.sizeMb = 4096,
                      .memoryType = 0x02,
                      .deviceLocator = "DIMM A2",
                      .manufacturer = "Manufacturer01",
                      .speed = 1600});
    const std::string image = dir.write("board.bin", writer.imageText());
    EXPECT_EQ(outputOf("DIMMETRIC_SMBIOS='" + image + "' '" INVENTORY_TOOL "'"),
              "array\t33554432\t2\n"
              "module\tDIMM A1\t17179869184\t80CE000000000000\tSamsung\tM378A2K43CB1-CTD   \t"
              "00000000\t26\t2666\tDDR4\n"
              "module\tDIMM A2\t4294967296\tManufacturer01\tN/A\t\t\t0\t1600\tDDR3\n"
              "count\t1\t2\n");
}

TEST(InventoryTool, PrintsMinusOneCountsWithoutFirmwareTables) {
    EXPECT_EQ(outputOf("DIMMETRIC_SMBIOS=/nonexistent '" INVENTORY_TOOL "' 2>/dev/null"),
              "count\t-1\t-1\n");
}

// The command's standard output, then "exit N" with its exit status; standard error goes to
// `errors`.
std::string runWithStatus(const std::string& command, const std::string& errors) {
    return outputOf(command + " 2>'" + errors + "'; echo \"exit $?\"");
}

TEST(InventoryTool, SaysWhyASourceGaveNothingAndFailsWhenNoneAnswered) {
    test::TempDir dir;
    const std::string errors = dir.dir() + "errors";
    EXPECT_EQ(runWithStatus("DIMMETRIC_SMBIOS=/nonexistent '" INVENTORY_TOOL "'", errors),
              "count\t-1\t-1\nexit 1\n");
    EXPECT_EQ(test::TempDir::read(errors),
              "dimmetric-inventory: SMBIOS image: cannot open /nonexistent: No such file or "
              "directory\n");
    const std::string broken = dir.write("broken.bin", "_SM3_ not a table");
    EXPECT_EQ(runWithStatus("DIMMETRIC_SMBIOS='" + broken + "' '" INVENTORY_TOOL "'", errors),
              "count\t-1\t-1\nexit 1\n");
    EXPECT_EQ(test::TempDir::read(errors),
              "dimmetric-inventory: SMBIOS image: not an SMBIOS image: " + broken + "\n");
    const std::string good = dir.write("board.bin", test::sampleBoard(2, 1).imageText());
    EXPECT_EQ(
        runWithStatus("DIMMETRIC_SMBIOS='" + good + "' '" INVENTORY_TOOL "' >/dev/null", errors),
        "exit 0\n");
    EXPECT_EQ(test::TempDir::read(errors), "");
}

TEST(SampleWriter, WritesModulesOfTheGivenMakerAndPartNumber) {
    test::TempDir dir;
    const std::string image = dir.dir() + "board.bin";
    const std::string errors = dir.dir() + "errors";
    EXPECT_EQ(runWithStatus("'" SAMPLE_TOOL "' '" + image +
                                "' 2 1 --maker 859B --part 'HMA82GU6CJR8N-VK '",
                            errors),
              "exit 0\n");
    EXPECT_EQ(outputOf("DIMMETRIC_SMBIOS='" + image + "' '" INVENTORY_TOOL "'"),
              "array\t67108864\t2\n"
              "module\tDIMM0\t8589934592\t859B\t859B\tHMA82GU6CJR8N-VK \t1A2B3C0\t26\t2400\t"
              "DDR4\n"
              "count\t1\t1\n");
}

TEST(SampleWriter, RefusesTablesItsEntryPointCannotDescribe) {
    test::TempDir dir;
    const std::string image = dir.dir() + "board.bin";
    const std::string errors = dir.dir() + "errors";
    // Some 60 to 100 bytes a slot: two thousand slots overflow the 16-bit length of a 2.x entry
    // point.
    EXPECT_EQ(runWithStatus("'" SAMPLE_TOOL "' '" + image + "' 2000 1 2 8", errors), "exit 1\n");
    EXPECT_NE(test::TempDir::read(errors).find("too large for an SMBIOS 2.8 entry point"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(image));
    EXPECT_EQ(runWithStatus("'" SAMPLE_TOOL "' '" + image + "' 2000 1", errors), "exit 0\n");
    EXPECT_EQ(runWithStatus("'" SAMPLE_TOOL "' '" + image + "' 4 5", errors), "exit 2\n");
    EXPECT_EQ(runWithStatus("'" SAMPLE_TOOL "' '" + image + "' x 1", errors), "exit 2\n");
}

} // namespace
} // namespace dm
