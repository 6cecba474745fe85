// A child process for tests of what other processes do to shared files.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace dm::platform {

// A child process for tests of what other processes do to shared files: a copy of this process
// that runs body and ends with exit code 0 when body returns. Reaped (killed first if still
// running) at the end of the object's life.
class ChildProcess {
public:
    explicit ChildProcess(const std::function<void()>& body);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    // Ends the child at once (SIGKILL).
    void kill();
    // Waits for the child's end: its exit code, nullopt when it was killed or never started.
    std::optional<int> wait();
    // Ends the calling child with code, running no destructors or exit handlers.
    [[noreturn]] static void exitChild(int code);

private:
    int pid_ = -1;
};

// A one-shot signal from a child to its parent (a pipe): made before the child starts.
class ReadySignal {
public:
    ReadySignal();
    ~ReadySignal();
    ReadySignal(const ReadySignal&) = delete;
    ReadySignal& operator=(const ReadySignal&) = delete;

    // In the child: tells the parent. False when the parent can no longer hear it.
    bool signal();
    // In the parent, after the child started: waits for the child's signal; false when the child
    // ended without one.
    bool waitForSignal();

private:
    int read_ = -1;
    int write_ = -1;
};

// Makes a named pipe (FIFO) at path: something that is not a regular file and blocks a reader.
bool makeFifo(const std::string& path);

} // namespace dm::platform
