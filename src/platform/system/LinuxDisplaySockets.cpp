#include "platform/system/DisplaySockets.h"

#include "platform/files/UniqueFd.h"

#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>

namespace dm::platform {

namespace {

// Connects to a Unix socket (abstract when the name starts with a NUL byte) and closes it again.
bool connects(const std::string& address) {
    sockaddr_un peer{};
    peer.sun_family = AF_UNIX;
    if (address.empty() || address.size() >= sizeof peer.sun_path)
        return false;
    std::memcpy(peer.sun_path, address.data(), address.size());
    const UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd.get() < 0)
        return false;
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + address.size());
    return ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&peer), length) == 0;
}

} // namespace

bool x11DisplayAnswers(const std::string& display) {
    const auto colon = display.rfind(':');
    if (colon == std::string::npos)
        return false;
    const std::string host = display.substr(0, colon);
    if (!host.empty() && host != "unix")
        return true;
    std::string number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const std::string path = "/tmp/.X11-unix/X" + number;
    return connects(path) || connects(std::string(1, '\0') + path);
}

bool waylandDisplayAnswers(const std::string& name, const std::string& runtimeDir) {
    if (name.empty())
        return false;
    if (name.front() == '/')
        return connects(name);
    return !runtimeDir.empty() && connects(runtimeDir + "/" + name);
}

} // namespace dm::platform
