// Runs a program without a shell, for a bounded time, and captures its standard output.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace dm::platform {

// Runs a program and captures its standard output. The program is started directly with an
// argument vector (no shell, so nothing in a path or an argument is interpreted), its standard
// input is at its end from the start, and it runs for a bounded time only.
class ProcessRunner {
public:
    static constexpr std::size_t kMaxOutput = 64 * 1024;

    virtual ~ProcessRunner() = default;

    // The program's standard output, at most kMaxOutput bytes (a program that writes more is
    // stopped there). Nothing when the program cannot be started or does not end in time (it
    // is then killed).
    virtual std::optional<std::string> run(const std::string& program,
                                           const std::vector<std::string>& arguments) = 0;
};

} // namespace dm::platform
