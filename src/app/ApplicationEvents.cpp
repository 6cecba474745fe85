// The application's events: OnActivate run when the application becomes the active one.
#include "app/ApplicationEvents.h"

#include <QGuiApplication>

namespace dm {

void ApplicationEvents::Loaded() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (hooked_ || !app)
        return;
    hooked_ = true;
    connect(app, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive || !OnActivate)
                    return;
                // A copy: the handler may remove itself.
                const auto handler = OnActivate;
                handler();
            });
}

} // namespace dm
