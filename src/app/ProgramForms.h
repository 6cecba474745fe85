// The program's three forms: the main window, the about box and the language dialog.
#pragma once

#include "app/MainDlg.h"

#include <memory>

namespace dm {

class AboutDlg;
class LangDlg;

// The program's three forms, made as the main block makes them: the main window first (so that
// it is the main form), then the about box and the language dialog, both hidden and owned by the
// main window. The language dialog's chooser binds the main window's language list at once.
class ProgramForms {
public:
    ProgramForms(const platform::Platform& platform, ProgramStart start);
    ~ProgramForms();
    ProgramForms(const ProgramForms&) = delete;
    ProgramForms& operator=(const ProgramForms&) = delete;

    MainDlg& mainWindow() const { return *main_; }
    AboutDlg& aboutBox() const { return *about_; }
    LangDlg& languageDialog() const { return *language_; }

private:
    std::unique_ptr<MainDlg> main_;
    AboutDlg* about_;
    LangDlg* language_;
};

} // namespace dm
