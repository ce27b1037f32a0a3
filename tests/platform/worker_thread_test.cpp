#include "platform/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace kestrova::platform {
namespace {

TEST(WorkerThread, RunsTheBodyAndJoins) {
    WorkerThread worker;
    EXPECT_FALSE(worker.Started());
    worker.Join();  // nothing started: nothing to wait for

    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> runs{0};
    ASSERT_TRUE(worker.Start([&] {
        released.wait();
        ++runs;
    }));
    EXPECT_TRUE(worker.Started());
    // Refused while the first thread is running and not joined; the second body never runs.
    EXPECT_FALSE(worker.Start([&] { runs += 100; }));
    release.set_value();
    worker.Join();
    EXPECT_FALSE(worker.Started());
    EXPECT_EQ(runs.load(), 1);

    // After the join the worker can run again.
    ASSERT_TRUE(worker.Start([&] { ++runs; }));
    worker.Join();
    EXPECT_EQ(runs.load(), 2);
}

TEST(WorkerThread, EmptyBodyIsRefused) {
    WorkerThread worker;
    EXPECT_FALSE(worker.Start(nullptr));
    EXPECT_FALSE(worker.Started());
}

TEST(WorkerThread, DestructorJoinsARunningThread) {
    std::atomic<bool> finished{false};
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    {
        WorkerThread worker;
        ASSERT_TRUE(worker.Start([&] {
            released.wait();
            finished = true;
        }));
        release.set_value();
    }
    EXPECT_TRUE(finished.load());
}

TEST(WorkerThread, BodyJoiningItselfDoesNotDeadlock) {
    std::atomic<bool> finished{false};
    std::promise<void> started;
    std::shared_future<void> go = started.get_future().share();
    {
        WorkerThread worker;
        ASSERT_TRUE(worker.Start([&] {
            go.wait();
            worker.Join();
            finished = true;
        }));
        started.set_value();
    }
    EXPECT_TRUE(finished.load());
}

}  // namespace
}  // namespace kestrova::platform
