// Start-up figures under a real display: from process start to the panel's first paint, and from a
// movie dropped on "Video" to its first frame drawn. Runs itself ten times as a fresh process and
// prints the medians against the targets. Run by hand under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/startup_bench
#include "dialogs/Dialogs.h"
#include "support/PanelControls.h"
#include "engine/MpvVideoView.h"
#include "startup/Program.h"
#include "support/RealPicture.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kRuns = 10;
constexpr double kPanelTargetMs = 150;
constexpr double kFrameTargetMs = 200;

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Notes the first paint of the panel.
class FirstPaint : public QObject {
public:
    double at = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && at == 0)
            at = nowMs();
        return false;
    }
};

// One measured run, in a process of its own; `spawnedAt` is the parent's clock when it started us.
int child(int argc, char **argv, double spawnedAt)
{
    QApplication qapp(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QTemporaryDir folder;
    QtDialogs dialogs;
    Program program(folder.path(), QString(), dialogs);
    FirstPaint painted;
    program.panel.installEventFilter(&painted);
    double dropAt = 0, frameAt = 0;
    QTimer::singleShot(0, [&] {
        // Let the panel's first paint through before the drop.
        QTimer::singleShot(100, [&] {
            MpvVideoView *video = program.MediaPlayer1.videoView();
            QObject::connect(video, &MpvVideoView::frameDrawn, [&] {
                if (frameAt == 0) {
                    frameAt = nowMs();
                    program.panel.Form_Unload(0);
                }
            });
            dropAt = nowMs();
            RealPicture::dropFiles(ctl(program.panel, "openfile"), {RealPicture::clip25});
        });
    });
    QTimer::singleShot(20000, [&] { program.panel.Form_Unload(0); });
    program.run();
    if (painted.at == 0 || frameAt == 0)
        return 1;
    std::printf("%.3f %.3f\n", painted.at - spawnedAt, frameAt - dropAt);
    return 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QByteArray(argv[2]).toDouble());
    QCoreApplication app(argc, argv);
    if (!QFile::exists(RealPicture::clip25)) {
        std::printf("missing %s: build the test_media target first\n", qPrintable(RealPicture::clip25));
        return 1;
    }
    QTemporaryDir runtime;  // the instance lock of the runs, away from a player that may be running
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    std::vector<double> panel, frame;
    for (int i = 0; i < kRuns; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::SeparateChannels);
        p.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--child"), QString::number(nowMs(), 'f', 3)});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            std::printf("run %d failed\n", i + 1);
            continue;
        }
        const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
        if (f.size() != 2)
            continue;
        panel.push_back(f[0].toDouble());
        frame.push_back(f[1].toDouble());
    }
    if (panel.empty())
        return 1;
    const double panelMs = median(panel), frameMs = median(frame);
    std::printf("runs                          %zu\n", panel.size());
    std::printf("process start to panel paint  %8.1f ms  (target %.0f ms: %s)\n", panelMs, kPanelTargetMs,
                panelMs <= kPanelTargetMs ? "met" : "missed");
    std::printf("drop on Video to first frame  %8.1f ms  (target %.0f ms: %s)\n", frameMs, kFrameTargetMs,
                frameMs <= kFrameTargetMs ? "met" : "missed");
    return 0;
}
