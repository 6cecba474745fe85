// A shell for tests: records what would be opened.
#pragma once

#include "platform/desktop/Shell.h"

#include <vector>

namespace dm::platform {

// A shell for tests: records what would be opened.
class FakeShell : public Shell {
public:
    struct Opened {
        std::string file;
        std::string parameters;
        ShellOptions options;
    };

    void open(const std::string& file, const std::string& parameters,
              const ShellOptions& options) override {
        opened.push_back({file, parameters, options});
    }

    std::vector<Opened> opened;
};

} // namespace dm::platform
