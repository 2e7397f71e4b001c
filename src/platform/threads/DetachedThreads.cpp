#include "threads/DetachedThreads.h"

#include <QCoreApplication>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

struct Running {
    std::mutex lock;
    std::condition_variable ended;
    int count = 0;
};

// Never destroyed: a thread that outlives the bound may still end while the process goes.
Running &running()
{
    static auto *r = new Running;
    return *r;
}

void settleAtExit()
{
    DetachedThreads::settle(DetachedThreads::kAtExit);
}

}  // namespace

namespace DetachedThreads {

void start(std::function<void()> work)
{
    Running &r = running();
    {
        const std::lock_guard guard(r.lock);
        // The application's end runs its routines before any global goes.
        static const bool hooked = (qAddPostRoutine(settleAtExit), true);
        Q_UNUSED(hooked);
        ++r.count;
    }
    std::thread([&r, work = std::move(work)]() mutable {
        {
            const std::function<void()> job = std::move(work);
            job();
        }
        const std::lock_guard guard(r.lock);
        --r.count;
        r.ended.notify_all();
    }).detach();
}

bool settle(std::chrono::milliseconds bound)
{
    Running &r = running();
    std::unique_lock guard(r.lock);
    return r.ended.wait_for(guard, bound, [&r] { return r.count == 0; });
}

}  // namespace DetachedThreads
