// Tests of udev's memory record and of the order in which the memory sources are tried.
#include "platform/smbios/SmbiosSources.h"
#include "platform/smbios/UdevMemory.h"
#include "support/SmbiosWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

const char* const kUdevRecord =
    "S:dmi/id\n"
    "I:1234\n"
    "E:MEMORY_ARRAY_LOCATION=System Board Or Motherboard\n"
    "E:MEMORY_ARRAY_MAX_CAPACITY=68719476736\n"
    "E:MEMORY_ARRAY_NUM_DEVICES=2\n"
    "E:MEMORY_DEVICE_0_DATA_WIDTH=64\n"
    "E:MEMORY_DEVICE_0_SIZE=17179869184\n"
    "E:MEMORY_DEVICE_0_FORM_FACTOR=SODIMM\n"
    "E:MEMORY_DEVICE_0_LOCATOR=DIMM A\n"
    "E:MEMORY_DEVICE_0_TYPE=DDR4\n"
    "E:MEMORY_DEVICE_0_TYPE_DETAIL=Synchronous Unbuffered (Unregistered)\n"
    "E:MEMORY_DEVICE_0_SPEED_MTS=3200\n"
    "E:MEMORY_DEVICE_0_MANUFACTURER=Samsung\n"
    "E:MEMORY_DEVICE_0_SERIAL_NUMBER=12345678\n"
    "E:MEMORY_DEVICE_0_PART_NUMBER=M471A2K43DB1-CWE\n"
    "E:MEMORY_DEVICE_0_RANK=2\n"
    "E:MEMORY_DEVICE_0_CONFIGURED_SPEED_MTS=2933\n"
    "E:MEMORY_DEVICE_0_CONFIGURED_VOLTAGE=1.2\n"
    "E:MEMORY_DEVICE_1_PRESENT=0\n"
    "E:MEMORY_DEVICE_1_LOCATOR=DIMM B\n"
    "G:systemd\n";

TEST(UdevMemory, TurnsTheDmiRecordBackIntoSmbiosValues) {
    const std::optional<SmbiosMemory> info = parseUdevMemoryProperties(kUdevRecord);
    ASSERT_TRUE(info);
    ASSERT_EQ(info->Arrays.size(), 1u);
    EXPECT_EQ(info->Arrays[0].MaxCapacityKb, 64ull * 1024 * 1024);
    EXPECT_EQ(info->Arrays[0].MemoryDevices, 2);
    EXPECT_EQ(info->Arrays[0].Location, 0x03);
    EXPECT_EQ(info->Arrays[0].ErrorCorrection, 0x03);
    ASSERT_EQ(info->Devices.size(), 2u);
    const MemoryDeviceStructure& d = info->Devices[0];
    EXPECT_TRUE(d.Installed);
    EXPECT_EQ(d.SizeBytes, 16ull << 30);
    EXPECT_EQ(d.FormFactor, 0x0D);
    EXPECT_EQ(d.MemoryType, 0x1A);
    EXPECT_EQ(d.TypeDetail, (1 << 7) | (1 << 14));
    EXPECT_EQ(d.Speed, 3200u);
    EXPECT_EQ(d.ConfiguredSpeed, 2933u);
    EXPECT_EQ(d.Manufacturer, "Samsung");
    EXPECT_EQ(d.PartNumber, "M471A2K43DB1-CWE");
    EXPECT_EQ(d.Rank, 2);
    EXPECT_EQ(d.ConfiguredVoltage, 1200);
    EXPECT_EQ(d.TotalWidth, std::nullopt);
    EXPECT_FALSE(info->Devices[1].Installed);
}

TEST(UdevMemory, ARecordWithoutMemoryPropertiesGivesNothing) {
    EXPECT_FALSE(parseUdevMemoryProperties("S:dmi/id\nE:ID_VENDOR=x\n"));
    EXPECT_FALSE(parseUdevMemoryProperties(""));
    const auto odd = parseUdevMemoryProperties("E:MEMORY_DEVICE_99999999999999999999_SIZE=1\n"
                                               "E:MEMORY_DEVICE_=2\nE:MEMORY_DEVICE_3_SIZE=x");
    ASSERT_TRUE(odd);
    ASSERT_EQ(odd->Devices.size(), 4u);
    EXPECT_EQ(odd->Devices[3].SizeBytes, std::nullopt);
}

TEST(UdevMemory, SizesBeyondWhatSmbiosCanStateStopThere) {
    const std::pair<const char*, std::uint64_t> sizes[] = {
        {"17179869184", 16ull << 30},
        {"2251799812636672", kMaxDeviceSizeBytes}, // the largest SMBIOS size itself
        {"2251799812636673", kMaxDeviceSizeBytes},
        {"4611686018427387904", kMaxDeviceSizeBytes}, // 2^62
        {"18446744073709551615", kMaxDeviceSizeBytes},
    };
    for (auto [text, bytes] : sizes) {
        const auto info =
            parseUdevMemoryProperties(std::string("E:MEMORY_DEVICE_0_SIZE=") + text + "\n");
        ASSERT_TRUE(info);
        EXPECT_EQ(info->Devices.at(0).SizeBytes, bytes) << text;
    }
}

class MemorySources : public ::testing::Test {
protected:
    SmbiosSources testSources() const {
        SmbiosSources s;
        s.entryPointFile = dir.dir() + "smbios_entry_point";
        s.tableFile = dir.dir() + "DMI";
        s.udevDatabase = dir.dir() + "+dmi:id";
        return s;
    }
    void writeKernelTables(int modules) const {
        const test::SmbiosWriter writer = test::sampleBoard(4, modules);
        const auto entry = writer.entryPoint(0xE0000);
        const auto table = writer.table();
        dir.write("smbios_entry_point", std::string(entry.begin(), entry.end()));
        dir.write("DMI", std::string(table.begin(), table.end()));
    }
    test::TempDir dir;
};

TEST_F(MemorySources, TakesTheKernelTablesBeforeUdev) {
    writeKernelTables(3);
    dir.write("+dmi:id", kUdevRecord);
    EXPECT_EQ(loadSmbiosMemory(testSources())->Devices.size(), 4u);
}

TEST_F(MemorySources, FallsBackToUdevWithoutReadableKernelTables) {
    dir.write("+dmi:id", kUdevRecord);
    EXPECT_EQ(loadSmbiosMemory(testSources())->Devices.size(), 2u);
    dir.write("smbios_entry_point", "garbage");
    dir.write("DMI", "garbage");
    EXPECT_EQ(loadSmbiosMemory(testSources())->Devices.size(), 2u);
}

TEST_F(MemorySources, AnImageNamedByTheEnvironmentIsTheOnlySource) {
    writeKernelTables(3);
    SmbiosSources sources = testSources();
    sources.image = dir.write("image.bin", test::sampleBoard(8, 6).imageText());
    EXPECT_EQ(loadSmbiosMemory(sources)->Devices.size(), 8u);
    sources.image = dir.write("broken.bin", "_SM3_ broken");
    EXPECT_FALSE(loadSmbiosMemory(sources));
    sources.image = "/dev/zero"; // not a regular file: never read
    EXPECT_FALSE(loadSmbiosMemory(sources));
}

TEST_F(MemorySources, NoSourceGivesNothing) {
    EXPECT_FALSE(loadSmbiosMemory(testSources()));
}

TEST_F(MemorySources, SayWhyEachSourceTriedGaveNothing) {
    const SmbiosMemoryLoad none = loadSmbiosMemoryExplained(testSources());
    EXPECT_FALSE(none.info);
    EXPECT_EQ(none.failures,
              (std::vector<std::string>{"SMBIOS image: none set (DIMMETRIC_SMBIOS)",
                                        "kernel SMBIOS tables: cannot open " + dir.dir() +
                                            "smbios_entry_point: No such file or directory",
                                        "udev record: cannot open " + dir.dir() +
                                            "+dmi:id: No such file or directory"}));

    dir.write("smbios_entry_point", "garbage");
    dir.write("DMI", "garbage");
    dir.write("+dmi:id", "E:ID_VENDOR=x\n");
    const SmbiosMemoryLoad broken = loadSmbiosMemoryExplained(testSources());
    EXPECT_FALSE(broken.info);
    ASSERT_EQ(broken.failures.size(), 3u);
    EXPECT_EQ(broken.failures[1], "kernel SMBIOS tables: no valid entry point and table");
    EXPECT_EQ(broken.failures[2], "udev record: no memory properties in " + dir.dir() + "+dmi:id");

    // A source that answers ends the list of reasons.
    dir.write("+dmi:id", kUdevRecord);
    const SmbiosMemoryLoad udev = loadSmbiosMemoryExplained(testSources());
    EXPECT_TRUE(udev.info);
    EXPECT_EQ(udev.failures.size(), 2u);

    SmbiosSources image = testSources();
    image.image = "/dev/zero";
    EXPECT_EQ(loadSmbiosMemoryExplained(image).failures,
              std::vector<std::string>{"SMBIOS image: not a readable file: /dev/zero"});
}

} // namespace
} // namespace dm::platform
