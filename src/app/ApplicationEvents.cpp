#include "app/ApplicationEvents.h"

#include <QCoreApplication>
#include <QEvent>

namespace dm {

ApplicationEvents::ApplicationEvents(QObject* owner) : QObject(owner) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool ApplicationEvents::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationActivate &&
        OnActivate) {
        // A copy: the handler may remove itself.
        const auto handler = OnActivate;
        handler();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dm
