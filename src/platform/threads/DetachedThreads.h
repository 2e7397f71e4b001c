#pragma once
// Threads nobody joins: work that may wait on a drive or a mount that never answers, which the UI
// thread must never wait for. The end of the process does wait for them, up to a bound, before the
// libraries' and the program's globals go: work still running after that is waiting on such a drive
// and touches nothing while the process ends.
#include <chrono>
#include <functional>

namespace DetachedThreads {

// Runs `work` on a thread of its own. Whatever `work` holds is released before the thread counts as
// ended.
void start(std::function<void()> work);

// Waits up to `bound` until no thread started here runs; true when none does. The application's end
// calls it with kAtExit.
bool settle(std::chrono::milliseconds bound);

// Longer than a drive scan takes when the disk service does not answer.
inline constexpr std::chrono::milliseconds kAtExit{3000};

}  // namespace DetachedThreads
