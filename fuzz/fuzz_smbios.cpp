// The SMBIOS reader on hostile bytes, as a dump image, as a kernel table behind a valid entry
// point, and as a udev record; whatever it reads goes the whole way through the WMI classes, the
// memory records and the decoders.
#include "inventory/DecodeManufacturer.h"
#include "inventory/MemoryTypeName.h"
#include "inventory/Win32_PhysicalMemory.h"
#include "inventory/Win32_PhysicalMemoryArray.h"
#include "platform/smbios/SmbiosTable.h"
#include "platform/smbios/UdevMemory.h"
#include "platform/wmi/MemoryWmiRepository.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using namespace dm;

void Exercise(const platform::SmbiosMemory& memory) {
    const auto repository = platform::memoryWmiRepository(memory);
    platform::LocalWmiLocator wmi([&] { return repository; });
    Win32_PhysicalMemory modules(wmi, true);
    for (int i = 0; i < modules.GetCount(); ++i) {
        modules.SetCollectionIndex(i);
        (void)DecodeManufacturer(modules.Manufacturer);
        (void)MemoryTypeName(modules.MemoryType, static_cast<std::int32_t>(modules.Speed));
    }
    Win32_PhysicalMemoryArray arrays(wmi, true);
    for (int i = 0; i < arrays.GetCount(); ++i)
        arrays.SetCollectionIndex(i);
}

void Exercise(const platform::SmbiosTable& table) {
    for (const platform::SmbiosStructure& s : table.structures())
        for (std::size_t offset = 0; offset <= s.length(); ++offset) {
            (void)s.qword(offset);
            (void)s.stringAt(offset);
        }
    Exercise(platform::readSmbiosMemory(table));
}

// A valid 3.x entry point for a table of `size` bytes.
std::vector<std::uint8_t> entryPoint(std::size_t size) {
    std::vector<std::uint8_t> e = {'_', 'S', 'M', '3', '_', 0, 0x18, 3, 3, 0, 1, 0};
    for (int i = 0; i < 4; ++i)
        e.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
    e.resize(0x18, 0);
    std::uint8_t sum = 0;
    for (std::uint8_t b : e)
        sum = static_cast<std::uint8_t>(sum + b);
    e[5] = static_cast<std::uint8_t>(0x100 - sum);
    return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    if (auto table = platform::SmbiosTable::fromImage(bytes))
        Exercise(*table);
    if (auto table = platform::SmbiosTable::fromEntryPointAndTable(entryPoint(size), bytes))
        Exercise(*table);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto memory = platform::parseUdevMemoryProperties(text))
        Exercise(*memory);
    return 0;
}
