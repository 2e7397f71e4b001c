#pragma once
// What the benchmarks share: a measured run in a child process, the verdict beside a target, and the
// UI thread's lateness.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run {
    bool ok = false;
    double cpuSeconds = 0;
    double peakMiB = 0;
    double wallSeconds = 0;
    std::string output;
};

Run runChild(const std::vector<std::string> &args)
{
    Run run;
    int out[2];
    if (pipe(out) != 0)
        return run;
    QElapsedTimer wall;
    wall.start();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        std::vector<char *> argv;
        for (const auto &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    char buf[256];
    ssize_t n;
    while ((n = read(out[0], buf, sizeof buf)) > 0)
        run.output.append(buf, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) < 0)
        return run;
    run.wallSeconds = wall.elapsed() / 1000.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec
                   + usage.ru_stime.tv_usec / 1e6;
    run.peakMiB = usage.ru_maxrss / 1024.0;
    return run;
}

const char *verdict(bool met)
{
    return met ? "met" : "NOT met";
}

// How late a 10 ms timer on the UI thread fires: the figure a user feels as a stutter of the panel.
class UiLateness {
public:
    UiLateness()
    {
        ticks_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticks_, &QTimer::timeout, [this] {
            const double gapMs = sinceTick_.nsecsElapsed() / 1e6;
            sinceTick_.restart();
            late_.push_back(std::max(0.0, gapMs - kTickMs));
        });
    }
    void start()
    {
        sinceTick_.start();
        ticks_.start(kTickMs);
    }
    void stop() { ticks_.stop(); }
    // Median, 99th percentile and maximum, in milliseconds.
    std::string figures() const
    {
        std::vector<double> v = late_;
        if (v.empty())
            return "-1 -1 -1";
        std::sort(v.begin(), v.end());
        const auto at = [&](double q) { return v[std::min(v.size() - 1, static_cast<size_t>(q * (v.size() - 1) + 0.5))]; };
        char text[64];
        std::snprintf(text, sizeof text, "%.2f %.2f %.2f", at(0.5), at(0.99), v.back());
        return text;
    }

private:
    static constexpr int kTickMs = 10;
    QTimer ticks_;
    QElapsedTimer sinceTick_;
    std::vector<double> late_;
};

}  // namespace
