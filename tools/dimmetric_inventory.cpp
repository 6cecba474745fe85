// Prints what the memory records give for this machine, or for the SMBIOS image named by
// DIMMETRIC_SMBIOS: the array rows, the module rows, then the two counts (-1 for a failed load).
#include "inventory/DecodeManufacturer.h"
#include "inventory/MemoryTypeName.h"
#include "inventory/Win32_PhysicalMemory.h"
#include "inventory/Win32_PhysicalMemoryArray.h"
#include "platform/wmi/SystemWmi.h"

#include <cstdio>
#include <string>

int main() {
    using namespace dm;
    const auto locator = platform::makeSystemWmiLocator(platform::SmbiosSources::fromEnvironment());
    Win32_PhysicalMemory modules(locator.get(), true);
    Win32_PhysicalMemoryArray arrays(locator.get(), true);

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
    return 0;
}
