// Tests of the memory module and array records read through WMI from SMBIOS images.
#include "inventory/Win32_PhysicalMemory.h"
#include "inventory/Win32_PhysicalMemoryArray.h"
#include "platform/wmi/SystemWmi.h"
#include "support/SmbiosWriter.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

using platform::Variant;
using test::SmbiosMemoryDevice;
using test::SmbiosWriter;

// WMI answering from an SMBIOS image, as the machine's does from its firmware.
platform::LocalWmiLocator wmiFor(const SmbiosWriter& writer) {
    return platform::LocalWmiLocator(
        [image = writer.image()] { return platform::memoryRepositoryFromImage(image); });
}

// WMI whose only class has one instance holding the given properties.
platform::LocalWmiLocator wmiWith(const char* className,
                                  const std::vector<std::pair<std::string, Variant>>& properties) {
    auto repository = std::make_shared<platform::WmiRepository>();
    std::vector<std::string> names;
    std::vector<Variant> values;
    for (const auto& [name, value] : properties) {
        names.push_back(name);
        values.push_back(value);
    }
    repository->addClass(className, names);
    repository->addInstance(className, values);
    return platform::LocalWmiLocator([repository] { return repository; });
}

const char* const kInstallDateText = "20240131123045.000000+060";
const DateTime kInstallDateValue = 45322 + (12 * 3600 + 30 * 60 + 45) / 86400.0;

TEST(MemoryRecords, AModuleReadsEachPropertyByItsNameWithItsConverter) {
    platform::LocalWmiLocator wmi = wmiWith(
        "Win32_PhysicalMemory", {{"BankLabel", Variant::fromText("BankLabel")},
                                 {"Capacity", Variant::fromText("17179869184")},
                                 {"Caption", Variant::fromText("Caption")},
                                 {"CreationClassName", Variant::fromText("CreationClassName")},
                                 {"DataWidth", Variant::fromInt(64)},
                                 {"Description", Variant::fromText("Description")},
                                 {"DeviceLocator", Variant::fromText("DeviceLocator")},
                                 {"FormFactor", Variant::fromInt(12)},
                                 {"HotSwappable", Variant::fromBool(true)},
                                 {"InstallDate", Variant::fromText(kInstallDateText)},
                                 {"InterleaveDataDepth", Variant::fromInt(2)},
                                 {"InterleavePosition", Variant::fromInt(-2)},
                                 {"Manufacturer", Variant::fromText("Manufacturer")},
                                 {"MemoryType", Variant::fromInt(24)},
                                 {"Model", Variant::fromText("Model")},
                                 {"Name", Variant::fromText("Name")},
                                 {"OtherIdentifyingInfo", Variant::fromText("Other")},
                                 {"PartNumber", Variant::fromText("PartNumber")},
                                 {"PositionInRow", Variant::fromInt(3)},
                                 {"PoweredOn", Variant::fromBool(true)},
                                 {"Removable", Variant::fromBool(true)},
                                 {"Replaceable", Variant::fromBool(true)},
                                 {"SerialNumber", Variant::fromText("SerialNumber")},
                                 {"SKU", Variant::fromText("SKU")},
                                 {"Speed", Variant::fromInt(1600)},
                                 {"Status", Variant::fromText("Status")},
                                 {"Tag", Variant::fromText("Tag")},
                                 {"TotalWidth", Variant::fromInt(72)},
                                 {"TypeDetail", Variant::fromInt(0x80)},
                                 {"Version", Variant::fromText("Version")}});
    Win32_PhysicalMemory m(wmi, true);
    ASSERT_EQ(m.GetCount(), 1);
    EXPECT_EQ(m.BankLabel, "BankLabel");
    EXPECT_EQ(m.Capacity, 16ll << 30);
    EXPECT_EQ(m.Caption, "Caption");
    EXPECT_EQ(m.CreationClassName, "CreationClassName");
    EXPECT_EQ(m.DataWidth, 64);
    EXPECT_EQ(m.Description, "Description");
    EXPECT_EQ(m.DeviceLocator, "DeviceLocator");
    EXPECT_EQ(m.FormFactor, 12);
    EXPECT_TRUE(m.HotSwappable);
    EXPECT_DOUBLE_EQ(m.InstallDate, kInstallDateValue);
    EXPECT_EQ(m.InterleaveDataDepth, 2);
    EXPECT_EQ(m.InterleavePosition, 4294967294u);
    EXPECT_EQ(m.Manufacturer, "Manufacturer");
    EXPECT_EQ(m.MemoryType, 24);
    EXPECT_EQ(m.Model, "Model");
    EXPECT_EQ(m.Name, "Name");
    EXPECT_EQ(m.OtherIdentifyingInfo, "Other");
    EXPECT_EQ(m.PartNumber, "PartNumber");
    EXPECT_EQ(m.PositionInRow, 3u);
    EXPECT_TRUE(m.PoweredOn);
    EXPECT_TRUE(m.Removable);
    EXPECT_TRUE(m.Replaceable);
    EXPECT_EQ(m.SerialNumber, "SerialNumber");
    EXPECT_EQ(m.SKU, "SKU");
    EXPECT_EQ(m.Speed, 1600u);
    EXPECT_EQ(m.Status, "Status");
    EXPECT_EQ(m.Tag, "Tag");
    EXPECT_EQ(m.TotalWidth, 72);
    EXPECT_EQ(m.TypeDetail, 0x80);
    EXPECT_EQ(m.Version, "Version");
}

TEST(MemoryRecords, AnArrayReadsEachPropertyByItsNameWithItsConverter) {
    platform::LocalWmiLocator wmi = wmiWith(
        "Win32_PhysicalMemoryArray", {{"Caption", Variant::fromText("Caption")},
                                      {"CreationClassName", Variant::fromText("CreationClassName")},
                                      {"Depth", Variant::fromDouble(1.25)},
                                      {"Description", Variant::fromText("Description")},
                                      {"Height", Variant::fromDouble(2.5)},
                                      {"HotSwappable", Variant::fromBool(true)},
                                      {"InstallDate", Variant::fromText(kInstallDateText)},
                                      {"Location", Variant::fromInt(3)},
                                      {"Manufacturer", Variant::fromText("Manufacturer")},
                                      {"MaxCapacity", Variant::fromInt(-1073741824)},
                                      {"MemoryDevices", Variant::fromInt(8)},
                                      {"MemoryErrorCorrection", Variant::fromInt(6)},
                                      {"Model", Variant::fromText("Model")},
                                      {"Name", Variant::fromText("Name")},
                                      {"OtherIdentifyingInfo", Variant::fromText("Other")},
                                      {"PartNumber", Variant::fromText("PartNumber")},
                                      {"PoweredOn", Variant::fromBool(true)},
                                      {"Removable", Variant::fromBool(true)},
                                      {"Replaceable", Variant::fromBool(true)},
                                      {"SerialNumber", Variant::fromText("SerialNumber")},
                                      {"SKU", Variant::fromText("SKU")},
                                      {"Status", Variant::fromText("Status")},
                                      {"Tag", Variant::fromText("Tag")},
                                      {"Use", Variant::fromInt(3)},
                                      {"Version", Variant::fromText("Version")},
                                      {"Weight", Variant::fromDouble(3.75)},
                                      {"Width", Variant::fromDouble(5)}});
    Win32_PhysicalMemoryArray a(wmi, true);
    ASSERT_EQ(a.GetCount(), 1);
    EXPECT_EQ(a.Caption, "Caption");
    EXPECT_EQ(a.CreationClassName, "CreationClassName");
    EXPECT_EQ(a.Depth, 1.25);
    EXPECT_EQ(a.Description, "Description");
    EXPECT_EQ(a.Height, 2.5);
    EXPECT_TRUE(a.HotSwappable);
    EXPECT_DOUBLE_EQ(a.InstallDate, kInstallDateValue);
    EXPECT_EQ(a.Location, 3);
    EXPECT_EQ(a.Manufacturer, "Manufacturer");
    EXPECT_EQ(a.MaxCapacity, 3221225472u);
    EXPECT_EQ(a.MemoryDevices, 8);
    EXPECT_EQ(a.MemoryErrorCorrection, 6);
    EXPECT_EQ(a.Model, "Model");
    EXPECT_EQ(a.Name, "Name");
    EXPECT_EQ(a.OtherIdentifyingInfo, "Other");
    EXPECT_EQ(a.PartNumber, "PartNumber");
    EXPECT_TRUE(a.PoweredOn);
    EXPECT_TRUE(a.Removable);
    EXPECT_TRUE(a.Replaceable);
    EXPECT_EQ(a.SerialNumber, "SerialNumber");
    EXPECT_EQ(a.SKU, "SKU");
    EXPECT_EQ(a.Status, "Status");
    EXPECT_EQ(a.Tag, "Tag");
    EXPECT_EQ(a.Use, 3);
    EXPECT_EQ(a.Version, "Version");
    EXPECT_EQ(a.Weight, 3.75);
    EXPECT_EQ(a.Width, 5.0);
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
                wmiFor(test::sampleBoard(board.slots, board.modules, major, minor));
            Win32_PhysicalMemoryArray arrays(wmi, true);
            ASSERT_EQ(arrays.GetCount(), 1);
            EXPECT_EQ(arrays.MemoryDevices, board.slots);
            EXPECT_EQ(arrays.MaxCapacity, 64u * 1024 * 1024);
            EXPECT_EQ(arrays.Use, 3);

            Win32_PhysicalMemory modules(wmi, true);
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

TEST(MemoryRecords, AnArrayOfFourTerabytesAndMoreGivesItsSizeInMaxCapacityEx) {
    SmbiosWriter writer(3, 2);
    writer.addArray({.maxCapacityKb = 8ull << 30, .memoryDevices = 32});
    platform::LocalWmiLocator wmi = wmiFor(writer);
    Win32_PhysicalMemoryArray arrays(wmi, true);
    ASSERT_EQ(arrays.GetCount(), 1);
    EXPECT_EQ(arrays.MaxCapacity, 0xFFFFFFFFu);
    EXPECT_EQ(arrays.MaxCapacityEx, 8ull << 30);
}

TEST(MemoryRecords, GiveFullCapacitiesOfLargeModulesAndArrays) {
    SmbiosWriter writer(3, 2);
    writer.addArray({.maxCapacityKb = 3ull * 1024 * 1024 * 1024, .memoryDevices = 16});
    writer.addDevice({.sizeMb = 16 * 1024, .memoryType = 0x18, .speed = 1600});
    writer.addDevice({.sizeMb = 64 * 1024, .memoryType = 0x22, .speed = 4800});
    writer.addDevice({.sizeMb = 4096});
    platform::LocalWmiLocator wmi = wmiFor(writer);
    Win32_PhysicalMemoryArray arrays(wmi, true);
    EXPECT_EQ(arrays.MaxCapacity, 3221225472u); // above 2147483647 kilobytes
    EXPECT_EQ(arrays.MaxCapacityEx, 3221225472u);
    Win32_PhysicalMemory modules(wmi, true);
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
    writer.addArray({.maxCapacityKb = 2 * 1024 * 1024, .memoryDevices = 2});
    writer.addDevice({.sizeMb = 512, .memoryType = 0x0F, .deviceLocator = "SLOT 1  "});
    platform::LocalWmiLocator wmi = wmiFor(writer);
    Win32_PhysicalMemory modules(wmi, true);
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
    Win32_PhysicalMemoryArray arrays(wmi, true);
    EXPECT_EQ(arrays.Depth, 0.0);
    EXPECT_EQ(arrays.Manufacturer, "");
}

TEST(MemoryRecords, SelectOnlyExistingRowsAndCopyARowOnce) {
    platform::LocalWmiLocator wmi = wmiFor(test::sampleBoard(4, 2));
    Win32_PhysicalMemory modules(wmi, true);
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
    platform::LocalWmiLocator wmi = wmiFor(test::sampleBoard(4, 0));
    Win32_PhysicalMemory modules(wmi, true);
    EXPECT_EQ(modules.GetCount(), 0);
    EXPECT_EQ(modules.CurrentIndex(), -1);
    EXPECT_EQ(modules.Capacity, 0);
    EXPECT_EQ(modules.DeviceLocator, "");
    Win32_PhysicalMemoryArray arrays(wmi, true);
    EXPECT_EQ(arrays.GetCount(), 1);
}

TEST(MemoryRecords, WithoutFirmwareTablesBothRecordsCountMinusOne) {
    platform::LocalWmiLocator none([] { return platform::memoryRepositoryFromImage({}); });
    Win32_PhysicalMemory modules(none, true);
    Win32_PhysicalMemoryArray arrays(none, true);
    EXPECT_EQ(modules.GetCount(), -1);
    EXPECT_EQ(arrays.GetCount(), -1);
    Win32_PhysicalMemory notLoaded(none, false);
    EXPECT_FALSE(notLoaded.Loaded());
}

TEST(MemoryRecords, RecordsSharingAConnectionReadTheTablesOnceAndEachLoadAfresh) {
    int reads = 0;
    platform::LocalWmiLocator wmi([&reads, image = test::sampleBoard(4, 2).image()] {
        ++reads;
        return platform::memoryRepositoryFromImage(image);
    });
    WmiConnection connection(wmi, "root\\CIMV2");
    Win32_PhysicalMemory modules(connection, true);
    Win32_PhysicalMemoryArray arrays(connection, true);
    EXPECT_EQ(reads, 1);
    ASSERT_EQ(modules.GetCount(), 2);
    ASSERT_EQ(arrays.GetCount(), 1);
    EXPECT_EQ(arrays.MemoryDevices, 4);
    modules.SetCollectionIndex(1);
    EXPECT_EQ(modules.DeviceLocator, "DIMM1");
    EXPECT_EQ(modules.SerialNumber, "1A2B3C1");

    // A record of its own connection reads the tables itself.
    Win32_PhysicalMemory own(wmi, true);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(own.DeviceLocator, "DIMM0");

    // A reload keeps the connection and copies the rows it reads.
    ASSERT_TRUE(modules.LoadInstances());
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(modules.CurrentIndex(), 0);
    EXPECT_EQ(modules.DeviceLocator, "DIMM0");
    EXPECT_EQ(modules.Capacity, 8ll << 30);
}

} // namespace
} // namespace dm
