#include "packaging/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

extern char** environ;

namespace PackagingTest {

namespace {
using Clock = std::chrono::steady_clock;

int StatusOf(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

Clock::time_point After(double seconds) {
    return Clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000.0));
}

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const std::string& added : extra) {
            replaced = replaced || added.compare(0, name.size() + 1, name + "=") == 0;
        }
        if (!replaced) {
            merged.push_back(text);
        }
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}
}  // namespace

CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        result.output.append(buffer, n);
    }
    result.status = StatusOf(pclose(pipe));
    return result;
}

bool HaveCommand(const std::string& name) {
    return RunCommand("command -v " + ShellQuote(name)).status == 0;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

WatchedChild::WatchedChild(const std::vector<std::string>& argv,
                           const std::string& workingDirectory,
                           const std::vector<std::string>& env) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return;
    }
    // The shell changes directory and then execs, so the pid stays the program's own.
    std::vector<std::string> args = {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\"", workingDirectory};
    args.insert(args.end(), argv.begin(), argv.end());
    std::vector<std::string> environment = MergedEnvironment(env);
    std::vector<char*> argPointers = Pointers(args);
    std::vector<char*> envPointers = Pointers(environment);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, "/bin/sh", &actions, nullptr, argPointers.data(), envPointers.data()) ==
        0) {
        pid_ = pid;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    pipe_ = fds[0];
}

WatchedChild::~WatchedChild() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (pipe_ >= 0) {
        close(pipe_);
    }
}

bool WatchedChild::ReadSome(int milliseconds) {
    pollfd watched = {pipe_, POLLIN, 0};
    if (poll(&watched, 1, milliseconds) <= 0) {
        return true;
    }
    char buffer[4096];
    const ssize_t n = read(pipe_, buffer, sizeof buffer);
    if (n <= 0) {
        return false;
    }
    output_.append(buffer, static_cast<std::size_t>(n));
    return true;
}

bool WatchedChild::WaitForOutput(const std::string& text, double seconds) {
    const Clock::time_point deadline = After(seconds);
    while (output_.find(text) == std::string::npos) {
        const int left = MillisecondsLeft(deadline);
        if (left == 0 || !ReadSome(left)) {
            return output_.find(text) != std::string::npos;
        }
    }
    return true;
}

void WatchedChild::Signal(int signal) {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

int WatchedChild::Finish(double seconds) {
    const Clock::time_point deadline = After(seconds);
    while (MillisecondsLeft(deadline) > 0 && ReadSome(MillisecondsLeft(deadline))) {
    }
    if (pid_ <= 0) {
        return -1;
    }
    int raw = 0;
    pid_t reaped = waitpid(pid_, &raw, WNOHANG);
    // The output can close a moment before the child is gone.
    while (reaped == 0 && MillisecondsLeft(deadline) > 0) {
        usleep(20 * 1000);
        reaped = waitpid(pid_, &raw, WNOHANG);
    }
    if (reaped == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &raw, 0);
        pid_ = -1;
        return -1;
    }
    pid_ = -1;
    return reaped < 0 ? -1 : StatusOf(raw);
}

}  // namespace PackagingTest
