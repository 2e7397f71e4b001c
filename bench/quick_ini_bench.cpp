// Quick ini files of list entries: numbered subtitle tracks and chapters that fill them (one lookup per
// number).
//   the reader    files of growing size, each read in a process of its own: its time against reading the
//                 same file's bytes (the reference, same process) with the ratio, and the peak memory.
//                 A file past the reader's bound is refused as missing.
//   the panel     a 4 MB file dropped on the CD button of the panel (its preferences and its scene window
//                 made, as after a user has looked at them) while a movie is open, until the disc's movie
//                 has opened and its labels are up: how late a 10 ms timer on the UI thread fires
//                 meanwhile, against the panel alone for as long (the timer's floor on this machine at
//                 this moment) and against the same file read on the UI thread (as the panel read it
//                 before). Then the same drop on a panel that has opened nothing yet, beside the disc's
//                 movie opened alone there: both carry the engine's first start.
// Each run is a process of its own. Run on a build without sanitizers, under a display:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/quick_ini_bench [runs, default 5]
#include "disc/QuickIni.h"
#include "disc/SelectFrm.h"
#include "disc/IniReader.h"

#include "BenchChild.h"
#include "BenchPanel.h"
#include "support/PanelControls.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <clocale>
#include <cstring>
#include <ctime>

namespace {

constexpr double kGapTargetMs = 16;

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// About `bytes` of a disc's description: half subtitle tracks, half chapters.
void writeIni(const QString &path, qint64 bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("[MOVIE]\r\nDirectory=movie\r\nAVIName=film.mp4\r\n[MAIN]\r\nTitle=Bench\r\n"
               "[SUBTITLES]\r\nDirectory=subs\r\nDefault=1\r\n");
    qint64 written = 0;
    for (int n = 1; written < bytes / 2; ++n) {
        const QByteArray number = QByteArray::number(n);
        const QByteArray lines = number + "=" + number + " Track number " + number + "\r\nFile=track" + number + ".srt\r\n";
        written += file.write(lines);
    }
    file.write("[CHAPTERS]\r\n");
    for (int n = 1; written < bytes; ++n) {
        const QByteArray number = QByteArray::number(n);
        written += file.write(number + "=" + QByteArray::number(n * 250) + " Chapter " + number + "\r\n");
    }
}

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double worst(const std::vector<double> &v)
{
    return v.empty() ? -1 : *std::max_element(v.begin(), v.end());
}

void measureReader(qint64 bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kelmora.ini"));
    writeIni(path, bytes);
    std::vector<double> reads, references;
    qsizetype tracks = 0, chapters = 0;
    for (int run = 0; run < 3; ++run) {
        double t0 = nowMs();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray all = file.readAll();
        references.push_back(nowMs() - t0);
        t0 = nowMs();
        const QuickDisc disc = QuickIni::read(path, dir.path() + QLatin1Char('/'));
        reads.push_back(nowMs() - t0);
        tracks = disc.subNames.size();
        chapters = disc.chapters.size();
        (void)all;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double read = median(reads), reference = median(references);
    std::printf("%9.2f MB  %7lld tracks %7lld chapters  read %9.2f ms  bytes alone %7.2f ms  ratio %8.1f  peak %7.1f MB\n",
                bytes / 1048576.0, static_cast<long long>(tracks), static_cast<long long>(chapters), read, reference,
                read / std::max(reference, 0.001), usage.ru_maxrss / 1024.0);
}

// A disc folder beside the Quick ini file: its movie (a clip of the test media) and its default track.
QString makeDisc(const QTemporaryDir &dir)
{
    QDir(dir.path()).mkpath(QStringLiteral("movie"));
    QDir(dir.path()).mkpath(QStringLiteral("subs"));
    QFile::link(QStringLiteral(VISTREL_MEDIA_DIR "/clip25.mp4"), dir.filePath(QStringLiteral("movie/film.mp4")));
    QFile track(dir.filePath(QStringLiteral("subs/track1.srt")));
    track.open(QIODevice::WriteOnly);
    track.write("1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n\r\n");
    const QString ini = dir.filePath(QStringLiteral("kelmora.ini"));
    writeIni(ini, IniFile::kMaxBytes - 4096);
    return ini;
}

enum class Way {
    Drop,        // the disc dropped while a movie is open (paused), the engine started
    DropFirst,   // the disc dropped on a panel that has opened nothing yet
    MovieFirst,  // the disc's movie itself opened on a panel that has opened nothing yet
    Idle,        // the panel alone, a movie open
    OnUiThread,  // the file read on the UI thread, a movie open
};

// The panel with its windows, a movie opened first where the way says so, then after a moment the way
// itself. Prints the UI timer's median, 99th percentile and maximum lateness (up to a moment after the
// run), the milliseconds to the read's end and to the run's end, and the subtitle tracks listed.
int runPanel(int argc, char **argv, const QString &ini, Way way)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    // The single-instance lock lives there, and goes only at the process's end.
    static const QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QTemporaryDir home;
    BenchPanel rig(home.path());
    rig.panel.Form_Load();
    rig.panel.LblScenes_Click();
    rig.panel.selection()->hide();
    const QString movie = QFileInfo(ini).absolutePath() + QStringLiteral("/movie/film.mp4");
    UiLateness lateness;
    QElapsedTimer clock;
    double readMs = -1, runMs = -1;
    const auto finish = [&] {
        QTimer::singleShot(300, &app, [&] {
            lateness.stop();
            std::printf("%s %.0f %.0f %lld\n", lateness.figures().c_str(), readMs, runMs,
                        static_cast<long long>(rig.session.tracks().subtitles().size()));
            app.quit();
        });
    };
    const auto start = [&] {
        lateness.start();
        clock.start();
        switch (way) {
        case Way::Drop:
        case Way::DropFirst:
            QObject::connect(&rig.session, &PlayerSession::discRead, [&] { readMs = double(clock.elapsed()); });
            QObject::connect(&rig.session, &PlayerSession::discRunEnded, [&] {
                runMs = double(clock.elapsed());
                finish();
            });
            emit ctl(rig.panel, "CDplay")->Dropped({ini});
            break;
        case Way::MovieFirst:
            QObject::connect(&rig.session, &PlayerSession::movieOpenEnded, [&] {
                runMs = double(clock.elapsed());
                finish();
            });
            rig.session.openMovie(movie);
            break;
        case Way::Idle:
            QTimer::singleShot(800, &app, finish);
            break;
        case Way::OnUiThread: {
            const QuickDisc disc = QuickIni::read(ini, QFileInfo(ini).absolutePath() + QLatin1Char('/'));
            readMs = double(clock.elapsed());
            finish();
            break;
        }
        }
    };
    if (way == Way::DropFirst || way == Way::MovieFirst) {
        QTimer::singleShot(300, &app, start);
    } else {
        QObject::connect(&rig.session, &PlayerSession::movieOpenEnded, &app,
                         [&] { QTimer::singleShot(300, &app, start); }, Qt::SingleShotConnection);
        rig.session.openMovie(movie);
    }
    QTimer::singleShot(60000, &app, [&] { app.exit(2); });
    return app.exec();
}

struct Figures {
    std::vector<double> gapMax, readMs, runMs;
    long long tracks = 0;
    int failed = 0;
    void add(const Run &run)
    {
        double p50 = -1, p99 = -1, max = -1, read = -1, ran = -1;
        long long tracks = 0;
        if (!run.ok
            || std::sscanf(run.output.c_str(), "%lf %lf %lf %lf %lf %lld", &p50, &p99, &max, &read, &ran, &tracks) != 6) {
            ++failed;
            return;
        }
        gapMax.push_back(max);
        readMs.push_back(read);
        runMs.push_back(ran);
        this->tracks = tracks;
    }
    void print(const char *name) const
    {
        std::printf("%-34s %10.1f %10.1f %10.0f %10.0f%s\n", name, worst(gapMax), median(gapMax), median(readMs),
                    median(runMs), failed ? "  (some runs FAILED)" : "");
    }
};

}  // namespace

int main(int argc, char **argv)
{
    const std::pair<const char *, Way> ways[] = {{"--drop", Way::Drop},
                                                 {"--drop-first", Way::DropFirst},
                                                 {"--movie-first", Way::MovieFirst},
                                                 {"--idle", Way::Idle},
                                                 {"--on-ui-thread", Way::OnUiThread}};
    for (const auto &[option, way] : ways) {
        if (argc > 2 && std::strcmp(argv[1], option) == 0)
            return runPanel(argc, argv, QString::fromLocal8Bit(argv[2]), way);
    }
    if (argc > 2 && std::strcmp(argv[1], "--reader") == 0) {
        QCoreApplication app(argc, argv);
        measureReader(std::atoll(argv[2]));
        return 0;
    }

    const std::string self = argv[0];
    std::printf("The reader\n");
    for (qint64 bytes : {qint64(32 * 1024), qint64(1024 * 1024), IniFile::kMaxBytes - 4096, qint64(50 * 1024 * 1024)}) {
        const Run run = runChild({self, "--reader", std::to_string(bytes)});
        std::printf("%s", run.output.c_str());
    }
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "the panel's figures need a display (run it under xvfb-run)\n");
        return 1;
    }

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QTemporaryDir dir;
    const std::string ini = makeDisc(dir).toStdString();
    Figures figures[std::size(ways)];
    // Interleaved, so that a burst of load on the machine spreads over all of them.
    for (int r = 0; r < runs; ++r) {
        for (size_t w = 0; w < std::size(ways); ++w)
            figures[w].add(runChild({self, ways[w].first, ini}));
    }
    const Figures &drop = figures[0], &dropFirst = figures[1], &movieFirst = figures[2], &idle = figures[3],
                  &onUi = figures[4];
    std::printf("\nThe panel: a %.1f MB Quick ini file (%lld subtitle tracks, then chapters) dropped on the CD "
                "button, %d runs (gap max: the worst run)\n",
                QFileInfo(QString::fromStdString(ini)).size() / 1048576.0, drop.tracks, runs);
    std::printf("%-34s %10s %10s %10s %10s\n", "", "gap max", "median", "read ms", "run ms");
    drop.print("dropped, a movie open (ours)");
    idle.print("panel alone, a movie open");
    onUi.print("read on the UI thread (before)");
    dropFirst.print("dropped before any movie");
    movieFirst.print("its movie alone before any movie");
    const double gap = worst(drop.gapMax), floor = worst(idle.gapMax);
    std::printf("longest UI gap          %6.1f ms   (panel alone %.1f, read on the UI thread %.1f; target <= %.0f: %s)\n",
                gap, floor, median(onUi.gapMax), kGapTargetMs, verdict(!drop.failed && gap <= kGapTargetMs));
    std::printf("before any movie        %6.1f ms   (its movie alone %.1f: the engine's first start)\n",
                worst(dropFirst.gapMax), worst(movieFirst.gapMax));
    return 0;
}
