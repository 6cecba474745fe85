// The one base of what the program raises, and the error of a file that cannot be read.
#pragma once

#include <stdexcept>

namespace dm {

// The one base of what the program raises. Only a few failures are raised rather than returned:
// those that end a WMI call, a variant conversion, a record-file write, a language-file read, a
// registry value that cannot be read or written as asked, and a file that cannot be loaded.
// Everything else reports failure through its result (see docs/DESIGN-ERRORS.md).
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that exists but cannot be read where reading it is not optional.
class FileError : public Error {
public:
    using Error::Error;
};

} // namespace dm
