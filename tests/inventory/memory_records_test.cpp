#include "inventory/Win32_PhysicalMemory.h"
#include "inventory/Win32_PhysicalMemoryArray.h"
#include "platform/wmi/SystemWmi.h"
#include "support/SmbiosWriter.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

using test::SmbiosMemoryDevice;
using test::SmbiosWriter;

// WMI answering from an SMBIOS image, as the machine's does from its firmware.
platform::LocalWmiLocator WmiFor(const SmbiosWriter& writer) {
    return platform::LocalWmiLocator(
        [image = writer.Image()] { return platform::MemoryRepositoryFromImage(image); });
}

TEST(MemoryRecords, ReadBoardsOfEverySizeAndSmbiosVersion) {
    struct Board {
        int slots, modules;
    };
    const Board boards[] = {{2, 1}, {2, 2}, {4, 1}, {4, 3}, {4, 4}, {8, 1}, {8, 5}, {8, 6}};
    for (auto [major, minor] : {std::pair{2, 3}, {2, 8}, {3, 0}, {3, 3}})
        for (const Board& board : boards) {
            SCOPED_TRACE(testing::Message() << major << "." << minor << " " << board.slots
                                            << " slots " << board.modules << " modules");
            platform::LocalWmiLocator wmi =
                WmiFor(test::SampleBoard(board.slots, board.modules, major, minor));
            Win32_PhysicalMemoryArray arrays(&wmi, true);
            ASSERT_EQ(arrays.GetCount(), 1);
            EXPECT_EQ(arrays.MemoryDevices, board.slots);
            EXPECT_EQ(arrays.MaxCapacity, 64u * 1024 * 1024);
            EXPECT_EQ(arrays.Use, 3);

            Win32_PhysicalMemory modules(&wmi, true);
            ASSERT_EQ(modules.GetCount(), board.modules);
            for (int i = 0; i < modules.GetCount(); ++i) {
                modules.SetCollectionIndex(i);
                EXPECT_EQ(modules.DeviceLocator, "DIMM" + std::to_string(i));
                EXPECT_EQ(modules.BankLabel, "BANK " + std::to_string(i));
                EXPECT_EQ(modules.Capacity, 8ll << 30);
                EXPECT_EQ(modules.Manufacturer, "Kingston");
                EXPECT_EQ(modules.PartNumber, "KHX2400C15/8G");
                EXPECT_EQ(modules.SerialNumber, "1A2B3C" + std::to_string(i));
                EXPECT_EQ(modules.MemoryType, 26);
                EXPECT_EQ(modules.Speed, 2400u);
                EXPECT_EQ(modules.FormFactor, 8);
                EXPECT_EQ(modules.DataWidth, 64);
                EXPECT_EQ(modules.TypeDetail, 0x80);
                EXPECT_EQ(modules.Tag, "Physical Memory " + std::to_string(i));
            }
        }
}

TEST(MemoryRecords, GiveFullCapacitiesOfLargeModulesAndArrays) {
    SmbiosWriter writer(3, 2);
    writer.AddArray({.maxCapacityKb = 3ull * 1024 * 1024 * 1024, .memoryDevices = 16});
    writer.AddDevice({.sizeMb = 16 * 1024, .memoryType = 0x18, .speed = 1600});
    writer.AddDevice({.sizeMb = 64 * 1024, .memoryType = 0x22, .speed = 4800});
    writer.AddDevice({.sizeMb = 4096});
    platform::LocalWmiLocator wmi = WmiFor(writer);
    Win32_PhysicalMemoryArray arrays(&wmi, true);
    EXPECT_EQ(arrays.MaxCapacity, 3221225472u); // above 2147483647 kilobytes
    Win32_PhysicalMemory modules(&wmi, true);
    ASSERT_EQ(modules.GetCount(), 3);
    EXPECT_EQ(modules.Capacity, 16ll << 30);
    EXPECT_EQ(modules.MemoryType, 24);
    modules.SetCollectionIndex(1);
    EXPECT_EQ(modules.Capacity, 64ll << 30);
    EXPECT_EQ(modules.MemoryType, 34);
    EXPECT_EQ(modules.Speed, 4800u);
    modules.SetCollectionIndex(2);
    EXPECT_EQ(modules.Capacity, 4ll << 30);
}

TEST(MemoryRecords, KeepFirmwareTextsAsTheyAreAndDefaultWhatIsMissing) {
    SmbiosWriter writer(2, 1); // no speed, no manufacturer, serial or part number
    writer.AddArray({.maxCapacityKb = 2 * 1024 * 1024, .memoryDevices = 2});
    writer.AddDevice({.sizeMb = 512, .memoryType = 0x0F, .deviceLocator = "SLOT 1  "});
    platform::LocalWmiLocator wmi = WmiFor(writer);
    Win32_PhysicalMemory modules(&wmi, true);
    ASSERT_EQ(modules.GetCount(), 1);
    EXPECT_EQ(modules.DeviceLocator, "SLOT 1  ");
    EXPECT_EQ(modules.Capacity, 512ll << 20);
    EXPECT_EQ(modules.MemoryType, 17);
    EXPECT_EQ(modules.Manufacturer, "");
    EXPECT_EQ(modules.PartNumber, "");
    EXPECT_EQ(modules.SerialNumber, "");
    EXPECT_EQ(modules.Speed, 0u);
    EXPECT_EQ(modules.InstallDate, 0.0);
    EXPECT_FALSE(modules.HotSwappable);
    EXPECT_EQ(modules.Caption, "Physical Memory");
    Win32_PhysicalMemoryArray arrays(&wmi, true);
    EXPECT_EQ(arrays.Depth, 0.0);
    EXPECT_EQ(arrays.Manufacturer, "");
}

TEST(MemoryRecords, SelectOnlyExistingRowsAndCopyARowOnce) {
    platform::LocalWmiLocator wmi = WmiFor(test::SampleBoard(4, 2));
    Win32_PhysicalMemory modules(&wmi, true);
    ASSERT_EQ(modules.CurrentIndex(), 0);
    modules.DeviceLocator = "changed";
    modules.SetCollectionIndex(0); // already current: not copied again
    EXPECT_EQ(modules.DeviceLocator, "changed");
    modules.SetCollectionIndex(-1);
    modules.SetCollectionIndex(2);
    EXPECT_EQ(modules.CurrentIndex(), 0);
    EXPECT_EQ(modules.DeviceLocator, "changed");
    modules.SetCollectionIndex(1);
    EXPECT_EQ(modules.CurrentIndex(), 1);
    EXPECT_EQ(modules.DeviceLocator, "DIMM1");
}

TEST(MemoryRecords, ABoardWithoutModulesLoadsWithNoRows) {
    platform::LocalWmiLocator wmi = WmiFor(test::SampleBoard(4, 0));
    Win32_PhysicalMemory modules(&wmi, true);
    EXPECT_EQ(modules.GetCount(), 0);
    EXPECT_EQ(modules.CurrentIndex(), -1);
    EXPECT_EQ(modules.Capacity, 0);
    EXPECT_EQ(modules.DeviceLocator, "");
    Win32_PhysicalMemoryArray arrays(&wmi, true);
    EXPECT_EQ(arrays.GetCount(), 1);
}

TEST(MemoryRecords, WithoutFirmwareTablesBothRecordsCountMinusOne) {
    platform::LocalWmiLocator none([] { return platform::MemoryRepositoryFromImage({}); });
    Win32_PhysicalMemory modules(&none, true);
    Win32_PhysicalMemoryArray arrays(&none, true);
    EXPECT_EQ(modules.GetCount(), -1);
    EXPECT_EQ(arrays.GetCount(), -1);
    Win32_PhysicalMemory notLoaded(&none, false);
    EXPECT_FALSE(notLoaded.Loaded());
}

} // namespace
} // namespace dm
