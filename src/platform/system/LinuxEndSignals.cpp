// The end signals on Linux: a handler that only writes to a pipe, earlier handling restored.
#include "platform/system/EndSignals.h"

#include "platform/RetryAfterSignal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>

namespace dm::platform {

namespace {

constexpr std::array kEndSignals{SIGTERM, SIGHUP, SIGINT};

// What the handler writes to; -1 while no EndSignals lives. A signal handler can reach nothing
// else, so this and the handling it replaced are the only process-wide state here.
std::atomic<int> handlerPipe{-1};
std::array<struct sigaction, kEndSignals.size()> earlierActions{};

extern "C" void onEndSignal(int signal) {
    const int savedErrno = errno;
    const int fd = handlerPipe.load(std::memory_order_relaxed);
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(signal);
        // A full pipe already says that a signal arrived: the byte may be dropped.
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

void restoreEarlierActions(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        ::sigaction(kEndSignals[i], &earlierActions[i], nullptr);
}

} // namespace

Result<std::unique_ptr<EndSignals>> EndSignals::catchSignals() {
    if (handlerPipe.load() >= 0)
        return Failure::refused("the end signals are already caught");
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return Failure{std::string("cannot make a pipe for the end signals: ") +
                       std::strerror(errno)};
    std::unique_ptr<EndSignals> caught(new EndSignals(UniqueFd(ends[0]), UniqueFd(ends[1])));
    handlerPipe.store(caught->write_.get());

    struct sigaction action {};
    action.sa_handler = onEndSignal;
    // Interrupted calls go on: a write under way when a signal arrives is not cut short. The
    // handler is not entered again by another of the three while it runs.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : kEndSignals)
        sigaddset(&action.sa_mask, signal);
    for (std::size_t i = 0; i < kEndSignals.size(); ++i) {
        if (::sigaction(kEndSignals[i], &action, &earlierActions[i]) != 0) {
            const std::string why = std::strerror(errno);
            restoreEarlierActions(i);
            handlerPipe.store(-1);
            return Failure{"cannot catch the end signals: " + why};
        }
    }
    return caught;
}

EndSignals::~EndSignals() {
    restoreEarlierActions(kEndSignals.size());
    handlerPipe.store(-1);
}

bool EndSignals::take() {
    bool arrived = false;
    std::array<unsigned char, 64> bytes{};
    for (;;) {
        const ssize_t got = retryAfterSignal(::read, read_.get(), bytes.data(), bytes.size());
        if (got > 0) {
            arrived = true;
            continue;
        }
        return arrived;
    }
}

} // namespace dm::platform
