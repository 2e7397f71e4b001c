// Plays 10 s of the 1080p test clip in a 640x360 window through our engine and through the mpv command
// line, each in a child process, and compares their CPU time and peak memory. Ours plays once more with
// the statistics window open; both of our runs print the engine's dropped and delayed frame counts.
// Before that it plays three scenes on each of our two ways of drawing against the mpv command line, the
// mpv command line with no video output (the floor for any player on libmpv) and bare decoding, and measures how late a 10 ms timer fires on the UI thread ("ui-gap" lines) in each
// scene, while the picture is zoomed, panned and scanned or taken to full screen, and while the Browse
// dialog is activated over a mount that never answers (as root, in a mount namespace of its own).
// Run under a display as large as full HD, e.g.
//   xvfb-run -a -s "-screen 0 1920x1080x24" ./engine_bench [runs per scene, default 3] [ui: lateness only]
#include "browse/Browsefrm.h"
#include "engine/MpvEngine.h"
#include "engine/MpvVideoView.h"
#include "engine/VideoOutput.h"
#include "support/StuckMount.h"

#include "BenchChild.h"
#include "BenchPanel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double kSeconds = 10;
constexpr int kTpp = 15;

// Our two ways of drawing, each against the mpv command line and bare decoding, in three scenes.
struct Scene {
    const char *title;
    const char *caseName;
    const char *clip;
    int width, height;
    int displaySize;
};
constexpr Scene kScenes[] = {
    {"720p clip in a 1280x720 window", "720p-1280x720", VISTREL_MEDIA_DIR "/hd720.mp4", 1280, 720, 0},
    {"720p clip at 1920x1080 full screen", "720p-fullscreen", VISTREL_MEDIA_DIR "/hd720.mp4", 1920, 1080, 4},
    {"1080p clip in a 640x360 window", "1080p-640x360", VISTREL_MEDIA_DIR "/hd1080.mp4", 640, 360, 4},
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


// What the child does to the picture while it plays, every quarter of a second.
enum class Action { None, Stats, Zoom, PanScan, FullScreen };

Action actionNamed(const char *name)
{
    const std::pair<const char *, Action> names[] = {{"stats", Action::Stats}, {"zoom", Action::Zoom},
                                                     {"panscan", Action::PanScan}, {"fullscreen", Action::FullScreen}};
    for (auto [n, a] : names) {
        if (std::strcmp(name, n) == 0)
            return a;
    }
    return Action::None;
}

// In the child: plays one scene, drawn as `output` ("gl", "software", or "auto" as the program would
// choose), doing `action` while it plays. Prints the first frame's time from the open, mpv's counts of
// frames dropped (by the output, by the decoder) and delayed, and the UI timer's lateness (UiLateness).
int playOurs(int argc, char **argv, const char *output, const Scene &scene, Action action)
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
    UiLateness lateness;
    // Zoom: the picture's own size against the whole window, stretched. Pan and scan: stretched wider
    // than the window and centred. Full screen: the window in and out of full screen.
    int step = 0;
    QTimer acting;
    QObject::connect(&acting, &QTimer::timeout, [&] {
        const bool on = ++step % 2;
        if (action == Action::Zoom) {
            engine.setDisplaySize(on ? 4 : 0);
            engine.setWidth((on ? scene.width : scene.width / 2) * kTpp);
            engine.setHeight((on ? scene.height : scene.height / 2) * kTpp);
        } else if (action == Action::PanScan) {
            engine.setDisplaySize(4);
            engine.setLeft(on ? -scene.width / 4 * kTpp : 0);
            engine.setWidth((on ? scene.width * 3 / 2 : scene.width) * kTpp);
        } else if (action == Action::FullScreen) {
            window.setWindowState(on ? Qt::WindowFullScreen : Qt::WindowNoState);
            const QSize size = on ? window.screen()->size() : QSize(scene.width, scene.height);
            engine.setWidth(size.width() * kTpp);
            engine.setHeight(size.height() * kTpp);
        }
    });
    QString counts;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (engine.currentPosition() < kSeconds && engine.playState() == 2)
            return;
        lateness.stop();
        acting.stop();
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
        if (action == Action::Stats)
            engine.showDialog(1);
        engine.play();
        watch.start(50);
        lateness.start();
        if (action != Action::None && action != Action::Stats)
            acting.start(250);
    });
    QTimer::singleShot(500, [&] {
        sinceOpen.start();
        engine.open(QString::fromUtf8(scene.clip));
    });
    QTimer::singleShot(120000, &app, [&] { app.exit(2); });
    const int rc = app.exec();
    std::printf("%lld%s %s\n", static_cast<long long>(firstFrameMs), qPrintable(counts), lateness.figures().c_str());
    return rc;
}

// In the child, in a mount namespace of its own: the panel's Browse dialog activated again and again
// while a mount under the home folder never answers. Prints the UI timer's lateness as playOurs does.
int browseOverStuckMount(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QDir(home.path()).mkpath(QStringLiteral("net"));
    auto stuck = std::make_unique<StuckMount>(home.path() + QStringLiteral("/net"));
    if (!stuck->mounted()) {
        std::fprintf(stderr, "no FUSE mount could be made (needs root and /dev/fuse)\n");
        return 3;
    }
    BenchPanel rig(home.path());
    Panelfrm &panel = rig.panel;
    panel.show();
    UiLateness lateness;
    int shown = 0;
    QTimer activations;
    QObject::connect(&activations, &QTimer::timeout, [&] {
        if (++shown > 20) {
            lateness.stop();
            app.quit();
            return;
        }
        panel.showBrowse(2, QStringLiteral("Locate Video file"));
        QTimer::singleShot(150, &panel, [&] { panel.browseDialog()->hide(); });
    });
    QTimer::singleShot(200, [&] {
        lateness.start();
        activations.start(300);
    });
    const int rc = app.exec();
    std::printf("-1 -1 -1 -1 %s\n", lateness.figures().c_str());
    std::fflush(stdout);
    // Before the dialog goes: its folder model waits at its end for the thread that lists the home
    // folder, which waits on the mount.
    stuck.reset();
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
    std::vector<double> cpu, mib, firstMs, drops, lateP50, lateP99, lateMax;
    int failed = 0;

    void add(const Run &run)
    {
        if (!run.ok) {
            ++failed;
            return;
        }
        cpu.push_back(run.cpuSeconds);
        mib.push_back(run.peakMiB);
        double first = -1, voDrops = -1, decDrops = -1, delayed = -1, p50 = -1, p99 = -1, max = -1;
        std::sscanf(run.output.c_str(), "%lf %lf %lf %lf %lf %lf %lf", &first, &voDrops, &decDrops, &delayed, &p50,
                    &p99, &max);
        firstMs.push_back(first);
        drops.push_back(voDrops < 0 ? -1 : voDrops + decDrops);
        lateP50.push_back(p50);
        lateP99.push_back(p99);
        lateMax.push_back(max);
    }
    // The worst run's lateness: one stutter is what a user notices.
    double worst(const std::vector<double> &v) const { return v.empty() ? -1 : *std::max_element(v.begin(), v.end()); }
    void printLateness(const char *caseName, const char *path) const
    {
        std::printf("ui-gap %s %s p99=%.1f max=%.1f  (median %.2f)\n", caseName, path, worst(lateP99), worst(lateMax),
                    median(lateP50));
    }
    void print(const char *name) const
    {
        std::printf("%-14s %8.2f %10.1f", name, median(cpu), median(mib));
        if (!drops.empty() && drops.front() >= 0)
            std::printf(" %8.0f", *std::max_element(drops.begin(), drops.end()));
        if (!firstMs.empty() && firstMs.front() >= 0)
            std::printf(" %12.0f %10.1f", median(firstMs), worst(lateMax));
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
                   "  io.stdout:write(string.format('-1 %d 0 -1 -1 -1 -1\\n', n))\n"
                   "end)\n",
                   f);
        std::fclose(f);
    }
    return "--script=" + path;
}

// The UI timer's targets while playing: the 99th percentile within 5 ms on both paths, the maximum
// within 25 ms on the GL path (on software OpenGL) and 16 ms on the software path.
void latenessVerdicts(const Figures &gl, const Figures &software)
{
    const double glMax = gl.worst(gl.lateMax), swMax = software.worst(software.lateMax);
    const double p99 = std::max(gl.worst(gl.lateP99), software.worst(software.lateP99));
    std::printf("ui-gap targets: gl max <= 25 %s, software max <= 16 %s, p99 <= 5 %s\n", verdict(glMax <= 25),
                verdict(swMax <= 16), verdict(p99 <= 5));
}

// The UI timer's lateness while the picture is zoomed, panned and scanned, and taken in and out of full
// screen, on both paths, in the first scene.
void compareActions(const std::string &self, int runs)
{
    std::printf("While playing %s, every quarter second:\n", kScenes[0].title);
    for (const char *action : {"zoom", "panscan", "fullscreen"}) {
        Figures gl, software;
        for (int r = 0; r < runs; ++r) {
            gl.add(runChild({self, "--child", "gl", "0", action}));
            software.add(runChild({self, "--child", "software", "0", action}));
        }
        gl.printLateness(action, "gl");
        software.printLateness(action, "software");
        latenessVerdicts(gl, software);
        std::fflush(stdout);
    }
    std::printf("\n");
}

// The Browse dialog activated while a mount never answers; needs root for the mount.
void compareBrowse(const std::string &self, int runs)
{
    Figures browse;
    for (int r = 0; r < runs; ++r)
        browse.add(runChild({"unshare", "--mount", "--propagation", "private", self, "--browse"}));
    if (browse.failed) {
        std::printf("browse-stuck-mount: skipped, no FUSE mount could be made here\n\n");
        return;
    }
    browse.printLateness("browse-stuck-mount", "-");
    const double max = browse.worst(browse.lateMax), p99 = browse.worst(browse.lateP99);
    std::printf("ui-gap targets: max <= 16 %s, p99 <= 5 %s\n\n", verdict(max <= 16), verdict(p99 <= 5));
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
        Figures gl, software, mpv, mpvNull, bare;
        // Interleaved, so that a burst of load on the machine spreads over all of them.
        for (int r = 0; r < runs; ++r) {
            gl.add(runChild({self, "--child", "gl", index}));
            software.add(runChild({self, "--child", "software", index}));
            mpv.add(runMpv(scene, {dropCounter}));
            mpvNull.add(runMpv(scene, {"--vo=null", "--hwdec=no"}));
            bare.add(runChild({"ffmpeg", "-nostdin", "-loglevel", "error", "-t", "10", "-i", scene.clip, "-f", "null",
                               "-"}));
        }
        std::printf("%s, 10 s, median of %d runs (CPU seconds; frames dropped in the worst run)\n", scene.title, runs);
        std::printf("%-14s %8s %10s %8s %12s %10s\n", "", "CPU s", "peak MiB", "dropped", "first frame", "UI gap ms");
        gl.print("ours, gl");
        software.print("ours, software");
        mpv.print("mpv");
        // Playing in time with no picture at all: what libmpv's core costs any player built on it.
        mpvNull.print("mpv, no video");
        bare.print("bare decoding");
        const double sw = median(software.cpu), glCpu = median(gl.cpu), mpvCpu = median(mpv.cpu);
        const double bareCpu = median(bare.cpu), swMib = median(software.mib), mpvMib = median(mpv.mib);
        // The software path's targets in each scene: against mpv, and against bare decoding.
        const double mpvTarget[] = {0, 0.25, 0.40};
        const double bareTarget[] = {1.6, 0, 1.6};
        if (mpvCpu > 0 && bareCpu > 0 && mpvMib > 0) {
            if (mpvTarget[i] > 0)
                std::printf("software/mpv CPU     %6.3f  (target <= %.2f: %s)\n", sw / mpvCpu, mpvTarget[i],
                            verdict(sw / mpvCpu <= mpvTarget[i]));
            else
                std::printf("software/mpv CPU     %6.3f\n", sw / mpvCpu);
            if (bareTarget[i] > 0)
                std::printf("software/bare CPU    %6.3f  (target <= %.2f: %s)\n", sw / bareCpu, bareTarget[i],
                            verdict(sw / bareCpu <= bareTarget[i]));
            else
                std::printf("software/bare CPU    %6.3f\n", sw / bareCpu);
            std::printf("software/mpv memory  %6.3f  (target <= 0.70: %s)\n", swMib / mpvMib,
                        verdict(swMib / mpvMib <= 0.70));
            if (const double nullCpu = median(mpvNull.cpu); nullCpu > 0)
                std::printf("mpv no video/bare    %6.3f  software/mpv no video %6.3f\n", nullCpu / bareCpu,
                            sw / nullCpu);
            std::printf("gl/mpv CPU           %6.3f\n", glCpu / mpvCpu);
        }
        const double worstDrops = software.worst(software.drops);
        std::printf("software drops       %6.0f  (target 0: %s)\n", worstDrops, verdict(worstDrops == 0));
        gl.printLateness(scene.caseName, "gl");
        software.printLateness(scene.caseName, "software");
        latenessVerdicts(gl, software);
        std::printf("\n");
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--browse") == 0)
        return browseOverStuckMount(argc, argv);
    if (argc > 3 && std::strcmp(argv[1], "--child") == 0) {
        const int scene = std::clamp(std::atoi(argv[3]), 0, static_cast<int>(std::size(kScenes)) - 1);
        return playOurs(argc, argv, argv[2], kScenes[scene], argc > 4 ? actionNamed(argv[4]) : Action::None);
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
        const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
        const bool onlyLateness = argc > 2 && std::strcmp(argv[2], "ui") == 0;
        if (!onlyLateness)
            comparePaths(self, runs);
        compareActions(self, runs);
        compareBrowse(self, runs);
        if (onlyLateness)
            return 0;
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
