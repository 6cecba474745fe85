#pragma once

#include <QObject>

#include <functional>

namespace dm {

// The application's events as a component: OnActivate runs whenever the application becomes the
// active one (one of its windows gets the focus).
class ApplicationEvents : public QObject {
    Q_OBJECT

public:
    explicit ApplicationEvents(QObject* owner = nullptr);

    std::function<void()> OnActivate;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace dm
