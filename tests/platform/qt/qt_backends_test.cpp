// Tests of the Qt message box: its buttons, its icon and the answers it gives.
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtShell.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "qt_backends_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Shows a box and presses the button with the given text once it is up.
int pressOn(std::uint32_t flags, const QString& press, SeenBox& seen) {
    application();
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {box->windowTitle(), box->text(), box->icon(), {}};
        for (auto* button : box->buttons()) {
            seen.buttons << button->text();
            if (button->text().remove('&') == press)
                button->click();
        }
    });
    return QtMessageBox().show(nullptr, "Download the update?", "Question", flags);
}

TEST(QtMessageBox, ShowsTheButtonSetAndIconAndAnswersWindowsIdentifiers) {
    SeenBox seen;
    EXPECT_EQ(pressOn(MB_YESNO | MB_ICONQUESTION, "No", seen), IDNO);
    EXPECT_EQ(seen.title, "Question");
    EXPECT_EQ(seen.text, "Download the update?");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons.size(), 2);

    EXPECT_EQ(pressOn(MB_YESNO | MB_ICONQUESTION, "Yes", seen), IDYES);
    EXPECT_EQ(pressOn(MB_YESNOCANCEL | MB_ICONHAND, "Cancel", seen), IDCANCEL);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons.size(), 3);
    EXPECT_EQ(pressOn(MB_OKCANCEL | MB_ICONEXCLAMATION, "OK", seen), IDOK);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(pressOn(MB_OK, "OK", seen), IDOK);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons.size(), 1);
}

} // namespace
} // namespace dm::platform
