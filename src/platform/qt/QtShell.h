// Opens a program, a file or a web address through the desktop.
#pragma once

#include "platform/desktop/Shell.h"

namespace dm::platform {

// Opens through the desktop: an executable file is started detached with the parameters; a web
// address or any other file goes to the desktop's default handler (xdg-open).
class QtShell : public Shell {
public:
    void open(const std::string& file, const std::string& parameters,
              const ShellOptions& options) override;
};

} // namespace dm::platform
