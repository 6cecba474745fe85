// The application's events as a component: OnActivate, run when the application gets focus.
#pragma once

#include <QObject>

#include <functional>

namespace dm {

// The application's events as a component: OnActivate runs whenever the application becomes the
// active one (one of its windows gets the focus).
class ApplicationEvents : public QObject {
    Q_OBJECT

public:
    explicit ApplicationEvents(QObject* owner = nullptr) : QObject(owner) {}

    // Starts listening. Handlers hooked to the activation earlier run before this one.
    void Loaded();

    std::function<void()> OnActivate;

private:
    bool hooked_ = false;
};

} // namespace dm
