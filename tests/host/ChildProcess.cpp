#include "host/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace quorvane::test {

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Environment& changes,
                           const std::string& cwd, const std::string& out_dir) {
    static int serial = 0;
    auto stem = out_dir + "/child" + std::to_string(++serial);
    m_err_path = stem + ".err";
    auto out_path = stem + ".out";
    m_out_path = out_path;

    std::map<std::string, std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        std::string entry = *e;
        auto eq = entry.find('=');
        if (eq != std::string::npos) env[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const auto& [name, value] : changes) {
        if (value) {
            env[name] = *value;
        } else {
            env.erase(name);
        }
    }
    std::vector<std::string> env_text;
    for (const auto& [name, value] : env) env_text.push_back(name + "=" + value);
    std::vector<char*> envp, args;
    for (auto& e : env_text) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argv_copy = argv;
    for (auto& a : argv_copy) args.push_back(a.data());
    args.push_back(nullptr);

    m_pid = ::fork();
    if (m_pid < 0) throw std::runtime_error("fork failed");
    if (m_pid == 0) {
        int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = ::open(m_err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::chdir(cwd.c_str()) != 0) ::_exit(126);
        ::dup2(out, 1);
        ::dup2(err, 2);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::execve(args[0], args.data(), envp.data());
        ::_exit(127);
    }
}

ChildProcess::~ChildProcess() {
    if (!m_exit && m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

void ChildProcess::send_signal(int signal_number) {
    if (!m_exit) ::kill(m_pid, signal_number);
}

std::optional<int> ChildProcess::wait(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_exit) {
        int status = 0;
        pid_t done = ::waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return m_exit;
}

namespace {

std::string file_text(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string ChildProcess::err() const {
    return file_text(m_err_path);
}

std::string ChildProcess::out() const {
    return file_text(m_out_path);
}

bool ChildProcess::wait_for_err(const std::string& text, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (err().find(text) != std::string::npos) return true;
        if (wait(std::chrono::milliseconds(0))) return err().find(text) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

}  // namespace quorvane::test
