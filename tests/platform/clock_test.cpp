#include "platform/clock.h"

#include <gtest/gtest.h>

#include <thread>

namespace kestrova::platform {
namespace {

TEST(VirtualClock, CountsSleepsInOrderWithoutBlocking) {
    VirtualClock clock;
    EXPECT_EQ(clock.NowMs(), 0u);
    clock.SleepMs(50);
    clock.SleepMs(0);
    clock.SleepMs(4000000000u);
    clock.SleepMs(4000000000u);
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{50, 0, 4000000000u, 4000000000u}));
    EXPECT_EQ(clock.TotalSleptMs(), 8000000050u);  // no 32-bit wrap
    EXPECT_EQ(clock.NowMs(), 8000000050u);

    clock.Reset();
    EXPECT_TRUE(clock.Sleeps().empty());
    EXPECT_EQ(clock.TotalSleptMs(), 0u);
    EXPECT_EQ(clock.NowMs(), 8000000050u);  // time never runs backwards
    clock.SleepMs(7);
    EXPECT_EQ(clock.TotalSleptMs(), 7u);
    EXPECT_EQ(clock.NowMs(), 8000000057u);
}

TEST(VirtualClock, TotalsAreExactWhenTwoThreadsSleep) {
    VirtualClock clock;
    constexpr int kSleepsPerThread = 2000;
    auto sleeper = [&clock](uint32_t ms) {
        for (int i = 0; i < kSleepsPerThread; ++i) {
            clock.SleepMs(ms);
        }
    };
    std::thread first(sleeper, 1u);
    std::thread second(sleeper, 3u);
    // Reading while the others sleep is allowed.
    while (clock.Sleeps().size() < 10 && clock.TotalSleptMs() < 10) {
        std::this_thread::yield();
    }
    first.join();
    second.join();
    EXPECT_EQ(clock.Sleeps().size(), 2u * kSleepsPerThread);
    EXPECT_EQ(clock.TotalSleptMs(), 4u * kSleepsPerThread);
    EXPECT_EQ(clock.NowMs(), 4u * kSleepsPerThread);
}

TEST(CurrentClock, IsTheRealClockUnlessOneIsInstalled) {
    EXPECT_NE(dynamic_cast<RealClock*>(&CurrentClock()), nullptr);
    VirtualClock clock;
    {
        ScopedClock scoped(clock);
        EXPECT_EQ(&CurrentClock(), &clock);
        SleepMs(10);
        SleepMs(20);
    }
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{10, 20}));
    EXPECT_NE(dynamic_cast<RealClock*>(&CurrentClock()), nullptr);
}

TEST(RealClock, NeverRunsBackwards) {
    RealClock clock;
    const uint64_t first = clock.NowMs();
    EXPECT_GE(clock.NowMs(), first);
}

}  // namespace
}  // namespace kestrova::platform
