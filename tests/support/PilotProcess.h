#pragma once
// The headless runner under --control as a child process with both standard streams on
// pipes, so a test can play it closed-loop a line at a time; standard error goes to a file.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace TestSupport {

class PilotProcess {
public:
    // Records go below `home`; the engine's standard error to `errorFile`.
    PilotProcess(const std::vector<std::string>& arguments, const std::string& home,
                 const std::string& errorFile) {
        int toChild[2];
        int fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0) {
            throw std::runtime_error("cannot make the pilot's pipes");
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) {
            posix_spawn_file_actions_addclose(&actions, fd);
        }
        const std::string program = FLEETWING_BINARY_DIR "/tools/vela-run/vela-run";
        std::vector<std::string> argv = {program, "--control"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        std::vector<std::string> env = {"HOME=" + home};
        for (char** variable = environ; *variable != nullptr; ++variable) {
            if (std::string(*variable).rfind("HOME=", 0) != 0) {
                env.push_back(*variable);
            }
        }
        const int status = posix_spawn(&pid_, program.c_str(), &actions, nullptr,
                                       Pointers(argv).data(), Pointers(env).data());
        posix_spawn_file_actions_destroy(&actions);
        close(toChild[0]);
        close(fromChild[1]);
        input_ = fdopen(toChild[1], "w");
        output_ = fdopen(fromChild[0], "r");
        if (status != 0 || input_ == nullptr || output_ == nullptr) {
            throw std::runtime_error("cannot start " + program);
        }
    }
    ~PilotProcess() {
        CloseInput();
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        std::fclose(output_);
    }
    PilotProcess(const PilotProcess&) = delete;
    PilotProcess& operator=(const PilotProcess&) = delete;

    void Send(const std::string& line) {
        std::fputs((line + "\n").c_str(), input_);
        std::fflush(input_);
    }
    // The next answer line without its end; "<eof>" once the runner's output has closed.
    std::string ReadLine() {
        std::string line;
        int c;
        while ((c = std::fgetc(output_)) != EOF && c != '\n') {
            line.push_back(static_cast<char>(c));
        }
        return c == EOF && line.empty() ? "<eof>" : line;
    }
    std::string Ask(const std::string& line) {
        Send(line);
        return ReadLine();
    }
    void CloseInput() {
        if (input_ != nullptr) {
            std::fclose(input_);
            input_ = nullptr;
        }
    }
    // Waits for the runner to end; its exit status, or -1 when a signal ended it.
    int Wait() {
        int raw = 0;
        waitpid(pid_, &raw, 0);
        pid_ = -1;
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

private:
    static std::vector<char*> Pointers(std::vector<std::string>& texts) {
        std::vector<char*> pointers;
        for (std::string& text : texts) {
            pointers.push_back(text.data());
        }
        pointers.push_back(nullptr);
        return pointers;
    }

    pid_t pid_ = -1;
    FILE* input_ = nullptr;
    FILE* output_ = nullptr;
};

}  // namespace TestSupport
