#include "platform/smbios/MemoryInfoSources.h"

#include "platform/AtomicFile.h"
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
std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    const FileContents file = ReadWholeFile(path, MaxFileSize);
    if (file.status != FileContents::Status::Ok)
        return std::nullopt;
    return std::vector<std::uint8_t>(file.bytes.begin(), file.bytes.end());
}

std::optional<MemoryInfo> FromImage(const std::string& path) {
    std::optional<std::vector<std::uint8_t>> image = ReadFile(path);
    if (!image)
        return std::nullopt;
    const std::optional<SmbiosTable> table = SmbiosTable::FromImage(std::move(*image));
    return table ? std::optional<MemoryInfo>(ReadMemoryInfo(*table)) : std::nullopt;
}

std::optional<MemoryInfo> FromKernel(const MemoryInfoSources& sources) {
    const std::optional<std::vector<std::uint8_t>> entry = ReadFile(sources.entryPointFile);
    std::optional<std::vector<std::uint8_t>> bytes =
        entry ? ReadFile(sources.tableFile) : std::nullopt;
    if (!bytes)
        return std::nullopt;
    const std::optional<SmbiosTable> table =
        SmbiosTable::FromEntryPointAndTable(*entry, std::move(*bytes));
    return table ? std::optional<MemoryInfo>(ReadMemoryInfo(*table)) : std::nullopt;
}

std::optional<MemoryInfo> FromUdev(const std::string& path) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadFile(path);
    if (!bytes)
        return std::nullopt;
    return ParseUdevMemoryProperties(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
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
