// The main window's slot scan: reads the memory modules and fills the four slot groups.
#include "app/MainDlg.h"

#include "app/ModuleRows.h"
#include "app/PictureButton.h"
#include "app/ScanTotals.h"
#include "framework/RunLog.h"
#include "framework/TextUtils.h"
#include "inventory/Win32_PhysicalMemory.h"
#include "inventory/Win32_PhysicalMemoryArray.h"
#include "inventory/WmiConnection.h"
#include "platform/Platform.h"
#include "platform/Result.h"
#include "platform/desktop/Shell.h"
#include "platform/qt/QtText.h"
#include "ui_MainDlg.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QTreeWidget>

#include <exception>
#include <string>

#ifndef DIMMETRIC_SEARCH_HOST
#error "DIMMETRIC_SEARCH_HOST must name the web search engine's host"
#endif

namespace dm {

namespace {

ModuleFacts factsOf(const Win32_PhysicalMemory& module) {
    return {module.DeviceLocator, module.Manufacturer, module.PartNumber, module.SerialNumber,
            module.Capacity,      module.MemoryType,   module.Speed};
}

// Connects unless connected; or why the connection failed.
platform::Status connectOnce(WmiConnection& connection) {
    try {
        connection.Connect(false);
    } catch (const std::exception& error) {
        return platform::Failure{error.what()};
    }
    return {};
}

void fillList(QTreeWidget& list, const std::vector<SlotRow>& rows, const std::string& parameter,
              const std::string& value) {
    list.clear();
    list.setHeaderLabels({platform::toQt(parameter), platform::toQt(value)});
    for (const SlotRow& row : rows)
        list.addTopLevelItem(new QTreeWidgetItem(
            QStringList{platform::toQt(row.Caption), platform::toQt(row.Value)}));
}

} // namespace

bool MainDlg::HasModel(const QTreeWidget& list) {
    if (list.topLevelItemCount() < 4 || list.columnCount() < 2)
        return false;
    return !trimText(platform::fromQt(list.topLevelItem(3)->text(1))).empty();
}

void MainDlg::AutoSizeColumns(QTreeWidget& list) {
    for (int column = 0; column < list.columnCount(); ++column)
        list.resizeColumnToContents(column);
}

void MainDlg::ScanSlots() {
    // Both inventories read through one connection, so that a scan reads the memory tables once;
    // when it cannot be made, the log says why.
    WmiConnection wmi(platform_.wmi, "root\\CIMV2");
    const platform::Status connected = connectOnce(wmi);
    Win32_PhysicalMemory modules(wmi, true);
    Win32_PhysicalMemoryArray arrays(wmi, true);
    ScanTotals totals;

    logInfo("Scanning memory banks...");
    if (!connected)
        logInfo(connected.error());
    for (int row = 0; row < arrays.GetCount(); ++row) {
        arrays.SetCollectionIndex(row);
        totals.addArray(arrays.MaxCapacity, arrays.MaxCapacityEx, arrays.MemoryDevices);
    }
    const std::int64_t slotCount = totals.slotCount();
    const std::int64_t maximumGb = totals.maximumGb();
    ui_->slots_lbl->setText(
        platform::toQt(TS("Number of slots :") + " " + std::to_string(slotCount)));
    ui_->maxmem_lbl->setText(
        platform::toQt(TS("Maximum memory :") + " " + std::to_string(maximumGb) + " " + TS("GB")));
    for (int slot = 1; slot <= 4; ++slot)
        slotControls(slot).group->setEnabled(slotCount >= slot);
    if (slotCount < 3)
        narrowToFirstColumn();

    const int moduleCount = modules.GetCount();
    const Translator ts = [this](const std::string& english) { return TS(english); };
    for (int row = 0; row < moduleCount; ++row) {
        modules.SetCollectionIndex(row);
        totals.addModule(modules.Capacity);
        if (row > 3)
            continue;
        logInfo("Scanning slot #" + std::to_string(row));
        QTreeWidget& list = *slotControls(row + 1).list;
        const ModuleReport report = describeModule(row, factsOf(modules), ts);
        fillList(list, report.Rows, TS("Parameter"), TS("Value"));
        for (const std::string& line : report.LogLines)
            logInfo(line);
        AutoSizeColumns(list);
    }
    for (int index = std::max(moduleCount, 0); index <= 3; ++index)
        slotControls(index + 1).list->hide();

    for (int slot = 1; slot <= 4; ++slot) {
        const SlotControls& controls = slotControls(slot);
        const QTreeWidget& list = *controls.list;
        const bool groupEnabled = controls.group->isEnabled();
        controls.emptySlot->setHidden(!(list.isHidden() && groupEnabled));
        controls.getSpec->setHidden(!(controls.emptySlot->isHidden() && !list.isHidden()));
        controls.getSpec->setEnabled(HasModel(list));
    }

    const std::int64_t installedGb = totals.installedGb();
    ui_->curmem_lbl->setText(platform::toQt(TS("Current memory :") + " " +
                                            std::to_string(installedGb) + " " + TS("GB")));
    ui_->maxmem_lbl->setHidden(installedGb > maximumGb);
}

void MainDlg::narrowToFirstColumn() {
    // The outer width: the frame's share stays as the window system draws it.
    const int frame = frameGeometry().width() - geometry().width();
    const int outer = ui_->general_grp->x() + ui_->slot1_grp->x() + ui_->slot1_grp->width() + 16;
    if (outer - frame < width())
        setFixedWidth(outer - frame);
}

void MainDlg::getSpecClick(int slot) {
    const QTreeWidget& list = *slotControls(slot).list;
    const auto value = [&](int row) {
        return row < list.topLevelItemCount() ? platform::fromQt(list.topLevelItem(row)->text(1))
                                              : std::string();
    };
    const std::string address = specificationAddress(DIMMETRIC_SEARCH_HOST, value(2), value(3));
    platform_.shell.open(address, "", {nullptr, true, false});
}

void MainDlg::logInfo(const std::string& message) {
    addToLog(log_.get(), message, llInfo);
}

} // namespace dm
