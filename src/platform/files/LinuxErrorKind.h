// The kind of failure an errno value tells: not found, refused or failed.
#pragma once

#include "platform/Result.h"

#include <cerrno>

namespace dm::platform {

// The kind of failure an errno value tells. ELOOP is a link refused only for a call made not to
// follow links (noFollow); otherwise it is a chain of links that does not end.
inline ErrorKind errorKindOf(int error, bool noFollow = false) {
    switch (error) {
    case ENOENT:
        return ErrorKind::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorKind::Refused;
    case ELOOP:
        return noFollow ? ErrorKind::Refused : ErrorKind::Failed;
    default:
        return ErrorKind::Failed;
    }
}

} // namespace dm::platform
