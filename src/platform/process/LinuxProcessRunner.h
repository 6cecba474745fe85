// Runs programs on Linux in a process group of their own, killed when time runs out.
#pragma once

#include "platform/process/ProcessRunner.h"

#include <chrono>

namespace dm::platform {

// Runs programs on Linux: spawned in a process group of their own, standard input and standard
// error on /dev/null, and the whole group killed when the time limit passes.
class LinuxProcessRunner : public ProcessRunner {
public:
    explicit LinuxProcessRunner(std::chrono::milliseconds timeLimit = std::chrono::seconds(5))
        : timeLimit_(timeLimit) {}

    std::optional<std::string> run(const std::string& program,
                                   const std::vector<std::string>& arguments) override;

private:
    std::chrono::milliseconds timeLimit_;
};

} // namespace dm::platform
