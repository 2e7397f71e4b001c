// Work on a thread of its own taken back on the owner's thread: only the last asked for, and nothing once
// dropped or once the owner has gone, whichever work ends first.
#include "threads/LatestWork.h"

#include <QCoreApplication>
#include <QTest>
#include <future>
#include <gtest/gtest.h>

namespace {

// Work that ends when the test lets it.
struct Held {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    auto work(int result)
    {
        return [released = released, result] {
            released.wait();
            return result;
        };
    }
};

// Every work started has ended and what it posted has been handled.
void settle()
{
    ASSERT_TRUE(DetachedThreads::settle(DetachedThreads::kAtExit));
    QCoreApplication::sendPostedEvents();
}

}  // namespace

TEST(LatestWork, AWorkGivenUpThatEndsLastIsNeverTaken)
{
    struct Case {
        const char *what;
        std::function<void(LatestWork &, QList<int> &)> after;  // done while the first work is held
        QList<int> taken;
    };
    const Case cases[] = {
        {"asked again", [](LatestWork &w, QList<int> &taken) { w.run([] { return 2; }, [&taken](int r) { taken << r; }); },
         {2}},
        {"dropped", [](LatestWork &w, QList<int> &) { w.drop(); }, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        LatestWork work;
        QList<int> taken;
        Held first;
        work.run(first.work(1), [&taken](int r) { taken << r; });
        EXPECT_TRUE(work.underWay());
        c.after(work, taken);
        if (!c.taken.isEmpty())
            ASSERT_TRUE(QTest::qWaitFor([&] { return !taken.isEmpty(); }));
        first.release.set_value();
        settle();
        EXPECT_EQ(taken, c.taken);
        EXPECT_FALSE(work.underWay());
    }
}

TEST(LatestWork, NothingArrivesOnceTheOwnerHasGone)
{
    auto work = std::make_unique<LatestWork>();
    bool taken = false;
    Held held;
    work->run(held.work(1), [&taken](int) { taken = true; });
    work.reset();
    held.release.set_value();
    settle();
    EXPECT_FALSE(taken);
}
