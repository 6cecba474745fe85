// The error of a registry value that cannot be read or written as asked.
#pragma once

#include "platform/Error.h"

namespace dm {

// A registry value that cannot be read or written as asked: a value of the wrong type, or a
// write that fails.
class RegistryError : public Error {
public:
    using Error::Error;
};

} // namespace dm
