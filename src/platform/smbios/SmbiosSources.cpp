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
constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

// The bytes of a regular file (sysfs files report a size of 0 or 4096, so read to the end).
std::optional<std::string> readFile(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    FileContents file = readWholeFile(path, kMaxFileSize);
    if (file.status != FileContents::Status::Ok)
        return std::nullopt;
    return std::move(file.bytes);
}

std::vector<std::uint8_t> bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::optional<SmbiosMemory> fromImage(const std::string& path) {
    const std::optional<std::string> image = readFile(path);
    if (!image)
        return std::nullopt;
    const std::optional<SmbiosTable> table = SmbiosTable::fromImage(bytes(*image));
    return table ? std::optional<SmbiosMemory>(readSmbiosMemory(*table)) : std::nullopt;
}

std::optional<SmbiosMemory> fromKernel(const SmbiosSources& sources) {
    const std::optional<std::string> entry = readFile(sources.entryPointFile);
    const std::optional<std::string> table = entry ? readFile(sources.tableFile) : std::nullopt;
    if (!table)
        return std::nullopt;
    const std::optional<SmbiosTable> parsed =
        SmbiosTable::fromEntryPointAndTable(bytes(*entry), bytes(*table));
    return parsed ? std::optional<SmbiosMemory>(readSmbiosMemory(*parsed)) : std::nullopt;
}

std::optional<SmbiosMemory> fromUdev(const std::string& path) {
    const std::optional<std::string> database = readFile(path);
    return database ? parseUdevMemoryProperties(*database) : std::nullopt;
}

} // namespace

SmbiosSources SmbiosSources::fromEnvironment() {
    SmbiosSources sources;
    if (const char* image = std::getenv("DIMMETRIC_SMBIOS"))
        sources.image = image;
    return sources;
}

std::optional<SmbiosMemory> loadSmbiosMemory(const SmbiosSources& sources) {
    if (!sources.image.empty())
        return fromImage(sources.image);
    if (std::optional<SmbiosMemory> kernel = fromKernel(sources))
        return kernel;
    return fromUdev(sources.udevDatabase);
}

} // namespace dm::platform
