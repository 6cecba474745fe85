// The display probes on Linux: the X11 set-up over local or TCP sockets, the Wayland socket.
#include "platform/system/DisplaySockets.h"

#include "platform/RetryAfterSignal.h"
#include "platform/files/UniqueFd.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <memory>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

namespace dm::platform {

namespace {

using Clock = std::chrono::steady_clock;

// Waits until fd is ready for events, or an error or hang-up shows, before the deadline.
bool waitFor(int fd, short events, Clock::time_point deadline) {
    pollfd entry{fd, events, 0};
    // The time left is taken afresh at each try, so that a signal does not stretch the wait.
    const auto pollUntilDeadline = [&] {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        return left.count() <= 0 ? 0 : ::poll(&entry, 1, static_cast<int>(left.count()));
    };
    return retryAfterSignal(pollUntilDeadline) > 0;
}

// A stream socket connected to address before the deadline; -1 when it is not.
UniqueFd connectBefore(const sockaddr* address, socklen_t length, Clock::time_point deadline) {
    UniqueFd fd(::socket(address->sa_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (fd.get() < 0)
        return UniqueFd(-1);
    if (::connect(fd.get(), address, length) == 0)
        return fd;
    if (errno != EINPROGRESS || !waitFor(fd.get(), POLLOUT, deadline))
        return UniqueFd(-1);
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
        return UniqueFd(-1);
    return fd;
}

// Sends the X11 connection set-up (little-endian, protocol 11.0, no authorisation) and waits for
// the first byte of the reply: Failed (0), Success (1) or Authenticate (2). Any of them shows a
// server that answers; whether it lets this client in is the toolkit's business.
bool setUpAnswered(int fd, Clock::time_point deadline) {
    const unsigned char request[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::size_t sent = 0;
    while (sent < sizeof request) {
        const ssize_t done =
            retryAfterSignal(::send, fd, request + sent, sizeof request - sent, MSG_NOSIGNAL);
        if (done > 0) {
            sent += static_cast<std::size_t>(done);
            continue;
        }
        if (done < 0 && errno == EAGAIN && waitFor(fd, POLLOUT, deadline))
            continue;
        return false;
    }
    for (;;) {
        if (!waitFor(fd, POLLIN, deadline))
            return false;
        unsigned char status = 0;
        const ssize_t got = retryAfterSignal(::recv, fd, &status, 1, 0);
        if (got < 0 && errno == EAGAIN)
            continue;
        return got == 1 && status <= 2;
    }
}

// A Unix socket address (abstract when the name starts with a NUL byte).
bool unixAddress(const std::string& name, sockaddr_un& peer, socklen_t& length) {
    peer = {};
    peer.sun_family = AF_UNIX;
    if (name.empty() || name.size() >= sizeof peer.sun_path)
        return false;
    std::memcpy(peer.sun_path, name.data(), name.size());
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
    return true;
}

UniqueFd connectUnix(const std::string& name, Clock::time_point deadline) {
    sockaddr_un peer{};
    socklen_t length = 0;
    if (!unixAddress(name, peer, length))
        return UniqueFd(-1);
    return connectBefore(reinterpret_cast<const sockaddr*>(&peer), length, deadline);
}

bool localX11Answers(const std::string& number, Clock::time_point deadline) {
    const std::string path = "/tmp/.X11-unix/X" + number;
    for (const std::string& name : {path, std::string(1, '\0') + path}) {
        const UniqueFd fd = connectUnix(name, deadline);
        if (fd.get() >= 0)
            return setUpAnswered(fd.get(), deadline);
    }
    return false;
}

struct AddressListFree {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

bool tcpX11Answers(const std::string& host, int number, Clock::time_point deadline) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(6000 + number).c_str(), &hints, &found) != 0)
        return false;
    const std::unique_ptr<addrinfo, AddressListFree> list(found);
    for (const addrinfo* address = list.get(); address; address = address->ai_next) {
        const UniqueFd fd = connectBefore(address->ai_addr, address->ai_addrlen, deadline);
        if (fd.get() >= 0)
            return setUpAnswered(fd.get(), deadline);
    }
    return false;
}

} // namespace

bool x11DisplayAnswers(const std::string& display, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    const auto colon = display.rfind(':');
    if (colon == std::string::npos)
        return false;
    const std::string host = display.substr(0, colon);
    std::string number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (number.empty() || number.size() > 4 ||
        number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    if (host.empty() || host == "unix")
        return localX11Answers(number, deadline);
    return tcpX11Answers(host, std::stoi(number), deadline);
}

bool waylandDisplayAnswers(const std::string& name, const std::string& runtimeDir) {
    if (name.empty())
        return false;
    const auto deadline = Clock::now() + kDisplayProbeTimeout;
    if (name.front() == '/')
        return connectUnix(name, deadline).get() >= 0;
    return !runtimeDir.empty() && connectUnix(runtimeDir + "/" + name, deadline).get() >= 0;
}

} // namespace dm::platform
