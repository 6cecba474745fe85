// Tests of the memory classes made from SMBIOS memory: codes, values, nulls.
#include "platform/smbios/SmbiosTable.h"
#include "platform/wmi/MemoryWmiRepository.h"
#include "platform/wmi/SystemWmi.h"
#include "support/SmbiosWriter.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

using test::SmbiosWriter;

const WmiObject& instance(const WmiRepository& repository, const char* className, std::size_t i) {
    const WmiRepository::Class* c = repository.find(className);
    EXPECT_NE(c, nullptr);
    EXPECT_LT(i, c->instances.size());
    return *c->instances.at(i);
}

Variant propertyValue(const WmiObject& object, const char* name) {
    return object.Properties_().Item(name).Value;
}

TEST(MemoryClasses, MapsSmbiosMemoryTypesToCimCodes) {
    const std::pair<int, int> rows[] = {
        {0x00, 0},  {0x01, 1},  {0x02, 0},  {0x03, 2},  {0x04, 6},  {0x05, 7},  {0x06, 8},
        {0x07, 9},  {0x08, 10}, {0x09, 11}, {0x0A, 12}, {0x0B, 13}, {0x0C, 14}, {0x0D, 15},
        {0x0E, 16}, {0x0F, 17}, {0x10, 18}, {0x11, 19}, {0x12, 20}, {0x13, 21}, {0x14, 22},
        {0x15, 0},  {0x16, 0},  {0x17, 0},  {0x18, 24}, {0x19, 25}, {0x1A, 26}, {0x1B, 27},
        {0x1C, 28}, {0x1D, 29}, {0x1E, 30}, {0x1F, 31}, {0x20, 32}, {0x21, 33}, {0x22, 34},
        {0x23, 35}, {0x24, 0},  {0xFF, 0},
    };
    for (auto [smbios, cim] : rows)
        EXPECT_EQ(cimMemoryType(std::uint8_t(smbios)), cim) << smbios;
}

TEST(MemoryClasses, GivesInstalledModulesWithWindowsValuesAndTypes) {
    SmbiosWriter writer(3, 3);
    writer.addArray({.maxCapacityKb = 32 * 1024 * 1024, .memoryDevices = 4});
    writer.addDevice({.deviceLocator = "ChannelA-DIMM0"});
    writer.addDevice({.sizeMb = 16384,
                      .formFactor = 0x0D,
                      .memoryType = 0x22,
                      .deviceLocator = "ChannelA-DIMM1",
                      .bankLocator = "BANK 1",
                      .manufacturer = "Micron Technology    ",
                      .serialNumber = "E1F2A3B4",
                      .partNumber = "MTC8C1084S1SC56BG1  ",
                      .speed = 5600,
                      .configuredSpeed = 5200,
                      .rank = 1,
                      .configuredVoltage = 1100});
    const auto repository = memoryRepositoryFromImage(writer.image());
    ASSERT_TRUE(repository);
    ASSERT_EQ(repository->find("Win32_PhysicalMemory")->instances.size(), 1u);
    const WmiObject& m = instance(*repository, "Win32_PhysicalMemory", 0);
    EXPECT_EQ(propertyValue(m, "Capacity"), Variant::fromText("17179869184"));
    EXPECT_EQ(propertyValue(m, "DeviceLocator"), Variant::fromText("ChannelA-DIMM1"));
    EXPECT_EQ(propertyValue(m, "BankLabel"), Variant::fromText("BANK 1"));
    EXPECT_EQ(propertyValue(m, "Manufacturer"), Variant::fromText("Micron Technology    "));
    EXPECT_EQ(propertyValue(m, "PartNumber"), Variant::fromText("MTC8C1084S1SC56BG1  "));
    EXPECT_EQ(propertyValue(m, "SerialNumber"), Variant::fromText("E1F2A3B4"));
    EXPECT_EQ(propertyValue(m, "MemoryType"), Variant::fromInt(34));
    EXPECT_EQ(propertyValue(m, "SMBIOSMemoryType"), Variant::fromInt(0x22));
    EXPECT_EQ(propertyValue(m, "Speed"), Variant::fromInt(5600));
    EXPECT_EQ(propertyValue(m, "ConfiguredClockSpeed"), Variant::fromInt(5200));
    EXPECT_EQ(propertyValue(m, "FormFactor"), Variant::fromInt(12));
    EXPECT_EQ(propertyValue(m, "Tag"), Variant::fromText("Physical Memory 1"));
    EXPECT_EQ(propertyValue(m, "Caption"), Variant::fromText("Physical Memory"));
    EXPECT_TRUE(propertyValue(m, "InstallDate").isNull());
    EXPECT_TRUE(propertyValue(m, "HotSwappable").isNull());
    EXPECT_TRUE(propertyValue(m, "Model").isNull());
}

TEST(MemoryClasses, LeavesNullWhatTheFirmwareDoesNotSay) {
    SmbiosWriter writer(2, 3);
    writer.addDevice({.sizeMb = 256, .totalWidth = 0xFFFF, .memoryType = 0x12});
    const auto repository = memoryRepositoryFromImage(writer.image());
    const WmiObject& m = instance(*repository, "Win32_PhysicalMemory", 0);
    for (const char* name : {"Manufacturer", "SerialNumber", "PartNumber", "DeviceLocator", "Speed",
                             "ConfiguredClockSpeed", "TotalWidth", "Attributes"})
        EXPECT_TRUE(propertyValue(m, name).isNull()) << name;
    EXPECT_EQ(propertyValue(m, "Capacity"), Variant::fromText("268435456"));
    EXPECT_EQ(propertyValue(m, "MemoryType"), Variant::fromInt(20));
}

TEST(MemoryClasses, GivesArraysOfSystemMemoryWithTheirMaximumInKilobytes) {
    SmbiosWriter writer(3, 0);
    writer.addArray({.use = 0x04, .maxCapacityKb = 1024, .memoryDevices = 1}); // video memory
    writer.addArray({.maxCapacityKb = 3ull * 1024 * 1024 * 1024, .memoryDevices = 8});
    writer.addArray({.maxCapacityKb = 8ull * 1024 * 1024 * 1024, .memoryDevices = 16});
    const auto repository = memoryRepositoryFromImage(writer.image());
    ASSERT_EQ(repository->find("Win32_PhysicalMemoryArray")->instances.size(), 2u);
    const WmiObject& large = instance(*repository, "Win32_PhysicalMemoryArray", 0);
    // A CIM uint32 above 2147483647 arrives as a negative signed integer, as on Windows.
    EXPECT_EQ(propertyValue(large, "MaxCapacity"), Variant::fromInt(std::int32_t(0xC0000000u)));
    EXPECT_EQ(propertyValue(large, "MaxCapacityEx"), Variant::fromText("3221225472"));
    EXPECT_EQ(propertyValue(large, "MemoryDevices"), Variant::fromInt(8));
    EXPECT_EQ(propertyValue(large, "Use"), Variant::fromInt(3));
    EXPECT_EQ(propertyValue(large, "Tag"), Variant::fromText("Physical Memory Array 1"));
    const WmiObject& huge = instance(*repository, "Win32_PhysicalMemoryArray", 1);
    EXPECT_EQ(propertyValue(huge, "MaxCapacity"), Variant::fromInt(-1)); // saturated at 4294967295
    EXPECT_EQ(propertyValue(huge, "MaxCapacityEx"), Variant::fromText("8589934592"));
}

TEST(MemoryClasses, AnUnreadableImageGivesNoRepository) {
    EXPECT_EQ(memoryRepositoryFromImage({1, 2, 3}), nullptr);
}

} // namespace
} // namespace dm::platform
