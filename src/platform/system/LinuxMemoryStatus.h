// Memory status from /proc/meminfo, the installed memory from the firmware when it tells.
#pragma once

#include "platform/system/MemoryStatus.h"

#include <functional>
#include <string>

namespace dm::platform {

// Memory status from /proc/meminfo. The installed memory comes from the given source (the
// firmware's memory devices) when it has a figure, else from "MemTotal". It is found once: the
// memory installed does not change while the program runs.
class LinuxMemoryStatus : public MemoryStatus {
public:
    using InstalledSource = std::function<std::optional<std::uint64_t>()>;

    explicit LinuxMemoryStatus(InstalledSource installed = {},
                               std::string meminfoPath = "/proc/meminfo");

    MemoryStatusResult query() override;
    std::optional<std::uint64_t> installedKilobytes() override;

private:
    InstalledSource installed_;
    std::string path_;
    bool firmwareAsked_ = false;
    std::optional<std::uint64_t> installedKb_;
};

} // namespace dm::platform
