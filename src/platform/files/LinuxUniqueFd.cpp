// Closing an owned file descriptor.
#include "platform/files/UniqueFd.h"

#include <unistd.h>

namespace dm::platform {

UniqueFd::~UniqueFd() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool UniqueFd::close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
}

} // namespace dm::platform
