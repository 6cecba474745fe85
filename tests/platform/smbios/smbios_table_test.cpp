// Tests of SMBIOS tables and entry points, damaged or cut, and of the memory structures read.
#include "platform/smbios/SmbiosMemory.h"
#include "platform/smbios/SmbiosTable.h"
#include "support/SmbiosWriter.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

using test::SmbiosMemoryDevice;
using test::SmbiosWriter;

std::vector<std::uint8_t> cat(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A dump image whose table is the given bytes, with a 3.x entry point announcing them.
std::vector<std::uint8_t> imageWithTable(const std::vector<std::uint8_t>& table) {
    SmbiosWriter writer(3, 0);
    writer.addBytes(table);
    std::vector<std::uint8_t> image = writer.image();
    image.resize(image.size() - 6); // no end-of-table structure
    return image;
}

TEST(SmbiosTable, ReadsStructuresAndStringsOfEveryEntryPointKind) {
    for (auto [major, minor] : {std::pair{2, 3}, {2, 8}, {3, 0}, {3, 3}}) {
        SmbiosWriter writer(major, minor);
        writer.Add(1, {1, 2, 0, 0}, {"Maker", "Model "});
        writer.Add(0x80, {}, {});
        const std::optional<SmbiosTable> table = SmbiosTable::fromImage(writer.image());
        ASSERT_TRUE(table) << major << "." << minor;
        EXPECT_EQ(table->majorVersion(), major);
        EXPECT_EQ(table->minorVersion(), minor);
        ASSERT_EQ(table->structures().size(), 2u);
        const SmbiosStructure& s = table->structures()[0];
        EXPECT_EQ(s.type(), 1);
        EXPECT_EQ(s.length(), 8);
        EXPECT_EQ(s.stringAt(4), "Maker");
        EXPECT_EQ(s.stringAt(5), "Model ");
        EXPECT_EQ(s.stringAt(6), std::nullopt); // string number 0
        EXPECT_EQ(s.string(3), std::nullopt);   // beyond the set
        EXPECT_EQ(s.word(7), std::nullopt);     // beyond the formatted area
        EXPECT_EQ(table->structures()[1].type(), 0x80);
    }
}

TEST(SmbiosTable, ReadsTheKernelsEntryPointAndTableFiles) {
    SmbiosWriter writer(3, 2);
    writer.addDevice({.sizeMb = 4096, .deviceLocator = "A1"});
    const std::optional<SmbiosTable> table =
        SmbiosTable::fromEntryPointAndTable(writer.entryPoint(0x7A000000), writer.table());
    ASSERT_TRUE(table);
    ASSERT_EQ(table->structures().size(), 1u);
    EXPECT_EQ(table->structures()[0].stringAt(0x10), "A1");
}

TEST(SmbiosTable, ReadsALegacyEntryPoint) {
    SmbiosWriter writer(2, 0);
    writer.Add(1, {}, {"x"});
    std::vector<std::uint8_t> legacy = writer.entryPoint(0x20);
    legacy.erase(legacy.begin(), legacy.begin() + 0x10); // the "_DMI_" part alone
    legacy.resize(0x20, 0);
    const std::optional<SmbiosTable> table = SmbiosTable::fromImage(cat(legacy, writer.table()));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->majorVersion(), 2);
    EXPECT_EQ(table->structures().size(), 1u);
}

TEST(SmbiosTable, RejectsEntryPointsThatFailTheirChecks) {
    std::vector<std::uint8_t> image = test::sampleBoard(2, 1).image();
    std::vector<std::uint8_t> badChecksum = image;
    badChecksum[0x0C] ^= 1;
    EXPECT_FALSE(SmbiosTable::fromImage(badChecksum));
    std::vector<std::uint8_t> tableOutside = SmbiosWriter(3, 0).entryPoint(0x1000);
    tableOutside.resize(0x40, 0);
    EXPECT_FALSE(SmbiosTable::fromImage(tableOutside));
    EXPECT_FALSE(SmbiosTable::fromImage({}));
    EXPECT_FALSE(SmbiosTable::fromImage({'_', 'S', 'M', '3', '_'}));
    EXPECT_FALSE(SmbiosTable::fromImage(std::vector<std::uint8_t>(64, 0)));
}

// Makes the entry point's checksums right again after a change: for 2.x the intermediate one of
// "_DMI_" (unless keepIntermediate) and then the outer one.
void resum(std::vector<std::uint8_t>& image, bool keepIntermediate = false) {
    const auto fix = [&](std::size_t at, std::size_t from, std::size_t count) {
        image[at] = 0;
        std::uint8_t sum = 0;
        for (std::size_t i = from; i < from + count; ++i)
            sum = static_cast<std::uint8_t>(sum + image[i]);
        image[at] = static_cast<std::uint8_t>(0x100 - sum);
    };
    if (image[3] == '3') {
        fix(0x05, 0, image[0x06]);
        return;
    }
    if (!keepIntermediate)
        fix(0x15, 0x10, 0x0F);
    fix(0x04, 0, image[0x05]);
}

TEST(SmbiosTable, RejectsLegacyAndShortEntryPoints) {
    struct Case {
        const char* what;
        int major;
        void (*change)(std::vector<std::uint8_t>&);
    };
    const Case cases[] = {
        {"2.x outer checksum", 2, [](auto& e) { e[0x08] ^= 1; }},
        {"2.x intermediate checksum", 2,
         [](auto& e) {
             e[0x18] ^= 1;
             resum(e, true);
         }},
        {"2.x without _DMI_", 2,
         [](auto& e) {
             e[0x10] = 'X';
             resum(e);
         }},
        {"2.x length below the entry point", 2,
         [](auto& e) {
             e[0x05] = 0x10;
             resum(e);
         }},
        {"3.x length below the entry point", 3,
         [](auto& e) {
             e[0x06] = 0x10;
             resum(e);
         }},
        {"3.x length beyond the image", 3,
         [](auto& e) {
             e.resize(0x18);
             e[0x06] = 0x20;
         }},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> image =
            test::sampleBoard(2, 1, c.major, c.major == 2 ? 8 : 3).image();
        ASSERT_TRUE(SmbiosTable::fromImage(image)) << c.what;
        c.change(image);
        EXPECT_FALSE(SmbiosTable::fromImage(image)) << c.what;
    }
}

TEST(SmbiosTable, ReadsNoFurtherThanTheEntryPointAnnounces) {
    struct Case {
        const char* what;
        int major;
        std::size_t field;
        int width;
    };
    // Each entry point is changed to announce one structure or the first structure's bytes.
    const Case cases[] = {
        {"3.x maximum table size", 3, 0x0C, 4},
        {"2.x table length", 2, 0x16, 2},
        {"2.x number of structures", 2, 0x1C, 2},
    };
    for (const Case& c : cases) {
        SmbiosWriter writer(c.major, c.major == 2 ? 8 : 0);
        writer.Add(1, {1, 0, 0, 0}, {"first"});
        writer.Add(2, {1, 0, 0, 0}, {"second"});
        std::vector<std::uint8_t> image = writer.image();
        const std::size_t firstSize = 8 + 6 + 1;
        const std::uint64_t value = c.field == 0x1C ? 1 : firstSize;
        for (int i = 0; i < c.width; ++i)
            image[c.field + i] = static_cast<std::uint8_t>(value >> (8 * i));
        resum(image);
        const auto table = SmbiosTable::fromImage(image);
        ASSERT_TRUE(table) << c.what;
        ASSERT_EQ(table->structures().size(), 1u) << c.what;
        EXPECT_EQ(table->structures()[0].stringAt(4), "first") << c.what;
    }
}

TEST(SmbiosTable, ATruncatedImageKeepsTheStructuresBeforeTheCut) {
    const std::vector<std::uint8_t> image = test::sampleBoard(4, 4).image();
    std::size_t previous = 0;
    for (std::size_t size = 0x20; size <= image.size(); ++size) {
        const auto table = SmbiosTable::fromImage({image.begin(), image.begin() + size});
        ASSERT_TRUE(table);
        const std::size_t count = table->structures().size();
        EXPECT_GE(count, previous);
        previous = count;
    }
    EXPECT_EQ(previous, 5u);
}

TEST(SmbiosTable, BrokenStructuresEndTheTableAndKeepWhatCameBefore) {
    const std::vector<std::uint8_t> good = {1, 5, 0, 0, 1, 'a', 0, 0};
    struct Case {
        const char* what;
        std::vector<std::uint8_t> tail;
        std::size_t structures;
    };
    const Case cases[] = {
        {"zero-length structure", {2, 0, 1, 0, 0, 0}, 1},
        {"length below the header", {2, 3, 1, 0, 0, 0}, 1},
        {"length past the table", {2, 0x40, 1, 0, 0, 0}, 1},
        {"header cut short", {2, 4}, 1},
        {"unterminated string set", {2, 5, 1, 0, 1, 'a', 'b', 0, 'c', 'd'}, 2},
        {"no string set at all", {2, 5, 1, 0, 1}, 2},
    };
    for (const Case& c : cases) {
        const auto table = SmbiosTable::fromImage(imageWithTable(cat(good, c.tail)));
        ASSERT_TRUE(table) << c.what;
        ASSERT_EQ(table->structures().size(), c.structures) << c.what;
        EXPECT_EQ(table->structures()[0].stringAt(4), "a") << c.what;
    }
    const auto unterminated =
        SmbiosTable::fromImage(imageWithTable(cat(good, {2, 5, 1, 0, 1, 'a', 'b', 0, 'c', 'd'})));
    EXPECT_EQ(unterminated->structures()[1].stringAt(4), "ab");
    EXPECT_EQ(unterminated->structures()[1].string(2), std::nullopt); // cut off by the end
}

TEST(SmbiosTable, StopsAtTheEndOfTableStructure) {
    SmbiosWriter writer(2, 8);
    writer.Add(1, {});
    writer.Add(127, {});
    writer.Add(2, {});
    EXPECT_EQ(SmbiosTable::fromImage(writer.image())->structures().size(), 1u);
}

TEST(SmbiosMemory, ReadsArraysAndDevicesAcrossVersions) {
    for (auto [major, minor] : {std::pair{2, 3}, {2, 7}, {3, 0}, {3, 3}}) {
        SmbiosWriter writer(major, minor);
        writer.addArray({.maxCapacityKb = 16 * 1024 * 1024, .memoryDevices = 2});
        writer.addDevice({.sizeMb = 2048,
                          .memoryType = 0x18,
                          .deviceLocator = "DIMM_A",
                          .manufacturer = "Samsung  ",
                          .serialNumber = "0001",
                          .partNumber = "M378B5773DH0-CH9",
                          .speed = 1333,
                          .configuredSpeed = 1066});
        writer.addDevice({.deviceLocator = "DIMM_B"});
        const SmbiosMemory info = readSmbiosMemory(*SmbiosTable::fromImage(writer.image()));
        ASSERT_EQ(info.Arrays.size(), 1u);
        EXPECT_EQ(info.Arrays[0].MaxCapacityKb, 16u * 1024 * 1024);
        EXPECT_EQ(info.Arrays[0].MemoryDevices, 2);
        EXPECT_EQ(info.Arrays[0].Use, kSmbiosUseSystemMemory);
        ASSERT_EQ(info.Devices.size(), 2u);
        const MemoryDeviceStructure& d = info.Devices[0];
        EXPECT_TRUE(d.Installed);
        EXPECT_EQ(d.SizeBytes, 2048ull << 20);
        EXPECT_EQ(d.MemoryType, 0x18);
        EXPECT_EQ(d.DeviceLocator, "DIMM_A");
        EXPECT_EQ(d.Manufacturer, "Samsung  ");
        EXPECT_EQ(d.PartNumber, "M378B5773DH0-CH9");
        EXPECT_EQ(d.Speed, 1333u);
        EXPECT_EQ(d.ConfiguredSpeed,
                  major * 10 + minor >= 27 ? std::optional(1066u) : std::nullopt);
        EXPECT_FALSE(info.Devices[1].Installed);
    }
}

TEST(SmbiosMemory, ReadsTheExtendedFieldsOfLargeDevicesAndArrays) {
    SmbiosWriter writer(3, 3);
    writer.addArray({.maxCapacityKb = 6ull * 1024 * 1024 * 1024, .memoryDevices = 8});
    writer.addDevice({.sizeMb = 128 * 1024, .speed = 70000, .configuredSpeed = 66000});
    const SmbiosMemory info = readSmbiosMemory(*SmbiosTable::fromImage(writer.image()));
    EXPECT_EQ(info.Arrays[0].MaxCapacityKb, 6ull * 1024 * 1024 * 1024);
    EXPECT_EQ(info.Devices[0].SizeBytes, 128ull << 30);
    EXPECT_EQ(info.Devices[0].Speed, 70000u);
    EXPECT_EQ(info.Devices[0].ConfiguredSpeed, 66000u);
}

TEST(SmbiosMemory, DecodesTheSizeWord) {
    struct Case {
        std::uint16_t word;
        bool installed;
        std::optional<std::uint64_t> bytes;
    };
    const Case cases[] = {
        {0x0000, false, std::nullopt},   {0xFFFF, true, std::nullopt},
        {0x0200, true, 512ull << 20},    {0x8200, true, 512ull << 10},
        {0x7FFE, true, 0x7FFEull << 20},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> fields(0x15 - 4, 0);
        fields[0x0C - 4] = std::uint8_t(c.word);
        fields[0x0D - 4] = std::uint8_t(c.word >> 8);
        SmbiosWriter writer(2, 1);
        writer.Add(17, fields);
        const SmbiosMemory info = readSmbiosMemory(*SmbiosTable::fromImage(writer.image()));
        ASSERT_EQ(info.Devices.size(), 1u);
        EXPECT_EQ(info.Devices[0].Installed, c.installed) << c.word;
        EXPECT_EQ(info.Devices[0].SizeBytes, c.bytes) << c.word;
        EXPECT_EQ(info.Devices[0].Speed, std::nullopt); // not in a 2.1 structure
        EXPECT_EQ(info.Devices[0].Manufacturer, std::nullopt);
    }
}

TEST(SmbiosMemory, SkipsStructuresTooShortForTheirFields) {
    SmbiosWriter writer(2, 1);
    writer.Add(16, {3, 3, 3, 0, 0});
    writer.Add(17, {0, 0, 0, 0, 0, 0, 0, 0, 0, 4});
    writer.addDevice({.sizeMb = 1024});
    const SmbiosMemory info = readSmbiosMemory(*SmbiosTable::fromImage(writer.image()));
    EXPECT_TRUE(info.Arrays.empty());
    ASSERT_EQ(info.Devices.size(), 1u);
    EXPECT_EQ(info.Devices[0].SizeBytes, 1024ull << 20);
}

TEST(SmbiosMemory, TakesNoMoreArraysAndDevicesThanAMachineCanHave) {
    SmbiosWriter writer(3, 0);
    for (std::size_t i = 0; i < kMaxMemoryStructures + 3; ++i) {
        writer.addArray({.maxCapacityKb = 1024, .memoryDevices = 1});
        writer.addDevice({.sizeMb = 1});
    }
    const SmbiosMemory info = readSmbiosMemory(*SmbiosTable::fromImage(writer.image()));
    EXPECT_EQ(info.Arrays.size(), kMaxMemoryStructures);
    EXPECT_EQ(info.Devices.size(), kMaxMemoryStructures);
}

TEST(SmbiosMemory, InstalledMemoryAddsTheSizesOfTheInstalledDevices) {
    const MemoryDeviceStructure empty; // an empty slot
    MemoryDeviceStructure unknown;     // installed, size unknown
    unknown.Installed = true;
    MemoryDeviceStructure module;
    module.Installed = true;
    module.SizeBytes = 8ull << 30;
    MemoryDeviceStructure absurd = module;
    absurd.SizeBytes = UINT64_MAX - 1;
    EXPECT_EQ(installedKilobytes(SmbiosMemory{}), std::nullopt);
    EXPECT_EQ(installedKilobytes(SmbiosMemory{{}, {empty, unknown}}), std::nullopt);
    EXPECT_EQ(installedKilobytes(SmbiosMemory{{}, {module, empty, unknown, module}}), 16ull << 20);
    // A sum beyond 64 bits stays at the largest number instead of wrapping to a small one.
    EXPECT_EQ(installedKilobytes(SmbiosMemory{{}, {module, absurd, module}}), UINT64_MAX / 1024);
}

} // namespace
} // namespace dm::platform
