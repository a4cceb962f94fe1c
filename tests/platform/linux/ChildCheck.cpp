#include "ChildCheck.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/wait.h>
#include <unistd.h>

namespace quorvane::test {

ChildCheckResult run_child_check(const std::function<void(int report)>& check) {
    ChildCheckResult result;
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) {
        result.report = "no pipe for the child's report";
        return result;
    }
    const pid_t child = fork();
    if (child < 0) {
        close(pipe_ends[0]);
        close(pipe_ends[1]);
        result.report = "no child process";
        return result;
    }
    if (child == 0) {
        close(pipe_ends[0]);
        check(pipe_ends[1]);
        _exit(1);  // a check that returned did not end the child as it should
    }
    close(pipe_ends[1]);
    char buffer[512];
    for (ssize_t got; (got = read(pipe_ends[0], buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        result.report.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipe_ends[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.exited = WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : -1;
    return result;
}

void NamespaceCheck::skip(const std::string& why) {
    std::string text = why + ": " + std::strerror(errno);
    (void)!write(m_report, text.data(), text.size());
    _exit(77);
}

void NamespaceCheck::run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) skip("failed: " + command);
}

void NamespaceCheck::finish() {
    (void)!write(m_report, m_failures.data(), m_failures.size());
    _exit(m_failures.empty() ? 0 : 1);
}

}  // namespace quorvane::test
