// Arbitrary bytes as an executable, and as every file the product-name rules read beside one,
// through GetSoftwareName. The first byte picks the executable's name, so that the rows that
// test it are reached; no program is ever run.
#include "IdentifyFuzzing.h"
#include "update/identify/name/SoftwareName.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const kNames[] = {"node.exe", "qbittorrent.exe", "cpuz_x64.exe",       "EAC.exe",
                              "am7.exe",  "prog.exe",        "NPSWF64_1_0_0_0.dll"};
const char* const kBeside[] = {"CHANGELOG.md",
                               "SecurityProductInformation.ini",
                               "cpuz_readme.txt",
                               "update-settings.ini",
                               "BleachBit.ini",
                               "App/AppInfo/appinfo.ini",
                               "resources/app-update.yml",
                               "META-INF/AIR/application.xml",
                               "StartIsBack32.dll",
                               "../receiver/BuildInformation.txt"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    dm::fuzz::IdentifyServices services;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string exe = dm::fuzz::kAppFolder + kNames[data[0] % std::size(kNames)];
    services.files.addFile(exe, bytes);
    for (const char* beside : kBeside)
        services.files.addFile(dm::fuzz::kAppFolder + beside, bytes);
    dm::update::GetSoftwareName(services.context, exe);
    return 0;
}
