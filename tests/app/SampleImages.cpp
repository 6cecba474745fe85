// The sample SMBIOS images: their boards and modules, written as firmware tables.
#include "app/SampleImages.h"

#include "support/SmbiosWriter.h"

namespace dm::test {

namespace {

struct Stick {
    const char* locator;
    std::uint64_t sizeMb;
    std::uint8_t type;
    std::uint32_t speed;
    const char* vendor;
    const char* part;
    const char* serial;
};

SampleImage image(const char* name, std::uint64_t maxGb, const std::vector<const char*>& slots,
                  const std::vector<Stick>& sticks, std::uint16_t totalWidth = 64) {
    SmbiosWriter writer(3, 3);
    SmbiosMemoryArray array;
    array.maxCapacityKb = maxGb << 20;
    array.memoryDevices = static_cast<std::uint16_t>(slots.size());
    if (totalWidth > 64)
        array.errorCorrection = 0x06; // multi-bit ECC
    writer.addArray(array);
    for (const char* slot : slots) {
        SmbiosMemoryDevice device;
        device.deviceLocator = slot;
        device.bankLocator = "BANK 0";
        device.totalWidth = totalWidth;
        for (const Stick& stick : sticks)
            if (std::string(stick.locator) == slot) {
                device.sizeMb = stick.sizeMb;
                device.memoryType = stick.type;
                device.speed = stick.speed;
                device.configuredSpeed = stick.speed;
                device.manufacturer = stick.vendor;
                device.partNumber = stick.part;
                device.serialNumber = stick.serial;
                device.rank = 1;
                device.minimumVoltage = device.maximumVoltage = device.configuredVoltage = 1200;
            }
        if (device.sizeMb == 0) {
            device.memoryType = 0x02; // unknown
            device.manufacturer = "Not Specified";
        }
        writer.addDevice(device);
    }
    return {name, writer.imageText()};
}

} // namespace

std::vector<SampleImage> sampleImages() {
    return {
        // Office desktop: four slots, two DDR4 modules, vendor names as text.
        image("office-desktop-ddr4.bin", 64,
              {"ChannelA-DIMM0", "ChannelA-DIMM1", "ChannelB-DIMM0", "ChannelB-DIMM1"},
              {{"ChannelA-DIMM0", 8192, 0x1A, 2666, "Kingston", "KF2666C16D4/8G", "3A1C7E21"},
               {"ChannelB-DIMM0", 8192, 0x1A, 2666, "Kingston", "KF2666C16D4/8G", "3A1C7E54"}}),
        // Gaming desktop: four DDR5 modules, vendors as JEDEC codes.
        image("gaming-desktop-ddr5.bin", 128, {"DIMM_A1", "DIMM_A2", "DIMM_B1", "DIMM_B2"},
              {{"DIMM_A1", 16384, 0x22, 4800, "80CE", "M323R2GA3BB0-CQKOD", "0A000000"},
               {"DIMM_A2", 16384, 0x22, 4800, "80CE", "M323R2GA3BB0-CQKOD", "0A000001"},
               {"DIMM_B1", 16384, 0x22, 4800, "80CE", "M323R2GA3BB0-CQKOD", "0A000002"},
               {"DIMM_B2", 16384, 0x22, 4800, "80CE", "M323R2GA3BB0-CQKOD", "0A000003"}}),
        // Small older desktop: two slots with DDR3, one module of an unnamed vendor.
        image("small-desktop-ddr3.bin", 16, {"DIMM0", "DIMM1"},
              {{"DIMM0", 4096, 0x18, 1333, "0198", "99U5595-005.A00LF", "00000000"},
               {"DIMM1", 4096, 0x18, 1333, "Manufacturer01", "Part01", "SerNum01"}}),
        // Two-socket server: sixteen slots, eight registered ECC DDR4 modules.
        image("server-ddr4-ecc.bin", 1024,
              {"P1-DIMMA1", "P1-DIMMA2", "P1-DIMMB1", "P1-DIMMB2", "P1-DIMMC1", "P1-DIMMC2",
               "P1-DIMMD1", "P1-DIMMD2", "P2-DIMME1", "P2-DIMME2", "P2-DIMMF1", "P2-DIMMF2",
               "P2-DIMMG1", "P2-DIMMG2", "P2-DIMMH1", "P2-DIMMH2"},
              {{"P1-DIMMA1", 32768, 0x1A, 2933, "00AD063200AD", "HMA84GR7CJR4N-WM", "2B4A9F10"},
               {"P1-DIMMB1", 32768, 0x1A, 2933, "00AD063200AD", "HMA84GR7CJR4N-WM", "2B4A9F11"},
               {"P1-DIMMC1", 32768, 0x1A, 2933, "00AD063200AD", "HMA84GR7CJR4N-WM", "2B4A9F12"},
               {"P1-DIMMD1", 32768, 0x1A, 2933, "00AD063200AD", "HMA84GR7CJR4N-WM", "2B4A9F13"},
               {"P2-DIMME1", 32768, 0x1A, 2933, "00AD063200AD", "HMA84GR7CJR4N-WM", "2B4A9F14"},
               {"P2-DIMMF1", 32768, 0x1A, 2933, "00AD063200AD", "HMA84GR7CJR4N-WM", "2B4A9F15"},
               {"P2-DIMMG1", 32768, 0x1A, 2933, "00AD063200AD", "HMA84GR7CJR4N-WM", "2B4A9F16"},
               {"P2-DIMMH1", 32768, 0x1A, 2933, "00AD063200AD", "HMA84GR7CJR4N-WM", "2B4A9F17"}},
              72),
    };
}

} // namespace dm::test
