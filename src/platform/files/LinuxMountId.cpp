// The mount id of an entry, asked of the kernel through statx.
#include "platform/files/LinuxMountId.h"

// The kernel's statx structure, which names the mount id; the C library's own (in sys/stat.h,
// so not included here) leaves that field unnamed.
#include <fcntl.h>
#include <linux/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace dm::platform {

std::optional<std::uint64_t> mountIdAt(int dirFd, const std::string& path) {
    struct statx described {};
    if (::syscall(SYS_statx, dirFd, path.c_str(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                  STATX_MNT_ID, &described) != 0 ||
        !(described.stx_mask & STATX_MNT_ID))
        return std::nullopt;
    return described.stx_mnt_id;
}

} // namespace dm::platform
