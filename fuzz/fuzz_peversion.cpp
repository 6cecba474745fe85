// Arbitrary bytes as an executable file, and as a version resource, through the version reader.
#include "platform/version/ExecutableVersion.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void Query(const dm::platform::VersionBlock& block) {
    block.queryFixed();
    block.queryTranslations();
    block.queryText("\\StringFileInfo\\040904b0\\FileVersion");
    block.queryText("StringFileInfo\\040904B0\\CompanyName");
    block.queryValue("\\VarFileInfo\\\\Translation\\");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto block = dm::platform::findVersionResource(dm::platform::BufferByteSource(bytes)))
        Query(*block);
    if (const auto block = dm::platform::VersionBlock::fromBytes(std::string(bytes)))
        Query(*block);
    return 0;
}
