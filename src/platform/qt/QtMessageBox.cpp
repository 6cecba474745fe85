// Message boxes as QMessageBox dialogs: buttons, icons and answers mapped from the flags.
#include "platform/qt/QtMessageBox.h"

#include "platform/qt/QtText.h"
#include "platform/qt/ScreenPlacement.h"

#include <QMessageBox>
#include <QShowEvent>
#include <QWidget>

namespace dm::platform {

namespace {

// A message box that stays on the screen: centred on its owner as Qt places it, then kept on the
// screen's free area.
class OnScreenMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        if (!event->spontaneous())
            keepOnScreen(*this);
    }
};

QMessageBox::StandardButtons buttonsOf(std::uint32_t flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon iconOf(std::uint32_t flags) {
    switch (flags & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int resultOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

} // namespace

int QtMessageBox::show(WindowHandle owner, const std::string& text, const std::string& caption,
                       std::uint32_t flags) {
    OnScreenMessageBox box(iconOf(flags), toQt(caption), toQt(text), buttonsOf(flags),
                           static_cast<QWidget*>(owner));
    return resultOf(box.exec());
}

} // namespace dm::platform
