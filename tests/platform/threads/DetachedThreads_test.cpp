// Threads nobody joins, and the process's end that waits for them.
#include "threads/DetachedThreads.h"

#include <gtest/gtest.h>
#include <future>
#include <memory>

namespace {

using namespace std::chrono_literals;

TEST(DetachedThreads, SettleWaitsForWorkUnderWayAndItsStateIsGoneByThen)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    auto held = std::make_shared<int>(7);
    int seen = 0;
    DetachedThreads::start([released, held, &seen] {
        released.wait();
        seen = *held;
    });
    // Still waiting for its release: the bound passes.
    EXPECT_FALSE(DetachedThreads::settle(0ms));
    release.set_value();
    ASSERT_TRUE(DetachedThreads::settle(DetachedThreads::kAtExit));
    // What the work wrote and what it held are settled before settle() says so.
    EXPECT_EQ(seen, 7);
    EXPECT_EQ(held.use_count(), 1);
}

}  // namespace
