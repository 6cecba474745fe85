// The language dialog: one chooser bound to the main window's language list, no buttons.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class LangDlg;
}

namespace dm {

class LangList;
class LanguageChoice;

// The language dialog: one chooser bound to the main window's language list, no buttons. Made at
// start-up, so that its chooser joins the list's after-switch chain before the first activation.
class LangDlg : public QDialog {
    Q_OBJECT

public:
    // mainForm owns the dialog, lends it its font and is where the dialog is centred.
    LangDlg(LangList* languageList, QWidget* mainForm);
    ~LangDlg() override;

    // Shows the dialog modally; true when it closed with OK (its close box gives cancel).
    bool Execute();

    LanguageChoice* LanguageChoice1() const;

protected:
    // Kept on the screen's free area wherever it is put.
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::LangDlg> ui_;
};

} // namespace dm
