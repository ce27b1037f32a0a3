#include "brevlink/exports/bus_lock.h"

#include <gtest/gtest.h>

#include <future>

namespace brevlink {
namespace {

TEST(BusLock, OtherThreadsCannotTakeOrFreeItWhileHeld) {
    BusLock lock;
    ASSERT_TRUE(lock.TryLock());
    EXPECT_TRUE(lock.HeldByMe());
    std::async(std::launch::async, [&] {
        EXPECT_FALSE(lock.TryLock());
        EXPECT_FALSE(lock.Unlock());
        EXPECT_FALSE(lock.HeldByMe());
    }).get();
    EXPECT_TRUE(lock.Unlock());
    EXPECT_FALSE(lock.HeldByMe());
    std::async(std::launch::async, [&] {
        EXPECT_TRUE(lock.TryLock());
        EXPECT_TRUE(lock.Unlock());
    }).get();
}

TEST(BusLock, NestedHoldsNeedAsManyUnlocks) {
    BusLock lock;
    ASSERT_TRUE(lock.TryLock());
    ASSERT_TRUE(lock.TryLock());
    EXPECT_TRUE(lock.Unlock());
    std::async(std::launch::async, [&] { EXPECT_FALSE(lock.TryLock()); }).get();
    EXPECT_TRUE(lock.Unlock());
    EXPECT_FALSE(lock.Unlock());
}

}  // namespace
}  // namespace brevlink
