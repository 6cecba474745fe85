// Prints what the memory records give for this machine, or for the SMBIOS image named by
// DIMMETRIC_SMBIOS: the array rows, the module rows, then the two counts (-1 for a failed load).
// Each source that gave nothing is named on standard error with the reason; when none answered,
// the tool exits with 1.
#include "inventory/DecodeManufacturer.h"
#include "inventory/MemoryTypeName.h"
#include "inventory/Win32_PhysicalMemory.h"
#include "inventory/Win32_PhysicalMemoryArray.h"
#include "platform/smbios/SmbiosSources.h"
#include "platform/wmi/MemoryWmiRepository.h"

#include <cstdio>
#include <string>

int main() {
    using namespace dm;
    const platform::SmbiosMemoryLoad load =
        platform::loadSmbiosMemoryExplained(platform::SmbiosSources::fromEnvironment());
    for (const std::string& failure : load.failures)
        std::fprintf(stderr, "dimmetric-inventory: %s\n", failure.c_str());
    const auto repository = load.info ? platform::memoryWmiRepository(*load.info) : nullptr;
    platform::LocalWmiLocator locator([repository] { return repository; });
    Win32_PhysicalMemory modules(locator, true);
    Win32_PhysicalMemoryArray arrays(locator, true);

    std::string out;
    for (int j = 0; j < arrays.GetCount(); ++j) {
        arrays.SetCollectionIndex(j);
        out += "array\t" + std::to_string(arrays.MaxCapacity) + "\t" +
               std::to_string(arrays.MemoryDevices) + "\n";
    }
    for (int i = 0; i < modules.GetCount(); ++i) {
        modules.SetCollectionIndex(i);
        out += "module\t" + modules.DeviceLocator + "\t" + std::to_string(modules.Capacity) + "\t" +
               modules.Manufacturer + "\t" + DecodeManufacturer(modules.Manufacturer) + "\t" +
               modules.PartNumber + "\t" + modules.SerialNumber + "\t" +
               std::to_string(modules.MemoryType) + "\t" + std::to_string(modules.Speed) + "\t" +
               MemoryTypeName(modules.MemoryType, static_cast<std::int32_t>(modules.Speed)) + "\n";
    }
    out += "count\t" + std::to_string(arrays.GetCount()) + "\t" +
           std::to_string(modules.GetCount()) + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return load.info ? 0 : 1;
}
