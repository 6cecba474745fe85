// The about box: banner, name and version of the program, and the links to the maker.
#include "app/AboutDlg.h"

#include "app/GroupTitleStyle.h"
#include "framework/FileVersionText.h"
#include "localisation/TextStorage.h"
#include "platform/Platform.h"
#include "platform/desktop/Shell.h"
#include "platform/qt/QtText.h"
#include "platform/qt/ScreenPlacement.h"
#include "ui_AboutDlg.h"

#include "update/net/MakerServer.h"
#include <QShowEvent>

namespace dm {

AboutDlg::AboutDlg(const platform::Platform& platform, std::string exeName, std::string title,
                   QWidget* mainForm)
    : QDialog(mainForm, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(platform), exeName_(std::move(exeName)), title_(std::move(title)),
      ui_(std::make_unique<Ui::AboutDlg>()), TS_about_(new TextStorage(this)) {
    ui_->setupUi(this);
    if (mainForm)
        setFont(mainForm->font());
    setFixedSize(389, 285);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/dimmetric.png")));
    putGroupTitlesOnFrames(this);
    TS_about_->setObjectName("TS_about");
    TS_about_->setItems({"About", "Application Name :", "Version :"});
    TS_about_->Loaded();

    connect(ui_->ok_btn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->email_btn, &QPushButton::clicked, this, &AboutDlg::email_btnClick);
    connect(ui_->web_btn, &QPushButton::clicked, this, &AboutDlg::web_btnClick);
    connect(ui_->forum_btn, &QPushButton::clicked, this, &AboutDlg::forum_btnClick);
}

AboutDlg::~AboutDlg() = default;

void AboutDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        platform::keepOnScreen(*this);
}

std::string AboutDlg::TS(const std::string& english) const {
    return platform::fromQt(TS_about_->Translate(platform::toQt(english)));
}

void AboutDlg::UpdateTexts() {
    setWindowTitle(platform::toQt(TS("About") + " " + title_));
    ui_->appname_lbl->setText(platform::toQt(TS("Application Name :") + " " + title_));
    ui_->version_lbl->setText(
        platform::toQt(TS("Version :") + " " + GetFileVersionText(platform_.versions, exeName_)));
}

bool AboutDlg::Execute() {
    UpdateTexts();
    if (const QWidget* main = parentWidget())
        move(main->frameGeometry().center() - rect().center());
    return exec() == QDialog::Accepted;
}

void AboutDlg::openLink(const std::string& address) {
    platform_.shell.open(address, "", {this, false, false});
}

void AboutDlg::email_btnClick() {
    openLink("mailto:" + update::makerEmailAddress());
}

void AboutDlg::web_btnClick() {
    openLink(update::makerServerUrl("/"));
}

void AboutDlg::forum_btnClick() {
    openLink(update::makerServerUrl("/forum"));
}

} // namespace dm
