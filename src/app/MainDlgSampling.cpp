// The main window's memory sampling: the timer that updates the memory figures and scope.
#include "app/MainDlg.h"

#include "app/ScopeGraph.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"
#include "platform/system/MemoryStatus.h"
#include "ui_MainDlg.h"

#include <algorithm>
#include <limits>

namespace dm {

namespace {

// The size formatter counts bytes in a signed 64-bit integer; larger figures, which only a
// crafted memory status gives, show as the largest count instead of a negative one.
std::int64_t formatterBytes(std::uint64_t bytes) {
    constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(std::min(bytes, kLargest));
}

std::int64_t formatterKilobytes(std::uint64_t kilobytes) {
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max() / 1024;
    return formatterBytes(std::min(kilobytes, kLargest) * 1024);
}

} // namespace

void MainDlg::Mem_tmrTimer() {
    const platform::MemoryStatusResult status = platform_.memory.query();
    if (!status) {
        reportError(status.error());
        return;
    }
    const platform::MemoryStatusSample& memory = *status;
    ui_->scope->setPosition(static_cast<int>(memory.memoryLoad));
    ui_->scope->updateScope();

    // Used memory is never negative, whatever the two figures say.
    const std::uint64_t used =
        memory.totalPhysical - std::min(memory.availablePhysical, memory.totalPhysical);
    ui_->phyused_lbl->setText(
        platform::toQt(TS("Used :") + " " + sizes_.FormatSize(formatterBytes(used))));

    // Without the firmware's figure the total physical memory stands in for it.
    const std::uint64_t installed =
        platform_.memory.installedKilobytes().value_or(memory.totalPhysical / 1024);
    ui_->phytot_lbl->setText(
        platform::toQt(TS("Total :") + " " + sizes_.FormatSize(formatterKilobytes(installed))));
}

} // namespace dm
