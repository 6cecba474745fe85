// The main window's export of the slot lists as text or spreadsheet file.
#include "app/ExportFile.h"
#include "app/MainDlg.h"
#include "framework/DataFolder.h"
#include "platform/Platform.h"
#include "platform/desktop/Shell.h"
#include "platform/files/FileSystem.h"
#include "platform/qt/QtText.h"

#include <QTreeWidget>

namespace dm {

namespace {

ExportSection sectionOf(int slot, const QTreeWidget& list) {
    ExportSection section{slot, {}};
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list.topLevelItem(row);
        std::vector<std::string> columns;
        for (int column = 0; column < list.columnCount(); ++column)
            columns.push_back(platform::fromQt(item->text(column)));
        section.Rows.push_back(std::move(columns));
    }
    return section;
}

} // namespace

void MainDlg::ExportSlots(const std::string& separator, const std::string& extension) {
    std::vector<ExportSection> sections;
    for (int slot = 1; slot <= 4; ++slot)
        if (const QTreeWidget& list = *slotControls(slot).list; !list.isHidden())
            sections.push_back(sectionOf(slot, list));

    const std::string file =
        GetProductDataFolder(platform_.fileSystem, start_.ExeName, kTitle) + "export." + extension;
    const ExportQuoting quoting =
        extension == "csv" ? ExportQuoting::Spreadsheet : ExportQuoting::None;
    if (!platform_.fileSystem.writeFileInFolder(file, formatExport(sections, separator, quoting))) {
        reportError("Cannot create file \"" + file + "\"");
        return;
    }
    platform_.shell.open(file, "", {nullptr, true, false});
}

void MainDlg::ext1Click() {
    ExportSlots("\t", "txt");
}

void MainDlg::Spreadsheet1Click() {
    ExportSlots(";", "csv");
}

} // namespace dm
