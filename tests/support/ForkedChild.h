#pragma once
// A child the test forks to meet a failure for real (a file-size limit, a kill in the middle of a
// save). The test process has threads, and a forked child can inherit a lock one of them held at the
// fork and wait on it for ever: every wait for the child is bounded, and a child still running at its
// bound is killed and counts as a failure. A child never outlives the test process.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <optional>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

class ForkedChild {
public:
    ForkedChild() : parent_(::getpid()), pid_(::fork())
    {
        if (pid_ != 0)
            return;
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent_)
            ::_exit(127);
    }
    ~ForkedChild()
    {
        if (running())
            kill();
    }
    ForkedChild(const ForkedChild &) = delete;
    ForkedChild &operator=(const ForkedChild &) = delete;

    bool started() const { return pid_ >= 0; }
    bool inChild() const { return pid_ == 0; }

    // The child's exit code once it has ended by itself within `bound`; nothing when it was killed,
    // by a signal or at the bound.
    std::optional<int> wait(std::chrono::milliseconds bound)
    {
        // Glibc 2.36 declares pidfd_open without C linkage; the system call itself is plain.
        const int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
        if (fd < 0) {
            kill();
            return std::nullopt;
        }
        pollfd ended{fd, POLLIN, 0};
        const auto deadline = std::chrono::steady_clock::now() + bound;
        int ready = 0;
        do {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            ready = ::poll(&ended, 1, static_cast<int>(std::max<long long>(0, left.count())));
        } while (ready < 0 && errno == EINTR);
        ::close(fd);
        if (ready <= 0) {
            kill();
            return std::nullopt;
        }
        const std::optional<int> status = reap();
        if (!status || !WIFEXITED(*status))
            return std::nullopt;
        return WEXITSTATUS(*status);
    }

    // Ends the child now, wherever it is.
    void kill()
    {
        ::kill(pid_, SIGKILL);
        reap();
    }

private:
    bool running() const { return pid_ > 0 && !reaped_; }

    std::optional<int> reap()
    {
        int status = 0;
        pid_t got = 0;
        do
            got = ::waitpid(pid_, &status, 0);
        while (got < 0 && errno == EINTR);
        reaped_ = true;
        return got == pid_ ? std::optional(status) : std::nullopt;
    }

    const pid_t parent_;
    const pid_t pid_;
    bool reaped_ = false;
};

// One byte the child wrote into a pipe, waited for up to `bound`; false when none came.
inline bool readByte(int fd, std::chrono::milliseconds bound = std::chrono::seconds(30))
{
    pollfd readable{fd, POLLIN, 0};
    int ready = 0;
    do
        ready = ::poll(&readable, 1, static_cast<int>(bound.count()));
    while (ready < 0 && errno == EINTR);
    char byte = 0;
    return ready > 0 && ::read(fd, &byte, 1) == 1;
}
