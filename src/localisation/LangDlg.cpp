// The language dialog: one chooser bound to the main window's language list.
#include "localisation/LangDlg.h"

#include "localisation/LanguageChoice.h"
#include "platform/qt/ScreenPlacement.h"
#include "ui_LangDlg.h"

#include <QShowEvent>

namespace dm {

LangDlg::LangDlg(LangList* languageList, QWidget* mainForm)
    : QDialog(mainForm, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::LangDlg>()) {
    ui_->setupUi(this);
    if (mainForm)
        setFont(mainForm->font());
    setFixedSize(316, 388);
    ui_->LanguageChoice1->SetLanguageList(languageList);
}

LangDlg::~LangDlg() = default;

void LangDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        platform::keepOnScreen(*this);
}

bool LangDlg::Execute() {
    if (const QWidget* main = parentWidget())
        move(main->frameGeometry().center() - rect().center());
    return exec() == QDialog::Accepted;
}

LanguageChoice* LangDlg::LanguageChoice1() const {
    return ui_->LanguageChoice1;
}

} // namespace dm
