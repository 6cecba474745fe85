// The about box: the program's banner, name and version, and links to the maker.
#pragma once

#include "platform/Platform.h"

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class AboutDlg;
}

namespace dm {

class TextStorage;

// The about box: the program's banner, name and version, and three links to the maker (e-mail,
// web site, forum). Made hidden at start-up; its texts are filled at every showing, so that they
// follow the current language.
class AboutDlg : public QDialog {
    Q_OBJECT

public:
    // exeName: the executable whose version the box shows; title: the application title it
    // names. mainForm owns the box, lends it its font and is where the box is centred.
    AboutDlg(const platform::Platform& platform, std::string exeName, std::string title,
             QWidget* mainForm);
    ~AboutDlg() override;

    // Fills the texts and shows the box modally; true when it closed with Ok.
    bool Execute();
    // The caption and the name and version labels, in the current language.
    void UpdateTexts();

    void email_btnClick();
    void web_btnClick();
    void forum_btnClick();

    TextStorage* TS_about() const { return TS_about_; }

protected:
    // Kept on the screen's free area wherever it is put.
    void showEvent(QShowEvent* event) override;

private:
    std::string TS(const std::string& english) const;
    void openLink(const std::string& address);

    const platform::Platform platform_;
    std::string exeName_;
    std::string title_;
    std::unique_ptr<Ui::AboutDlg> ui_;
    TextStorage* TS_about_;
};

} // namespace dm
