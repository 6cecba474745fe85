// Arbitrary bytes as a registry hive file: parsing must refuse or accept cleanly, and whatever is
// accepted must be written out as text that reads back to the same hive.
#include "platform/registry/HiveFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto hive = dm::platform::parseHive(text);
    if (!hive)
        return 0;
    const std::string written = dm::platform::serializeHive(*hive);
    auto again = dm::platform::parseHive(written);
    if (!again || dm::platform::serializeHive(*again) != written)
        std::abort();
    return 0;
}
