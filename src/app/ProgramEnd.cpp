// The program's orderly end on SIGTERM, SIGHUP, SIGINT or the end of the desktop session.
#include "app/ProgramEnd.h"

#include "platform/system/EndSignals.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>

namespace dm {

ProgramEnd::ProgramEnd(platform::EndSignals* endSignals, std::function<void()> end, QObject* parent)
    : QObject(parent), signals_(endSignals), end_(std::move(end)) {
    if (signals_) {
        notifier_ = new QSocketNotifier(static_cast<qintptr>(signals_->readDescriptor()),
                                        QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            if (signals_->take())
                request();
        });
    }
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this, &ProgramEnd::request);
        connect(application, &QGuiApplication::saveStateRequest, this, &ProgramEnd::request);
    }
}

ProgramEnd::~ProgramEnd() = default;

void ProgramEnd::request() {
    if (requested_)
        return;
    requested_ = true;
    endWhenNoDialogIsOpen();
}

void ProgramEnd::endWhenNoDialogIsOpen() {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        // Closing answers it as Escape would; a dialog that refuses is hidden, which ends its
        // event loop too. The end is posted, so it runs after that loop has returned.
        if (!dialog->close())
            dialog->hide();
        QMetaObject::invokeMethod(this, &ProgramEnd::endWhenNoDialogIsOpen, Qt::QueuedConnection);
        return;
    }
    end_();
}

} // namespace dm
