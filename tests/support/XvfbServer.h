#pragma once
// A private X server (Xvfb) with one screen and no window manager, on a display number the
// server picks itself among the free ones. Stopped with the object.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace TestSupport {

class XvfbServer {
public:
    XvfbServer(int width, int height) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) {
            return;
        }
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        pid_ = fork();
        if (pid_ == 0) {
            // The write end must survive exec: Xvfb writes its display number there.
            fcntl(fds[1], F_SETFD, 0);
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        display_ = ReadDisplay(fds[0]);
        close(fds[0]);
    }
    ~XvfbServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // ":N" once the server accepts clients; empty when it could not start.
    const std::string& Display() const { return display_; }

private:
    static std::string ReadDisplay(int fd) {
        std::string number;
        pollfd ready{fd, POLLIN, 0};
        char c = 0;
        while (poll(&ready, 1, 20000) > 0 && read(fd, &c, 1) == 1 && c != '\n') {
            number += c;
        }
        return c == '\n' && !number.empty() ? ":" + number : "";
    }

    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace TestSupport
