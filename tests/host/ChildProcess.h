#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::test {

// A program the test starts, with changes to the environment (nullopt removes a variable)
// and a working directory; its standard output and error go to files of out_dir.
class ChildProcess {
public:
    using Environment = std::map<std::string, std::optional<std::string>>;

    ChildProcess(const std::vector<std::string>& argv, const Environment& changes,
                 const std::string& cwd, const std::string& out_dir);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void send_signal(int signal_number);
    // The exit code (128 + the signal when a signal ended it), or nullopt when the process
    // is still running after the timeout.
    std::optional<int> wait(std::chrono::milliseconds timeout);
    std::string err() const;
    std::string out() const;
    // Waits until standard error holds the text; false when the process ended or the
    // timeout passed first.
    bool wait_for_err(const std::string& text, std::chrono::milliseconds timeout);

private:
    pid_t m_pid = -1;
    std::optional<int> m_exit;
    std::string m_err_path;
    std::string m_out_path;
};

}  // namespace quorvane::test
