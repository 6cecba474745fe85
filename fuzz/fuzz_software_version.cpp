// Arbitrary bytes as an executable, and as every file the version rules read beside one, through
// GetSoftwareVersion. The first byte picks the executable's name and product name, so that the
// rows that read those files are reached.
#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "update/identify/Identify.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Product {
    const char* file;
    const char* name;
};

const Product kProducts[] = {
    {"JDownloader2.exe", "JDownloader"},
    {"PhotoScape.exe", "photoscape"},
    {"dosbox.exe", "DOSBox"},
    {"acs.exe", "AudioConverter Studio"},
    {"DRW.exe", "EaseUS Data Recovery Wizard"},
    {"dbeaver.exe", "DBeaver Community"},
    {"VirtualDub64.exe", "VirtualDub2"},
    {"HiSuite.exe", "HiSuite"},
    {"bluegriffon.exe", "BlueGriffon"},
    {"firefox.exe", "Tor Browser"},
    {"madHcCtrl.exe", "madVR"},
    {"Ventoy2Disk.exe", "Ventoy"},
    {"bleachbit.exe", "BleachBit Portable"},
    {"PotPlayerMini.exe", "PotPlayer"},
    {"mbam.exe", "Malwarebytes"},
    {"prog.exe", ""},
};
const char* const kBeside[] = {"build.json",
                               "WhatsNew.txt",
                               "easeusue.log",
                               "DRWUI.log",
                               "Upgrade.ini",
                               "readme.txt",
                               "readme.md",
                               "runinfo.ini",
                               "application.ini",
                               "TorBrowser/Docs/changelog.txt",
                               "changelog.txt",
                               "ventoy/version",
                               "BleachBit.ini",
                               "changes.txt",
                               "META-INF/AIR/application.xml",
                               "PotPlayer.dll",
                               "PotPlayer64.dll",
                               "mbam.dll"};

const fs::path& folder() {
    static const fs::path path = [] {
        const fs::path p = fs::temp_directory_path() /
                           ("dm-fuzz-version-" + std::to_string(std::random_device()())) / "app";
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
    const Product& product = kProducts[data[0] % std::size(kProducts)];
    const fs::path exe = folder() / product.file;
    write(exe, bytes);
    for (const char* beside : kBeside)
        write(folder() / beside, bytes);
    dm::platform::FakeRegistry registry;
    dm::platform::LinuxFileSystem files;
    dm::platform::FileVersionResources versions;
    dm::platform::FakeSystemInfo system;
    dm::update::IdentifyContext context{registry, files, versions, system};
    std::string fileName = exe.string();
    dm::update::GetSoftwareVersion(context, fileName, product.name, "", data[0] & 0x80);
    fs::remove(exe);
    return 0;
}
