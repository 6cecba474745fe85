// Arbitrary bytes as an executable, and as the manifest that the company clean-up reads beside
// one, through GetDisplayedFileInfo (name and company). The first byte picks the executable's
// name, so that the rows that test it are reached.
#include "IdentifyFuzzing.h"
#include "update/identify/Identify.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const kNames[] = {"prog.exe",      "partitionwizard.exe", "dashboard.exe",
                              "gimp-2.10.exe", "ffdshow.ax",          "am7.exe"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    dm::fuzz::IdentifyServices services;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string exe = dm::fuzz::kAppFolder + kNames[data[0] % std::size(kNames)];
    services.files.addFile(exe, bytes);
    services.files.addFile(dm::fuzz::kAppFolder + "META-INF/AIR/application.xml", bytes);
    dm::update::GetDisplayedFileInfo(services.context, exe);
    return 0;
}
