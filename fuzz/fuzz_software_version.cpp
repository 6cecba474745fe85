// Arbitrary bytes as an executable, and as every file the version rules read beside one, through
// GetSoftwareVersion. The first byte picks the executable's name and product name, so that the
// rows that read those files are reached.
#include "IdentifyFuzzing.h"
#include "update/identify/Identify.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The services and the files last from input to input: identification only reads them. All
    // files share one buffer, refilled with each input; only the executable's name changes.
    static dm::fuzz::IdentifyServices services;
    static const auto bytes = [] {
        auto shared = std::make_shared<std::string>();
        for (const char* beside : kBeside)
            services.files.addFile(dm::fuzz::kAppFolder + beside, shared);
        return shared;
    }();
    static const Product* present = nullptr;
    bytes->assign(reinterpret_cast<const char*>(data) + 1, size - 1);
    const Product& product = kProducts[data[0] % std::size(kProducts)];
    const std::string exe = dm::fuzz::kAppFolder + product.file;
    if (present != &product) {
        if (present)
            services.files.deleteFile(dm::fuzz::kAppFolder + present->file);
        services.files.addFile(exe, bytes);
        present = &product;
    }
    std::string fileName = exe;
    dm::update::GetSoftwareVersion(services.context, fileName, product.name, "", data[0] & 0x80);
    return 0;
}
