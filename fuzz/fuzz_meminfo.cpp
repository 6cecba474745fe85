// /proc/meminfo text: never a crash, and a record always has available memory within the total
// and a load of at most 100 percent.
#include "platform/system/Meminfo.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto record =
        dm::platform::parseMeminfo(std::string_view(reinterpret_cast<const char*>(data), size));
    if (record && (record->availablePhysical > record->totalPhysical || record->memoryLoad > 100))
        std::abort();
    return 0;
}
