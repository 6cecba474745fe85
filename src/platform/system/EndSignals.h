// The signals that ask the program to end (SIGTERM, SIGHUP, SIGINT), caught into a pipe.
#pragma once

#include "platform/Result.h"
#include "platform/files/UniqueFd.h"

#include <memory>

namespace dm::platform {

// The signals that ask a program to end: SIGTERM (a session's end, kill, a service manager),
// SIGHUP (its terminal went away) and SIGINT (Ctrl+C). While an object of this class lives they
// no longer end the process: their handler only writes a byte to a pipe, and the program's event
// loop, watching readDescriptor(), ends the program in order. One may live at a time.
class EndSignals {
public:
    // Catches the three signals; a failure says why and leaves their handling as it was.
    static Result<std::unique_ptr<EndSignals>> catchSignals();

    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;
    // Gives the three signals their earlier handling back.
    ~EndSignals();

    // Readable when one of the signals arrived since the last take().
    int readDescriptor() const { return read_.get(); }
    // Empties the pipe; true when at least one signal had arrived.
    bool take();

private:
    EndSignals(UniqueFd read, UniqueFd write) : read_(std::move(read)), write_(std::move(write)) {}

    UniqueFd read_;
    UniqueFd write_;
};

} // namespace dm::platform
