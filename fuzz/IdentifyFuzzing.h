#pragma once

// What the identification fuzz targets share: a folder to write the input into as files, and
// the services to identify them with (files read from disk, everything else faked).
#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "update/identify/IdentifyServices.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace dm::fuzz {

// A new folder "app" inside a fresh folder "dm-fuzz-<Tag>-<random>" of the temporary folder.
inline std::filesystem::path makeAppFolder(const std::string& tag) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("dm-fuzz-" + tag + "-" + std::to_string(std::random_device()())) / "app";
    std::filesystem::create_directories(path);
    return path;
}

// Path holding exactly Bytes, its folders made as needed.
inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

using IdentifyServices = update::IdentifyServices<platform::FakeRegistry, platform::LinuxFileSystem,
                                                  platform::FakeSystemInfo>;

} // namespace dm::fuzz
