#include "platform/smbios/MemoryInfoSources.h"

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

std::optional<MemoryInfo> FromImage(const std::string& path) {
    const std::optional<std::string> image = ReadFile(path);
    if (!image)
        return std::nullopt;
    const std::optional<SmbiosTable> table = SmbiosTable::FromImage(Bytes(*image));
    return table ? std::optional<MemoryInfo>(ReadMemoryInfo(*table)) : std::nullopt;
}

std::optional<MemoryInfo> FromKernel(const MemoryInfoSources& sources) {
    const std::optional<std::string> entry = ReadFile(sources.entryPointFile);
    const std::optional<std::string> table = entry ? ReadFile(sources.tableFile) : std::nullopt;
    if (!table)
        return std::nullopt;
    const std::optional<SmbiosTable> parsed =
        SmbiosTable::FromEntryPointAndTable(Bytes(*entry), Bytes(*table));
    return parsed ? std::optional<MemoryInfo>(ReadMemoryInfo(*parsed)) : std::nullopt;
}

std::optional<MemoryInfo> FromUdev(const std::string& path) {
    const std::optional<std::string> database = ReadFile(path);
    return database ? ParseUdevMemoryProperties(*database) : std::nullopt;
}

} // namespace

MemoryInfoSources MemoryInfoSources::FromEnvironment() {
    MemoryInfoSources sources;
    if (const char* image = std::getenv("DIMMETRIC_SMBIOS"))
        sources.image = image;
    return sources;
}

std::optional<MemoryInfo> LoadMemoryInfo(const MemoryInfoSources& sources) {
    if (!sources.image.empty())
        return FromImage(sources.image);
    if (std::optional<MemoryInfo> kernel = FromKernel(sources))
        return kernel;
    return FromUdev(sources.udevDatabase);
}

} // namespace dm::platform
