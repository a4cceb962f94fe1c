#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/linux/service/AbstractSocketLock.h"

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

}  // namespace
}  // namespace quorvane
