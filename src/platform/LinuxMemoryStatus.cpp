#include "platform/LinuxMemoryStatus.h"

#include "platform/AtomicFile.h"
#include "platform/Meminfo.h"

namespace dm::platform {

namespace {

// /proc/meminfo is a few kilobytes; more than this is not a meminfo file.
constexpr std::size_t MeminfoLimit = 1u << 20;

} // namespace

LinuxMemoryStatus::LinuxMemoryStatus(InstalledSource installed, std::string meminfoPath)
    : installed_(std::move(installed)), path_(std::move(meminfoPath)) {}

MemoryStatusResult LinuxMemoryStatus::query() {
    MemoryStatusResult result;
    const FileContents file = ReadWholeFile(path_, MeminfoLimit);
    if (file.status != FileContents::Status::Ok) {
        result.error = file.error;
        return result;
    }
    result.record = ParseMeminfo(file.bytes);
    if (!result.record)
        result.error = path_ + ": no memory total";
    return result;
}

std::optional<std::uint64_t> LinuxMemoryStatus::installedKilobytes() {
    if (!firmwareKb_)
        firmwareKb_ = installed_ ? installed_() : std::nullopt;
    if (*firmwareKb_)
        return *firmwareKb_;
    const MemoryStatusResult status = query();
    if (!status.record)
        return std::nullopt;
    return status.record->totalPhysical / 1024;
}

} // namespace dm::platform
