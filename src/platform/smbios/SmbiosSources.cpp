#include "platform/smbios/SmbiosSources.h"

#include "platform/files/AtomicFile.h"
#include "platform/smbios/SmbiosTable.h"
#include "platform/smbios/UdevMemory.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace dm::platform {

namespace {

// Firmware tables are small; anything bigger is read only this far.
constexpr std::size_t MaxFileSize = 16 * 1024 * 1024;

// The bytes of a regular file (sysfs files report a size of 0 or 4096, so read to the end).
std::optional<std::string> ReadFile(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    FileContents file = ReadWholeFile(path, MaxFileSize);
    if (file.status != FileContents::Status::Ok)
        return std::nullopt;
    return std::move(file.bytes);
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::optional<SmbiosMemory> FromImage(const std::string& path) {
    const std::optional<std::string> image = ReadFile(path);
    if (!image)
        return std::nullopt;
    const std::optional<SmbiosTable> table = SmbiosTable::FromImage(Bytes(*image));
    return table ? std::optional<SmbiosMemory>(readSmbiosMemory(*table)) : std::nullopt;
}

std::optional<SmbiosMemory> FromKernel(const SmbiosSources& sources) {
    const std::optional<std::string> entry = ReadFile(sources.entryPointFile);
    const std::optional<std::string> table = entry ? ReadFile(sources.tableFile) : std::nullopt;
    if (!table)
        return std::nullopt;
    const std::optional<SmbiosTable> parsed =
        SmbiosTable::FromEntryPointAndTable(Bytes(*entry), Bytes(*table));
    return parsed ? std::optional<SmbiosMemory>(readSmbiosMemory(*parsed)) : std::nullopt;
}

std::optional<SmbiosMemory> FromUdev(const std::string& path) {
    const std::optional<std::string> database = ReadFile(path);
    return database ? ParseUdevMemoryProperties(*database) : std::nullopt;
}

} // namespace

SmbiosSources SmbiosSources::FromEnvironment() {
    SmbiosSources sources;
    if (const char* image = std::getenv("DIMMETRIC_SMBIOS"))
        sources.image = image;
    return sources;
}

std::optional<SmbiosMemory> loadSmbiosMemory(const SmbiosSources& sources) {
    if (!sources.image.empty())
        return FromImage(sources.image);
    if (std::optional<SmbiosMemory> kernel = FromKernel(sources))
        return kernel;
    return FromUdev(sources.udevDatabase);
}

} // namespace dm::platform
