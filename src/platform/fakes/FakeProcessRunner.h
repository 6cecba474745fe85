// A process runner for tests: answers each program with a set output and records the calls.
#pragma once

#include "platform/process/ProcessRunner.h"

#include <map>

namespace dm::platform {

// A process runner for tests: answers each program with a set output and records the calls.
class FakeProcessRunner : public ProcessRunner {
public:
    struct Call {
        std::string program;
        std::vector<std::string> arguments;
    };

    std::optional<std::string> run(const std::string& program,
                                   const std::vector<std::string>& arguments) override {
        calls.push_back({program, arguments});
        const auto it = outputs.find(program);
        if (it == outputs.end())
            return std::nullopt;
        return it->second;
    }

    std::map<std::string, std::string> outputs; // a program not listed cannot be started
    std::vector<Call> calls;
};

} // namespace dm::platform
