// Makes the program's three forms: the main window, the about box and the language dialog.
#include "app/ProgramForms.h"

#include "app/AboutDlg.h"
#include "localisation/LangDlg.h"
#include "localisation/LanguageChoice.h"

namespace dm {

ProgramForms::ProgramForms(const platform::Platform& platform, ProgramStart start)
    : main_(std::make_unique<MainDlg>(platform, start)),
      about_(new AboutDlg(platform, start.ExeName, MainDlg::kTitle, main_.get())),
      language_(new LangDlg(main_->lng(), main_.get())) {
    MainDlg* window = main_.get();
    language_->LanguageChoice1()->OnError = [window](const std::exception& error) {
        window->reportError(error.what());
    };
    main_->setDialogs(about_, language_);
}

// The dialogs go with the main window that owns them.
ProgramForms::~ProgramForms() = default;

} // namespace dm
