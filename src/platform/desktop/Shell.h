// The shell that opens a document, a web address or a program, detached.
#pragma once

#include "platform/desktop/WindowHandle.h"

#include <string>

namespace dm::platform {

struct ShellOptions {
    WindowHandle owner = nullptr;   // the window that owns the shell's messages, if any
    bool noErrorUi = false;         // SEE_MASK_FLAG_NO_UI: the shell shows no error message
    bool expandEnvironment = false; // SEE_MASK_DOENVSUBST: "%NAME%" in the file is expanded
};

// ShellExecute with the default verb: opens a document, a web address or a program, detached.
// Whether it worked is not reported: callers never look at it.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const std::string& file, const std::string& parameters,
                      const ShellOptions& options) = 0;
};

} // namespace dm::platform
