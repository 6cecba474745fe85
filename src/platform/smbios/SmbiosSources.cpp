#include "platform/smbios/SmbiosSources.h"

#include "platform/files/AtomicFile.h"
#include "platform/smbios/SmbiosTable.h"
#include "platform/smbios/UdevMemory.h"

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace dm::platform {

namespace {

// Firmware tables are small; anything bigger is read only this far.
constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

// What one source gave: its structures, or why it gave none.
struct SourceResult {
    std::optional<SmbiosMemory> info;
    std::string failure;
};

SourceResult failure(std::string why) {
    return {std::nullopt, std::move(why)};
}

// The bytes of a regular file (sysfs files report a size of 0 or 4096, so read to the end), or
// why it could not be read.
FileContents readFile(const std::string& path) {
    return readWholeFile(path, kMaxFileSize);
}

std::vector<std::uint8_t> bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

SourceResult fromImage(const std::string& path) {
    const FileContents image = readFile(path);
    if (image.status != FileContents::Status::Ok)
        return failure("SMBIOS image: " + image.error);
    const std::optional<SmbiosTable> table = SmbiosTable::fromImage(bytes(image.bytes));
    if (!table)
        return failure("SMBIOS image: not an SMBIOS image: " + path);
    return {readSmbiosMemory(*table), {}};
}

SourceResult fromKernel(const SmbiosSources& sources) {
    const FileContents entry = readFile(sources.entryPointFile);
    if (entry.status != FileContents::Status::Ok)
        return failure("kernel SMBIOS tables: " + entry.error);
    const FileContents table = readFile(sources.tableFile);
    if (table.status != FileContents::Status::Ok)
        return failure("kernel SMBIOS tables: " + table.error);
    const std::optional<SmbiosTable> parsed =
        SmbiosTable::fromEntryPointAndTable(bytes(entry.bytes), bytes(table.bytes));
    if (!parsed)
        return failure("kernel SMBIOS tables: no valid entry point and table");
    return {readSmbiosMemory(*parsed), {}};
}

SourceResult fromUdev(const std::string& path) {
    const FileContents database = readFile(path);
    if (database.status != FileContents::Status::Ok)
        return failure("udev record: " + database.error);
    std::optional<SmbiosMemory> info = parseUdevMemoryProperties(database.bytes);
    if (!info)
        return failure("udev record: no memory properties in " + path);
    return {std::move(info), {}};
}

} // namespace

SmbiosSources SmbiosSources::fromEnvironment() {
    SmbiosSources sources;
    if (const char* image = std::getenv("DIMMETRIC_SMBIOS"))
        sources.image = image;
    return sources;
}

SmbiosMemoryLoad loadSmbiosMemoryExplained(const SmbiosSources& sources) {
    SmbiosMemoryLoad load;
    const auto tried = [&load](SourceResult result) {
        if (!result.info)
            load.failures.push_back(std::move(result.failure));
        load.info = std::move(result.info);
        return load.info.has_value();
    };
    if (!sources.image.empty()) {
        tried(fromImage(sources.image));
        return load;
    }
    load.failures.push_back("SMBIOS image: none set (DIMMETRIC_SMBIOS)");
    if (!tried(fromKernel(sources)))
        tried(fromUdev(sources.udevDatabase));
    return load;
}

std::optional<SmbiosMemory> loadSmbiosMemory(const SmbiosSources& sources) {
    return loadSmbiosMemoryExplained(sources).info;
}

} // namespace dm::platform
