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
    EXPECT_EQ(outputOf("DIMMETRIC_SMBIOS=/nonexistent '" INVENTORY_TOOL "'"), "count\t-1\t-1\n");
}

} // namespace
} // namespace dm
