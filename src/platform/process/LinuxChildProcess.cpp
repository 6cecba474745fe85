// A forked child process for tests: started, killed, waited for, ended without clean-up.
#include "platform/process/ChildProcess.h"

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dm::platform {

ChildProcess::ChildProcess(const std::function<void()>& body) : pid_(::fork()) {
    if (pid_ == 0) {
        body();
        exitChild(0);
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill();
        wait();
    }
}

void ChildProcess::kill() {
    if (pid_ > 0)
        ::kill(pid_, SIGKILL);
}

std::optional<int> ChildProcess::wait() {
    if (pid_ <= 0)
        return std::nullopt;
    int status = 0;
    const bool reaped = ::waitpid(pid_, &status, 0) == pid_;
    pid_ = -1;
    if (!reaped || !WIFEXITED(status))
        return std::nullopt;
    return WEXITSTATUS(status);
}

void ChildProcess::exitChild(int code) {
    ::_exit(code);
}

ReadySignal::ReadySignal() {
    int ends[2];
    if (::pipe(ends) == 0) {
        read_ = ends[0];
        write_ = ends[1];
    }
}

ReadySignal::~ReadySignal() {
    if (read_ >= 0)
        ::close(read_);
    if (write_ >= 0)
        ::close(write_);
}

bool ReadySignal::signal() {
    return write_ >= 0 && ::write(write_, "!", 1) == 1;
}

bool ReadySignal::waitForSignal() {
    if (write_ >= 0) {
        ::close(write_);
        write_ = -1;
    }
    char byte = 0;
    return read_ >= 0 && ::read(read_, &byte, 1) == 1;
}

bool makeFifo(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

} // namespace dm::platform
