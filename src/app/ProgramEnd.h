// Ends the program as File -> Quit does when asked from outside (signals, session end).
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace dm {

namespace platform {
class EndSignals;
}

// Ends the program the way File -> Quit does when it is asked to from outside: on SIGTERM, SIGHUP
// or SIGINT (their pipe read in the event loop, never in the signal handler) and when the desktop
// session ends (the session manager's commit data or save state request). The end runs once,
// from the event loop; a modal dialog open at that moment is closed first (as Escape would), and
// the end follows once its own event loop has returned, so the code that opened the dialog never
// goes on over a closed window.
class ProgramEnd : public QObject {
    Q_OBJECT

public:
    // endSignals may be null (they could not be caught): the session's end still ends the program.
    // end: what File -> Quit does.
    ProgramEnd(platform::EndSignals* endSignals, std::function<void()> end,
               QObject* parent = nullptr);
    ~ProgramEnd() override;

    // Asks for the end; only the first request counts.
    void request();

private:
    void endWhenNoDialogIsOpen();

    platform::EndSignals* signals_;
    std::function<void()> end_;
    QSocketNotifier* notifier_ = nullptr;
    bool requested_ = false;
};

} // namespace dm
