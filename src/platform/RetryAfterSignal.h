// The one retry loop around system calls that a signal may interrupt (EINTR).
#pragma once

#include <cerrno>
#include <utility>

namespace dm::platform {

// Calls fn(args...) again for as long as it fails with -1 and errno EINTR (a signal arrived
// before it did anything), and gives its last result: the one loop around every system call that
// a signal may interrupt.
template <typename Fn, typename... Args>
auto retryAfterSignal(const Fn& fn, Args&&... args) -> decltype(fn(args...)) {
    decltype(fn(args...)) result;
    do {
        errno = 0;
        result = fn(args...);
    } while (result == -1 && errno == EINTR);
    return result;
}

} // namespace dm::platform
