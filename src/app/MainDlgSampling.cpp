#include "app/MainDlg.h"

#include "app/ScopeGraph.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"
#include "platform/system/MemoryStatus.h"
#include "ui_MainDlg.h"

namespace dm {

void MainDlg::Mem_tmrTimer() {
    if (!platform_.memory)
        return;
    const platform::MemoryStatusResult status = platform_.memory->query();
    if (!status.record) {
        reportError(status.error);
        return;
    }
    const platform::MemoryStatusSample& memory = *status.record;
    ui_->scope->setPosition(static_cast<int>(memory.memoryLoad));
    ui_->scope->updateScope();

    const auto used = static_cast<std::int64_t>(memory.totalPhysical - memory.availablePhysical);
    ui_->phyused_lbl->setText(platform::toQt(TS("Used :") + " " + sizes_.FormatSize(used)));

    // Without the firmware's figure the total physical memory stands in for it.
    const std::uint64_t installed =
        platform_.memory->installedKilobytes().value_or(memory.totalPhysical / 1024);
    ui_->phytot_lbl->setText(platform::toQt(
        TS("Total :") + " " + sizes_.FormatSize(static_cast<std::int64_t>(installed * 1024))));
}

} // namespace dm
