// Plays 10 s of the 1080p test clip in a 640x360 window through our engine and through the mpv command
// line, each in a child process, and compares their CPU time and peak memory. Ours plays once more with
// the statistics window open; both of our runs print the engine's dropped and delayed frame counts.
// Before that it plays three scenes on each of our two ways of drawing against the mpv command line and
// bare decoding. Run under a display as large as full HD, e.g.
//   xvfb-run -a -s "-screen 0 1920x1080x24" ./engine_bench [runs per scene, default 3]
#include "engine/MpvEngine.h"
#include "engine/MpvVideoView.h"
#include "engine/VideoOutput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double kSeconds = 10;
constexpr int kTpp = 15;

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

// Our two ways of drawing, each against the mpv command line and bare decoding, in three scenes.
struct Scene {
    const char *title;
    const char *clip;
    int width, height;
    int displaySize;
};
constexpr Scene kScenes[] = {
    {"720p clip in a 1280x720 window", VISTREL_MEDIA_DIR "/hd720.mp4", 1280, 720, 0},
    {"720p clip at 1920x1080 full screen", VISTREL_MEDIA_DIR "/hd720.mp4", 1920, 1080, 4},
    {"1080p clip in a 640x360 window", VISTREL_MEDIA_DIR "/hd1080.mp4", 640, 360, 4},
};
// The scene of the comparison with and without the statistics window.
constexpr int kSmallWindow = 2;

// The mpv command line playing a scene as our child does.
Run runMpv(const Scene &scene, const std::vector<std::string> &extra = {})
{
    std::vector<std::string> args{"mpv", "--no-config", "--really-quiet", "--vo=gpu", "--gpu-context=x11egl",
                                  "--ao=null", "--hwdec=auto-safe", "--osc=no", "--load-scripts=no",
                                  "--input-default-bindings=no", "--length=10",
                                  "--geometry=" + std::to_string(scene.width) + "x" + std::to_string(scene.height)
                                      + "+0+0"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(scene.clip);
    return runChild(args);
}

// In the child: plays one scene, drawn as `output` ("gl", "software", or "auto" as the program would
// choose), the statistics window open when asked. Prints the first frame's time from the open, mpv's
// counts of frames dropped (by the output, by the decoder) and delayed, and the UI thread's longest gap
// between two 10 ms timer ticks.
int playOurs(int argc, char **argv, const char *output, const Scene &scene, bool withStats)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (std::strcmp(output, "auto") != 0)
        VideoOutput::force(std::strcmp(output, "gl") == 0 ? VideoOutput::Kind::Gl : VideoOutput::Kind::Software);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(0, 0, scene.width, scene.height);
    MpvEngine engine(true, kTpp, kTpp);
    engine.videoWidget()->setParent(&window);
    engine.setWidth(scene.width * kTpp);
    engine.setHeight(scene.height * kTpp);
    engine.setDisplaySize(scene.displaySize);
    window.show();

    QElapsedTimer sinceOpen;
    qint64 firstFrameMs = -1;
    QObject::connect(engine.videoView(), &MpvVideoView::frameDrawn, [&] {
        if (firstFrameMs < 0)
            firstFrameMs = sinceOpen.elapsed();
    });
    QElapsedTimer sinceTick;
    qint64 worstGapMs = 0;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        worstGapMs = std::max(worstGapMs, sinceTick.restart());
    });
    QString counts;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (engine.currentPosition() < kSeconds && engine.playState() == 2)
            return;
        ticks.stop();
        // Read once playback is over: a read waits for the core, which no frame keeps busy any more.
        engine.pause();
        for (const char *name : {"frame-drop-count", "decoder-frame-drop-count", "vo-delayed-frame-count"})
            counts += QLatin1Char(' ') + engine.property(name);
        app.quit();
    });
    QObject::connect(&engine, &MediaEngine::opened, [&](bool ok) {
        if (!ok) {
            app.exit(1);
            return;
        }
        if (withStats)
            engine.showDialog(1);
        engine.play();
        watch.start(50);
        sinceTick.start();
        ticks.start(10);
    });
    QTimer::singleShot(500, [&] {
        sinceOpen.start();
        engine.open(QString::fromUtf8(scene.clip));
    });
    QTimer::singleShot(120000, &app, [&] { app.exit(2); });
    const int rc = app.exec();
    std::printf("%lld%s %lld\n", static_cast<long long>(firstFrameMs), qPrintable(counts),
                static_cast<long long>(worstGapMs));
    return rc;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Figures {
    std::vector<double> cpu, mib, firstMs, drops, gapMs;
    int failed = 0;

    void add(const Run &run)
    {
        if (!run.ok) {
            ++failed;
            return;
        }
        cpu.push_back(run.cpuSeconds);
        mib.push_back(run.peakMiB);
        double first = -1, voDrops = -1, decDrops = -1, delayed = -1, gap = -1;
        std::sscanf(run.output.c_str(), "%lf %lf %lf %lf %lf", &first, &voDrops, &decDrops, &delayed, &gap);
        firstMs.push_back(first);
        drops.push_back(voDrops < 0 ? -1 : voDrops + decDrops);
        gapMs.push_back(gap);
    }
    void print(const char *name) const
    {
        std::printf("%-14s %8.2f %10.1f", name, median(cpu), median(mib));
        if (!drops.empty() && drops.front() >= 0)
            std::printf(" %8.0f", *std::max_element(drops.begin(), drops.end()));
        if (!firstMs.empty() && firstMs.front() >= 0)
            std::printf(" %12.0f %10.0f", median(firstMs), median(gapMs));
        std::printf("%s\n", failed ? "  (some runs FAILED)" : "");
    }
};

// Makes the mpv command line print its count of dropped frames as our child does, in the same columns.
std::string writeDropCounter(const QTemporaryDir &dir)
{
    const std::string path = dir.filePath(QStringLiteral("drops.lua")).toStdString();
    if (FILE *f = std::fopen(path.c_str(), "w")) {
        std::fputs("mp.register_event('end-file', function()\n"
                   "  local n = mp.get_property_number('frame-drop-count', 0)\n"
                   "    + mp.get_property_number('decoder-frame-drop-count', 0)\n"
                   "  io.stdout:write(string.format('-1 %d 0 -1 -1\\n', n))\n"
                   "end)\n",
                   f);
        std::fclose(f);
    }
    return "--script=" + path;
}

void comparePaths(const std::string &self, int runs)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QTemporaryDir dir;
    const std::string dropCounter = writeDropCounter(dir);
    for (int i = 0; i < static_cast<int>(std::size(kScenes)); ++i) {
        const Scene &scene = kScenes[i];
        if (scene.width > screen.width() || scene.height > screen.height()) {
            std::printf("%s: skipped, the screen is only %dx%d\n\n", scene.title, screen.width(), screen.height());
            continue;
        }
        const std::string index = std::to_string(i);
        Figures gl, software, mpv, bare;
        // Interleaved, so that a burst of load on the machine spreads over all four.
        for (int r = 0; r < runs; ++r) {
            gl.add(runChild({self, "--child", "gl", index}));
            software.add(runChild({self, "--child", "software", index}));
            mpv.add(runMpv(scene, {dropCounter}));
            bare.add(runChild({"ffmpeg", "-nostdin", "-loglevel", "error", "-t", "10", "-i", scene.clip, "-f", "null",
                               "-"}));
        }
        std::printf("%s, 10 s, median of %d runs (CPU seconds; frames dropped in the worst run)\n", scene.title, runs);
        std::printf("%-14s %8s %10s %8s %12s %10s\n", "", "CPU s", "peak MiB", "dropped", "first frame", "UI gap ms");
        gl.print("ours, gl");
        software.print("ours, software");
        mpv.print("mpv");
        bare.print("bare decoding");
        const double sw = median(software.cpu), glCpu = median(gl.cpu), mpvCpu = median(mpv.cpu);
        const double bareCpu = median(bare.cpu), swMib = median(software.mib), mpvMib = median(mpv.mib);
        if (mpvCpu > 0 && bareCpu > 0 && mpvMib > 0) {
            std::printf("software/mpv CPU     %6.3f  (target <= 0.45: %s)\n", sw / mpvCpu, verdict(sw / mpvCpu <= 0.45));
            std::printf("software/bare CPU    %6.3f  (target <= 2.2: %s)\n", sw / bareCpu, verdict(sw / bareCpu <= 2.2));
            std::printf("software/mpv memory  %6.3f  (target <= 0.75: %s)\n", swMib / mpvMib,
                        verdict(swMib / mpvMib <= 0.75));
            std::printf("gl/mpv CPU           %6.3f\n", glCpu / mpvCpu);
        }
        if (i == 0 && !software.drops.empty()) {
            const double worst = *std::max_element(software.drops.begin(), software.drops.end());
            std::printf("software drops at 720p in 1280x720  %.0f  (target 0: %s)\n", worst, verdict(worst == 0));
        }
        std::printf("\n");
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 3 && std::strcmp(argv[1], "--child") == 0) {
        const int scene = std::clamp(std::atoi(argv[3]), 0, static_cast<int>(std::size(kScenes)) - 1);
        return playOurs(argc, argv, argv[2], kScenes[scene], argc > 4 && std::strcmp(argv[4], "stats") == 0);
    }
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "engine_bench needs a display (run it under xvfb-run)\n");
        return 1;
    }
    const std::string self = argv[0];
    {
        // The screen's size is read from a display connection of our own, closed before the children start.
        int qtArgc = 1;
        QApplication app(qtArgc, argv);
        comparePaths(self, argc > 1 ? std::max(1, std::atoi(argv[1])) : 3);
    }
    const Scene &small = kScenes[kSmallWindow];
    const std::string smallIndex = std::to_string(kSmallWindow);
    const Run ours = runChild({self, "--child", "auto", smallIndex});
    const Run withStats = runChild({self, "--child", "auto", smallIndex, "stats"});
    const Run theirs = runMpv(small);
    std::printf("10 s of %s in a %dx%d window\n", small.clip, small.width, small.height);
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
