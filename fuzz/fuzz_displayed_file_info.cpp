// Arbitrary bytes as an executable, and as the manifest that the company clean-up reads beside
// one, through GetDisplayedFileInfo (name and company). The first byte picks the executable's
// name, so that the rows that test it are reached.
#include "IdentifyFuzzing.h"
#include "update/identify/Identify.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const kNames[] = {"prog.exe",      "partitionwizard.exe", "dashboard.exe",
                              "gimp-2.10.exe", "ffdshow.ax",          "am7.exe"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const fs::path folder = dm::fuzz::makeAppFolder("info");
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const fs::path exe = folder / kNames[data[0] % std::size(kNames)];
    dm::fuzz::writeFile(exe, bytes);
    dm::fuzz::writeFile(folder / "META-INF/AIR/application.xml", bytes);
    dm::fuzz::IdentifyServices services;
    dm::update::GetDisplayedFileInfo(services.context, exe.string());
    fs::remove(exe);
    return 0;
}
