#pragma once

#include <functional>
#include <string>

namespace quorvane::test {

// What a check that runs in a child process (one that makes a network namespace of its own
// and must not leave the test process in it) ended with.
struct ChildCheckResult {
    bool exited = false;  // false: the child ended abnormally
    int status = 0;       // its exit status: 0 passed, 77 skipped, anything else failed
    std::string report;   // what it wrote to its report descriptor
};

// Forks, runs `check` in the child with the write end of a pipe for its report (the check
// ends the child itself), and collects the report and the exit status.
ChildCheckResult run_child_check(const std::function<void(int report)>& check);

// The checks of such a child, typically in a network namespace of its own: what failed is
// written to `report` at the end, and the child ends with 0 (passed), 1 (failed) or 77 (a
// step it needs cannot be done here).
class NamespaceCheck {
public:
    explicit NamespaceCheck(int report) : m_report(report) {}

    [[noreturn]] void skip(const std::string& why);
    void check(bool ok, const std::string& what) {
        if (!ok) m_failures += what + "\n";
    }
    // A shell command that must work, else the check cannot run here.
    void run(const std::string& command);
    [[noreturn]] void finish();

private:
    int m_report;
    std::string m_failures;
};

}  // namespace quorvane::test
