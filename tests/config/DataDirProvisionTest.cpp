#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/DataDirProvision.h"
#include "config/LogFileCheck.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

std::string installed() {
    return source_path("data");
}

TEST(DataDirProvision, FindsTheFirstCandidateThatHoldsTheSchema) {
    TempDir dir;
    dir.write("empty/tip.cfg", "");
    EXPECT_EQ(find_installed_data({"", dir.str() + "/missing", dir.str() + "/empty", installed()}),
              installed());
    EXPECT_EQ(find_installed_data({dir.str() + "/missing"}), "");
}

TEST(DataDirProvision, GivesANewDirectoryItsFilesAndKeepsThoseThatExist) {
    TempDir dir;
    const std::string data = dir.str() + "/a/b/quorvane";
    EXPECT_THAT(provision_data_dir_files(data, installed()), ::testing::IsEmpty());
    EXPECT_EQ(read_file(data + "/config/tip.cfg"), read_file(installed() + "/tip.cfg"));
    EXPECT_EQ(read_file(data + "/qvane help/qvane.html"),
              read_file(installed() + "/qvane help/qvane.html"));
    EXPECT_EQ(fs::file_size(data + "/config/dev.ini"), 0u);
    EXPECT_FALSE(fs::exists(data + "/config/log.db")) << "the log is the log's own code's";
    // Nothing left over from writing.
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        EXPECT_EQ(entry.path().string().find(".new-"), std::string::npos) << entry.path();
    }

    // A second start: the user's own files stay as they are.
    dir.write("a/b/quorvane/config/tip.cfg", "mine\n#\n");
    dir.write("a/b/quorvane/config/dev.ini", "[eth0]\nlog_option=0\n");
    fs::remove(data + "/qvane help/qvane.html");
    EXPECT_THAT(provision_data_dir_files(data, installed()), ::testing::IsEmpty());
    EXPECT_EQ(read_file(data + "/config/tip.cfg"), "mine\n#\n");
    EXPECT_EQ(read_file(data + "/config/dev.ini"), "[eth0]\nlog_option=0\n");
    EXPECT_TRUE(fs::exists(data + "/qvane help/qvane.html")) << "a missing file comes back";
}

TEST(DataDirProvision, FailuresAreSaidOneLineEach) {
    TempDir dir;
    dir.write("file", "x");
    auto failures = provision_data_dir_files(dir.str() + "/file/quorvane", installed());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_THAT(failures[0], ::testing::StartsWith("cannot create the folder " + dir.str() +
                                                   "/file/quorvane/config"));

    failures = provision_data_dir_files(dir.str() + "/fine", "");
    EXPECT_THAT(failures, ::testing::ElementsAre("no installed data to make the data directory "
                                                 "from"));
    EXPECT_TRUE(fs::exists(dir.str() + "/fine/config/dev.ini"));
}

// The check as another user sees it: run in a child process that gave up root, when the
// test runs as root (root reads and writes every file).
std::string problem_as_nobody(const std::string& data_dir) {
    if (::geteuid() != 0) return log_database_problem(data_dir);
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0) return "pipe failed";
    pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe_fds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) _exit(2);
        const auto text = log_database_problem(data_dir);
        [[maybe_unused]] auto n = ::write(pipe_fds[1], text.data(), text.size());
        _exit(0);
    }
    ::close(pipe_fds[1]);
    std::string text;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0) text.append(buffer, n);
    ::close(pipe_fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return text;
}

TEST(LogFileCheck, SaysWhatKeepsTheLogFromRecording) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> prepare;  // gets the data directory
        std::string expected;                          // "@" stands for the log's path
    };
    const std::vector<Case> cases = {
        {"a working log", [](const fs::path&) {}, ""},
        {"missing", [](const fs::path& d) { fs::remove(d / "config/log.db"); },
         "No log database: @ is missing, so nothing is recorded."},
        {"no config folder", [](const fs::path& d) { fs::remove_all(d / "config"); },
         "No log database: @ is missing, so nothing is recorded."},
        {"a folder in its place",
         [](const fs::path& d) {
             fs::remove(d / "config/log.db");
             fs::create_directory(d / "config/log.db");
         },
         "The log database @ is not a file, so nothing is recorded."},
        {"unreadable", [](const fs::path& d) { ::chmod((d / "config/log.db").c_str(), 0200); },
         "The log database @ cannot be read (Permission denied), so nothing is recorded."},
        {"read-only file", [](const fs::path& d) { ::chmod((d / "config/log.db").c_str(), 0444); },
         "The log database @ is read-only, so nothing is recorded."},
        {"read-only folder", [](const fs::path& d) { ::chmod((d / "config").c_str(), 0555); },
         "The log database @ is read-only, so nothing is recorded."},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const fs::path data = dir.path() / "data";
        provision_data_dir(data.string());
        // Open to others, as the check runs as another user when the test runs as root.
        ::chmod(dir.str().c_str(), 0755);
        ::chmod(data.c_str(), 0777);
        ::chmod((data / "config").c_str(), 0777);
        ::chmod((data / "config/log.db").c_str(), 0666);
        c.prepare(data);
        std::string expected = c.expected;
        if (auto at = expected.find('@'); at != std::string::npos) {
            expected.replace(at, 1, (data / "config/log.db").string());
        }
        EXPECT_EQ(problem_as_nobody(data.string()), expected) << c.name;
        ::chmod((data / "config").c_str(), 0755);
    }
}

}  // namespace
}  // namespace quorvane::test
