// Arbitrary bytes as an executable, and as every file the product-name rules read beside one,
// through GetSoftwareName. The first byte picks the executable's name, so that the rows that
// test it are reached; no program is ever run.
#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "update/identify/SoftwareName.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

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

const fs::path& folder() {
    static const fs::path path = [] {
        const fs::path p = fs::temp_directory_path() /
                           ("dm-fuzz-name-" + std::to_string(std::random_device()())) / "app";
        fs::create_directories(p);
        return p;
    }();
    return path;
}

void write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const fs::path exe = folder() / kNames[data[0] % std::size(kNames)];
    write(exe, bytes);
    for (const char* beside : kBeside)
        write(folder() / beside, bytes);
    dm::platform::FakeRegistry registry;
    dm::platform::LinuxFileSystem files;
    dm::platform::FileVersionResources versions;
    dm::platform::FakeSystemInfo system;
    dm::update::IdentifyContext context{registry, files, versions, system};
    dm::update::GetSoftwareName(context, exe.string());
    fs::remove(exe);
    return 0;
}
