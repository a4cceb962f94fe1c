#include "config/FileChangeWatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "support/TempDir.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

void age(const fs::path& file) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::minutes(5));
}

// Read again at the first look, after a write, a replacement or a removal, and while the file
// is younger than a second; otherwise not.
TEST(FileChangeWatch, SaysWhenAFileMustBeReadAgain) {
    TempDir dir;
    const auto file = dir.write("config.ini", "[central]\nurl=a\n");
    age(file);
    FileChangeWatch watch(file.string());
    EXPECT_TRUE(watch.changed()) << "the first look";
    EXPECT_FALSE(watch.changed()) << "nothing happened";

    dir.write("config.ini", "[central]\nurl=bb\n");
    EXPECT_TRUE(watch.changed()) << "written";
    EXPECT_TRUE(watch.changed()) << "still younger than a second";
    age(file);
    EXPECT_TRUE(watch.changed()) << "its time changed";
    EXPECT_FALSE(watch.changed());

    watch.forget();
    EXPECT_TRUE(watch.changed()) << "a reading that failed is tried again";
    EXPECT_FALSE(watch.changed());

    fs::remove(file);
    EXPECT_TRUE(watch.changed()) << "removed";
    EXPECT_FALSE(watch.changed()) << "still missing";
}

}  // namespace
}  // namespace quorvane::test
