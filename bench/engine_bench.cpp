// Plays 10 s of the 1080p test clip in a 640x360 window through our engine and through the mpv command
// line, each in a child process, and compares their CPU time and peak memory. Ours plays once more with
// the statistics window open; both of our runs print the engine's dropped and delayed frame counts.
// Run under a display, e.g.
//   xvfb-run -a -s "-screen 0 1024x768x24" ./engine_bench
#include "platform/MpvEngine.h"
#include "platform/MpvVideoWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char *kClip = VISTREL_MEDIA_DIR "/hd1080.mp4";
constexpr double kSeconds = 10;
constexpr int kTpp = 15;

struct Run {
    bool ok = false;
    double cpuSeconds = 0;
    double peakMiB = 0;
    double wallSeconds = 0;
    std::string output;
};

// Our side, in the child: prints the time from writing the file name to the first drawn frame, and the
// dropped (by the output, by the decoder) and delayed frame counts.
int playOurs(int argc, char **argv, bool withStats)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QWidget window;
    window.resize(640, 360);
    MpvEngine engine(true, kTpp, kTpp);
    engine.videoWidget()->setParent(&window);
    engine.setWidth(640 * kTpp);
    engine.setHeight(360 * kTpp);
    engine.setDisplaySize(4);
    window.show();

    QElapsedTimer sinceOpen;
    qint64 firstFrameMs = -1;
    QObject::connect(engine.videoWindow(), &MpvVideoWindow::frameDrawn, [&] {
        if (firstFrameMs < 0)
            firstFrameMs = sinceOpen.elapsed();
    });
    QString counts;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (engine.currentPosition() < kSeconds && engine.playState() == 2)
            return;
        // Read once playback is over: a read waits for the core, which no frame keeps busy any more.
        engine.pause();
        for (const char *name : {"frame-drop-count", "decoder-frame-drop-count", "vo-delayed-frame-count"})
            counts += QLatin1Char(' ') + engine.property(name);
        app.quit();
    });
    QTimer::singleShot(500, [&] {
        sinceOpen.start();
        engine.setFileName(QString::fromUtf8(kClip));
        if (engine.fileName().isEmpty()) {
            app.exit(1);
            return;
        }
        if (withStats)
            engine.showDialog(1);
        engine.play();
        watch.start(50);
    });
    QTimer::singleShot(120000, &app, [&] { app.exit(2); });
    const int rc = app.exec();
    std::printf("%lld%s\n", static_cast<long long>(firstFrameMs), qPrintable(counts));
    return rc;
}

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

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0)
        return playOurs(argc, argv, argc > 2 && std::strcmp(argv[2], "stats") == 0);
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "engine_bench needs a display (run it under xvfb-run)\n");
        return 1;
    }
    const std::string self = argv[0];
    const Run ours = runChild({self, "--child"});
    const Run withStats = runChild({self, "--child", "stats"});
    const Run theirs = runChild({"mpv", "--no-config", "--really-quiet", "--vo=gpu", "--gpu-context=x11egl",
                                 "--ao=null", "--hwdec=auto-safe", "--osc=no", "--load-scripts=no",
                                 "--input-default-bindings=no", "--geometry=640x360", "--length=10", kClip});
    std::printf("10 s of %s in a 640x360 window\n", kClip);
    std::printf("%-14s %10s %12s %10s %s\n", "", "CPU s", "peak MiB", "wall s", "exit");
    std::printf("%-14s %10.2f %12.1f %10.2f %s\n", "ours", ours.cpuSeconds, ours.peakMiB, ours.wallSeconds,
                ours.ok ? "ok" : "FAILED");
    std::printf("%-14s %10.2f %12.1f %10.2f %s\n", "ours + stats", withStats.cpuSeconds, withStats.peakMiB,
                withStats.wallSeconds, withStats.ok ? "ok" : "FAILED");
    std::printf("%-14s %10.2f %12.1f %10.2f %s\n", "mpv", theirs.cpuSeconds, theirs.peakMiB, theirs.wallSeconds,
                theirs.ok ? "ok" : "FAILED");
    for (const auto &[name, run] : {std::pair{"ours", &ours}, std::pair{"ours + stats", &withStats}}) {
        long first = -1, voDrops = -1, decDrops = -1, delayed = -1;
        std::sscanf(run->output.c_str(), "%ld %ld %ld %ld", &first, &voDrops, &decDrops, &delayed);
        std::printf("%-14s frames dropped by output %ld, by decoder %ld, delayed %ld\n", name, voDrops, decDrops,
                    delayed);
    }
    if (!ours.ok || !theirs.ok || theirs.cpuSeconds <= 0 || theirs.peakMiB <= 0)
        return 0;
    const double cpuRatio = ours.cpuSeconds / theirs.cpuSeconds;
    const double memRatio = ours.peakMiB / theirs.peakMiB;
    const long firstFrameMs = std::strtol(ours.output.c_str(), nullptr, 10);
    std::printf("CPU ratio ours/mpv      %6.3f  (target <= 1.00: %s)\n", cpuRatio, verdict(cpuRatio <= 1.00));
    std::printf("memory ratio ours/mpv   %6.3f  (target <= 1.10: %s)\n", memRatio, verdict(memRatio <= 1.10));
    std::printf("first frame after open  %6ld ms (target <= 150 ms: %s)\n", firstFrameMs,
                verdict(firstFrameMs >= 0 && firstFrameMs <= 150));
    return 0;
}
