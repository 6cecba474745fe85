// Arbitrary bytes as an executable, and as the manifest that the company clean-up reads beside
// one, through GetDisplayedFileInfo (name and company). The first byte picks the executable's
// name, so that the rows that test it are reached.
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

const char* const kNames[] = {"prog.exe",      "partitionwizard.exe", "dashboard.exe",
                              "gimp-2.10.exe", "ffdshow.ax",          "am7.exe"};

const fs::path& folder() {
    static const fs::path path = [] {
        const fs::path p = fs::temp_directory_path() /
                           ("dm-fuzz-info-" + std::to_string(std::random_device()())) / "app";
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
    write(folder() / "META-INF/AIR/application.xml", bytes);
    dm::platform::FakeRegistry registry;
    dm::platform::LinuxFileSystem files;
    dm::platform::FileVersionResources versions;
    dm::platform::FakeSystemInfo system;
    dm::update::IdentifyContext context{registry, files, versions, system};
    dm::update::GetDisplayedFileInfo(context, exe.string());
    fs::remove(exe);
    return 0;
}
