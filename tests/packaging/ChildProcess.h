#pragma once
// Runs commands for the packaging tests: a shell command to completion, or a long-running program
// whose output is watched line by line so that the test can signal it at the right moment.
#include <string>
#include <vector>

namespace PackagingTest {

struct CommandResult {
    int status = -1;     // exit status, or -1 when the command did not exit normally
    std::string output;  // standard output and error together
};

// Runs `command` through /bin/sh and waits for it.
CommandResult RunCommand(const std::string& command);

// True when `name` is a command found on PATH.
bool HaveCommand(const std::string& name);

// Single-quotes `text` for /bin/sh.
std::string ShellQuote(const std::string& text);

// A child started with `argv` (argv[0] is the program path) in `workingDirectory`, with `env`
// added to the inherited environment. Standard output and error arrive on one pipe.
class WatchedChild {
public:
    WatchedChild(const std::vector<std::string>& argv, const std::string& workingDirectory,
                 const std::vector<std::string>& env);
    ~WatchedChild();
    WatchedChild(const WatchedChild&) = delete;
    WatchedChild& operator=(const WatchedChild&) = delete;

    bool Started() const { return pid_ > 0; }
    // Reads output until it contains `text`, the child closes its output, or `seconds` pass.
    bool WaitForOutput(const std::string& text, double seconds);
    void Signal(int signal);
    // Reads the rest of the output and reaps the child; kills it after `seconds`. Returns the
    // exit status, or -1 when the child was killed or ended by a signal.
    int Finish(double seconds);
    const std::string& Output() const { return output_; }

private:
    // Reads what is available within `milliseconds`; false once the pipe is closed.
    bool ReadSome(int milliseconds);

    int pid_ = -1;
    int pipe_ = -1;
    std::string output_;
};

}  // namespace PackagingTest
