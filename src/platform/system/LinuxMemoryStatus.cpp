// Memory status read from /proc/meminfo, with the installed memory found once.
#include "platform/system/LinuxMemoryStatus.h"

#include "platform/files/AtomicFile.h"
#include "platform/system/Meminfo.h"

namespace dm::platform {

namespace {

// /proc/meminfo is a few kilobytes; more than this is not a meminfo file.
constexpr std::size_t kMeminfoLimit = 1u << 20;

} // namespace

LinuxMemoryStatus::LinuxMemoryStatus(InstalledSource installed, std::string meminfoPath)
    : installed_(std::move(installed)), path_(std::move(meminfoPath)) {}

MemoryStatusResult LinuxMemoryStatus::query() {
    const Result<FileContents> file = readWholeFile(path_, kMeminfoLimit);
    if (!file)
        return file.failure();
    const std::optional<MemoryStatusSample> record = parseMeminfo(file->bytes);
    if (!record)
        return Failure::damaged(path_ + ": no memory total");
    return *record;
}

std::optional<std::uint64_t> LinuxMemoryStatus::installedKilobytes() {
    if (!firmwareAsked_) {
        firmwareAsked_ = true;
        if (installed_)
            installedKb_ = installed_();
    }
    if (!installedKb_) {
        // Without the firmware's figure: the total, read until a read succeeds.
        if (const MemoryStatusResult status = query())
            installedKb_ = status->totalPhysical / 1024;
    }
    return installedKb_;
}

} // namespace dm::platform
