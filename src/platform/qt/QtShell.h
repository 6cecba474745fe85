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

// "%NAME%" replaced by the environment variable NAME where it is set; other text unchanged.
std::string ExpandEnvironmentText(const std::string& text);

} // namespace dm::platform
