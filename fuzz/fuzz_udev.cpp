// udev's record of the DMI device on hostile text: never a crash, every module size within what
// SMBIOS can state, and whatever it reads goes the whole way through the WMI classes, the memory
// records, the scan's sums and the decoders.
#include "app/ScanTotals.h"
#include "inventory/DecodeManufacturer.h"
#include "inventory/MemoryTypeName.h"
#include "inventory/Win32_PhysicalMemory.h"
#include "inventory/Win32_PhysicalMemoryArray.h"
#include "platform/smbios/UdevMemory.h"
#include "platform/wmi/MemoryWmiRepository.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dm;
    const auto memory = platform::parseUdevMemoryProperties(
        std::string_view(reinterpret_cast<const char*>(data), size));
    if (!memory)
        return 0;
    if (memory->Devices.size() > platform::kMaxMemoryStructures)
        std::abort();
    for (const platform::MemoryDeviceStructure& device : memory->Devices)
        if (device.SizeBytes && *device.SizeBytes > platform::kMaxDeviceSizeBytes)
            std::abort();
    (void)platform::installedKilobytes(*memory);

    const auto repository = platform::memoryWmiRepository(*memory);
    platform::LocalWmiLocator wmi([&] { return repository; });
    ScanTotals totals;
    Win32_PhysicalMemoryArray arrays(wmi, true);
    for (int i = 0; i < arrays.GetCount(); ++i) {
        arrays.SetCollectionIndex(i);
        totals.addArray(arrays.MaxCapacity, arrays.MaxCapacityEx, arrays.MemoryDevices);
    }
    Win32_PhysicalMemory modules(wmi, true);
    // Every module the record lists is loaded: no size can fail the list.
    if (modules.GetCount() < 0)
        std::abort();
    for (int i = 0; i < modules.GetCount(); ++i) {
        modules.SetCollectionIndex(i);
        totals.addModule(modules.Capacity);
        (void)DecodeManufacturer(modules.Manufacturer);
        (void)MemoryTypeName(modules.MemoryType, static_cast<std::int32_t>(modules.Speed));
    }
    if (totals.slotCount() < 0 || totals.maximumGb() < 0 || totals.installedGb() < 0)
        std::abort();
    return 0;
}
