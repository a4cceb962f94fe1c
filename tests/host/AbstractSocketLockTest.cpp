#include <gtest/gtest.h>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "host/InstanceLockName.h"
#include "platform/linux/service/AbstractSocketLock.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

// A name of this test's own, so a running program's lock "qvane" is never touched.
std::string test_lock_name() {
    return "qvane-test-" + std::to_string(::getpid());
}

TEST(AbstractSocketLock, OneHolderAtATimeAndFreedWithItsHolder) {
    auto name = test_lock_name();
    {
        AbstractSocketLock first;
        ASSERT_TRUE(first.acquire(name));
        EXPECT_TRUE(first.acquire(name)) << "the holder asking again keeps it";
        AbstractSocketLock second;
        EXPECT_FALSE(second.acquire(name));
        AbstractSocketLock other;
        EXPECT_TRUE(other.acquire(name + "-other"));
    }
    AbstractSocketLock after;
    EXPECT_TRUE(after.acquire(name)) << "the lock goes with its holder";
}

TEST(AbstractSocketLock, NamesThatCannotBeBoundAreNoLock) {
    AbstractSocketLock lock;
    EXPECT_FALSE(lock.acquire(""));
    EXPECT_FALSE(lock.acquire(std::string(200, 'q')));
}

bool readable_within(int fd, int ms) {
    pollfd wait{fd, POLLIN, 0};
    return ::poll(&wait, 1, ms) == 1;
}

TEST(AbstractSocketLock, ASecondStartAsksTheHolderToShowItself) {
    auto name = test_lock_name();
    AbstractSocketLock holder;
    ASSERT_TRUE(holder.acquire(name));
    ASSERT_GE(holder.request_descriptor(), 0);
    EXPECT_FALSE(holder.take_request()) << "nobody asked yet";

    AbstractSocketLock second;
    ASSERT_FALSE(second.acquire(name));
    // The asking side waits for the holder to take the request (at most a second).
    std::thread asker([&] { EXPECT_TRUE(second.ask_holder_to_show(name)); });
    ASSERT_TRUE(readable_within(holder.request_descriptor(), 5000));
    EXPECT_TRUE(holder.take_request());
    EXPECT_FALSE(holder.take_request()) << "one request, taken once";
    asker.join();

    AbstractSocketLock nobody;
    EXPECT_FALSE(nobody.ask_holder_to_show(name + "-unheld")) << "no holder to tell";
}

TEST(InstanceLockName, OneNamePerDataDirectoryHoweverItIsSpelled) {
    quorvane::test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "a");
    std::filesystem::create_directories(dir.path() / "b");
    std::filesystem::create_directory_symlink(dir.path() / "a", dir.path() / "link");
    const auto a = instance_lock_name(dir.str() + "/a");
    EXPECT_EQ(a.rfind("qvane-", 0), 0u) << a;
    EXPECT_EQ(instance_lock_name(dir.str() + "/a/"), a);
    EXPECT_EQ(instance_lock_name(dir.str() + "/link"), a);
    EXPECT_EQ(instance_lock_name(dir.str() + "/b/../a"), a);
    EXPECT_NE(instance_lock_name(dir.str() + "/b"), a);
    // A directory that is not there yet is named by its path.
    const auto missing = instance_lock_name(dir.str() + "/missing");
    EXPECT_EQ(missing, instance_lock_name(dir.str() + "/missing"));
    EXPECT_NE(missing, instance_lock_name(dir.str() + "/missing2"));
    EXPECT_LT(missing.size(), 100u) << "fits an abstract socket's name";
}

}  // namespace
}  // namespace quorvane
