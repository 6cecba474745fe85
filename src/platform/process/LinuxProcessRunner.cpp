// Runs programs on Linux with posix_spawn, their output captured, within a time limit.
#include "platform/process/LinuxProcessRunner.h"

#include "platform/RetryAfterSignal.h"
#include "platform/files/UniqueFd.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace dm::platform {
namespace {

using Clock = std::chrono::steady_clock;

// Frees the spawn attributes and file actions at the end of the scope.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

int millisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits for the child until the deadline, then kills its group: whatever the child left running
// in it (a process it started and did not wait for), or the whole group when the child has not
// ended by then. True when the child ended by itself.
bool reap(pid_t pid, Clock::time_point deadline) {
    bool ended = false;
    for (;;) {
        siginfo_t info{};
        // WNOWAIT leaves an ended child unreaped, so that its id still names its group below.
        const int done = retryAfterSignal(::waitid, P_PID, static_cast<id_t>(pid), &info,
                                          WEXITED | WNOHANG | WNOWAIT);
        if (done == 0 && info.si_pid == pid) {
            ended = true;
            break;
        }
        // Reaped elsewhere: its id may already name another process, so nothing is killed.
        if (done < 0)
            return true;
        if (Clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::kill(-pid, SIGKILL);
    (void)retryAfterSignal(::waitpid, pid, nullptr, 0);
    return ended;
}

} // namespace

std::optional<std::string> LinuxProcessRunner::run(const std::string& program,
                                                   const std::vector<std::string>& arguments) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return std::nullopt;
    UniqueFd readEnd(ends[0]);
    UniqueFd writeEnd(ends[1]);

    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, writeEnd.get(), 1);
    posix_spawn_file_actions_addopen(&setup.actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&setup.attributes, 0);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(),
                      environ) != 0)
        return std::nullopt;
    writeEnd.close();

    const Clock::time_point deadline = Clock::now() + timeLimit_;
    std::string output;
    char buffer[4096];
    for (;;) {
        pollfd waiting{readEnd.get(), POLLIN, 0};
        const int ready = retryAfterSignal(::poll, &waiting, 1, millisecondsLeft(deadline));
        if (ready <= 0) {
            reap(pid, Clock::now()); // out of time: killed, no output
            return std::nullopt;
        }
        const ssize_t got = retryAfterSignal(::read, readEnd.get(), buffer, sizeof buffer);
        if (got <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(got));
        if (output.size() >= kMaxOutput) {
            output.resize(kMaxOutput);
            reap(pid, Clock::now()); // enough read: the rest is not waited for
            return output;
        }
    }
    if (!reap(pid, deadline))
        return std::nullopt;
    return output;
}

} // namespace dm::platform
