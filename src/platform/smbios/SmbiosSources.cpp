// Loads the memory structures from the first source that gives them, with why others did not.
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
using SourceResult = Result<SmbiosMemory>;

// Why a source gave nothing, with the source's name in front.
Failure failure(const std::string& source, const Failure& why) {
    return {source + ": " + why.error, why.kind};
}

// The bytes of a regular file (sysfs files report a size of 0 or 4096, so read to the end), or
// why it could not be read.
Result<FileContents> readFile(const std::string& path) {
    return readWholeFile(path, kMaxFileSize);
}

std::vector<std::uint8_t> bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

SourceResult fromImage(const std::string& path) {
    const Result<FileContents> image = readFile(path);
    if (!image)
        return failure("SMBIOS image", image.failure());
    const std::optional<SmbiosTable> table = SmbiosTable::fromImage(bytes(image->bytes));
    if (!table)
        return failure("SMBIOS image", Failure::damaged("not an SMBIOS image: " + path));
    return readSmbiosMemory(*table);
}

SourceResult fromKernel(const SmbiosSources& sources) {
    const Result<FileContents> entry = readFile(sources.entryPointFile);
    if (!entry)
        return failure("kernel SMBIOS tables", entry.failure());
    const Result<FileContents> table = readFile(sources.tableFile);
    if (!table)
        return failure("kernel SMBIOS tables", table.failure());
    const std::optional<SmbiosTable> parsed =
        SmbiosTable::fromEntryPointAndTable(bytes(entry->bytes), bytes(table->bytes));
    if (!parsed)
        return failure("kernel SMBIOS tables", Failure::damaged("no valid entry point and table"));
    return readSmbiosMemory(*parsed);
}

SourceResult fromUdev(const std::string& path) {
    const Result<FileContents> database = readFile(path);
    if (!database)
        return failure("udev record", database.failure());
    std::optional<SmbiosMemory> info = parseUdevMemoryProperties(database->bytes);
    if (!info)
        return failure("udev record", Failure::notFound("no memory properties in " + path));
    return std::move(*info);
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
        if (!result) {
            load.failures.push_back(result.error());
            return false;
        }
        load.info = std::move(*result);
        return true;
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
