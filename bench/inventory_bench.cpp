// The whole inventory road of one slot scan: SMBIOS image -> WMI classes -> both records loaded
// through one connection and every row copied; beside it, the plain walk of the same table that the
// WMI road is measured against (its ratio to plainWalk at the same argument is the cost of the WMI
// shape).
#include "inventory/DecodeManufacturer.h"
#include "inventory/Win32_PhysicalMemory.h"
#include "inventory/Win32_PhysicalMemoryArray.h"
#include "inventory/WmiConnection.h"
#include "platform/smbios/SmbiosTable.h"
#include "platform/wmi/SystemWmi.h"
#include "support/SmbiosWriter.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

namespace {

using namespace dm;

void scan(platform::WmiLocator& wmi, benchmark::State& state) {
    for (auto _ : state) {
        WmiConnection connection(wmi, "root\\CIMV2");
        Win32_PhysicalMemory modules(connection, true);
        Win32_PhysicalMemoryArray arrays(connection, true);
        for (int j = 0; j < arrays.GetCount(); ++j)
            arrays.SetCollectionIndex(j);
        for (int i = 0; i < modules.GetCount(); ++i)
            modules.SetCollectionIndex(i);
        benchmark::DoNotOptimize(modules.Capacity);
        if (modules.GetCount() != state.range(0))
            state.SkipWithError("wrong module count");
    }
}

// The same table walked without WMI: the memory structures read once, then at every iteration the
// fields the scan uses copied from every array and installed device.
void plainWalk(benchmark::State& state) {
    const int modules = static_cast<int>(state.range(0));
    const platform::SmbiosMemory memory = platform::readSmbiosMemory(
        *platform::SmbiosTable::fromImage(test::sampleBoard(modules, modules).image()));
    for (auto _ : state) {
        std::uint64_t slots = 0;
        std::uint64_t maximumKb = 0;
        for (const platform::MemoryArrayStructure& array : memory.Arrays) {
            slots += array.MemoryDevices;
            maximumKb += array.MaxCapacityKb.value_or(0);
        }
        int count = 0;
        for (const platform::MemoryDeviceStructure& device : memory.Devices) {
            if (!device.Installed)
                continue;
            ++count;
            std::string locator = device.DeviceLocator.value_or("");
            std::string manufacturer = device.Manufacturer.value_or("");
            std::string part = device.PartNumber.value_or("");
            std::string serial = device.SerialNumber.value_or("");
            std::uint64_t capacity = device.SizeBytes.value_or(0);
            std::uint32_t speed = device.Speed.value_or(0) + device.MemoryType;
            benchmark::DoNotOptimize(locator);
            benchmark::DoNotOptimize(manufacturer);
            benchmark::DoNotOptimize(part);
            benchmark::DoNotOptimize(serial);
            benchmark::DoNotOptimize(capacity);
            benchmark::DoNotOptimize(speed);
        }
        benchmark::DoNotOptimize(slots);
        benchmark::DoNotOptimize(maximumKb);
        if (count != modules)
            state.SkipWithError("wrong module count");
    }
}
BENCHMARK(plainWalk)->Arg(4)->Arg(1024)->Unit(benchmark::kMicrosecond);

// The image is parsed afresh at every connection, as the machine's tables are.
void inMemoryImage(benchmark::State& state) {
    const int modules = static_cast<int>(state.range(0));
    const std::vector<std::uint8_t> image = test::sampleBoard(modules, modules).image();
    platform::LocalWmiLocator wmi([&] { return platform::memoryRepositoryFromImage(image); });
    scan(wmi, state);
}
BENCHMARK(inMemoryImage)->Arg(4)->Arg(1024)->Unit(benchmark::kMicrosecond);

// The same through the file named by DIMMETRIC_SMBIOS.
void imageFile(benchmark::State& state) {
    const int modules = static_cast<int>(state.range(0));
    test::TempDir dir;
    platform::SmbiosSources sources;
    sources.image = dir.write("board.bin", test::sampleBoard(modules, modules).imageText());
    const auto wmi = platform::makeSystemWmiLocator(sources);
    scan(*wmi, state);
}
BENCHMARK(imageFile)->Arg(4)->Arg(1024)->Unit(benchmark::kMicrosecond);

// A manufacturer text of blank-separated byte pairs as long as the argument; the cost should grow
// with the length, not its square.
void decodeLongManufacturer(benchmark::State& state) {
    std::string raw = "80 CE";
    while (raw.size() < static_cast<std::size_t>(state.range(0)))
        raw += " 00";
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeManufacturer(raw));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(decodeLongManufacturer)
    ->RangeMultiplier(8)
    ->Range(64, 64 << 10)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);

} // namespace
