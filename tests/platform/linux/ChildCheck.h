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

}  // namespace quorvane::test
