// What showing a movie's own text track costs in reading: a 1 GB Matroska movie with a SubRip track,
// made from the test media without re-encoding in a temporary folder, played for 10 s in our engine
// with the track chosen and its cues taken, and in the mpv command line with the same track shown.
// Prints the bytes read (read_bytes: from the disk; rchar: through read calls, cache or not) and the
// CPU of each, and the ratio of ours to mpv's beside its target.
#include "BenchChild.h"

#include "engine/MpvEngine.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <clocale>
#include <cstring>
#include <fcntl.h>

namespace {

constexpr int kSeconds = 10;
constexpr double kTarget = 2.0;
// hd1080.mp4 is 34 MB of 20 s: 30 times over is a 1 GB, ten-minute movie.
constexpr int kLoops = 30;
constexpr int kMovieSeconds = 20 * kLoops;

// A cue of two seconds every three, over the whole movie.
QByteArray subRip()
{
    QByteArray out;
    const auto time = [](int s) {
        char text[32];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d,000", s / 3600, s / 60 % 60, s % 60);
        return QByteArray(text);
    };
    for (int i = 0, s = 0; s + 2 < kMovieSeconds; ++i, s += 3)
        out += QByteArray::number(i + 1) + "\n" + time(s) + " --> " + time(s + 2) + "\nCue " + QByteArray::number(i + 1) + "\n\n";
    return out;
}

// In the child: opens the movie, chooses its text track and plays it for kSeconds, counting the cues.
int playOurs(int argc, char **argv, const char *movie)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(0, 0, 640, 360);
    MpvEngine engine(true, 15, 15);
    engine.videoWidget()->setParent(&window);
    engine.setWidth(640 * 15);
    engine.setHeight(360 * 15);
    window.show();
    int cues = 0;
    QObject::connect(&engine, &MediaEngine::cueDue, [&] { ++cues; });
    QObject::connect(&engine, &MediaEngine::opened, [&](bool ok) {
        if (!ok) {
            app.exit(1);
            return;
        }
        for (const MovieTrack &t : engine.tracks()) {
            if (t.type == MovieTrack::Type::Subtitle && !t.picture) {
                engine.setSubtitleTrack(t.id);
                break;
            }
        }
        engine.play();
        QTimer::singleShot(kSeconds * 1000, &app, &QApplication::quit);
    });
    engine.open(QString::fromUtf8(movie));
    QTimer::singleShot(120000, &app, [&] { app.exit(2); });
    const int rc = app.exec();
    std::fprintf(stderr, "cues taken: %d\n", cues);
    return rc == 0 && cues > 0 ? 0 : 1;
}

// Runs a command under a shell that prints its own /proc io once the command has been waited for: the
// kernel adds a reaped child's reading to its parent's, so both players are counted the same way.
struct Reading {
    Run run;
    double readBytes = 0, rchar = 0;
};
Reading measured(std::vector<std::string> command)
{
    command.insert(command.begin(), {"sh", "-c", "\"$@\" >/dev/null; cat /proc/$$/io", "sh"});
    Reading r;
    r.run = runChild(command);
    for (const QByteArray &line : QByteArray::fromStdString(r.run.output).split('\n')) {
        if (line.startsWith("read_bytes: "))
            r.readBytes = line.mid(12).toDouble();
        else if (line.startsWith("rchar: "))
            r.rchar = line.mid(7).toDouble();
    }
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--child") == 0)
        return playOurs(argc, argv, argv[2]);
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "texttrack_bench needs a display (run it under xvfb-run)\n");
        return 1;
    }
    QTemporaryDir folder;
    const std::string srt = folder.filePath("cues.srt").toStdString();
    const std::string movie = folder.filePath("movie.mkv").toStdString();
    {
        QFile f(QString::fromStdString(srt));
        if (!f.open(QIODevice::WriteOnly) || f.write(subRip()) < 0)
            return 1;
    }
    const Run made = runChild({"ffmpeg", "-v", "error", "-stream_loop", std::to_string(kLoops - 1), "-i",
                               VISTREL_MEDIA_DIR "/hd1080.mp4", "-i", srt, "-map", "0:v", "-map", "0:a", "-map",
                               "1", "-c", "copy", "-c:s", "srt", "-t", std::to_string(kMovieSeconds), "-f",
                               "matroska", movie});
    if (!made.ok) {
        std::fprintf(stderr, "could not make the movie\n");
        return 1;
    }
    std::printf("movie: %.0f MB, %d s, with a SubRip track\n", QFileInfo(QString::fromStdString(movie)).size() / 1e6,
                kMovieSeconds);
    // Out of the page cache, so that read_bytes counts what comes from the disk for each run alike.
    const auto uncached = [&] {
        const int fd = ::open(movie.c_str(), O_RDONLY);
        if (fd >= 0) {
            posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
    };
    uncached();
    const Reading ours = measured({argv[0], "--child", movie});
    uncached();
    const Reading mpv = measured({"mpv", "--no-config", "--really-quiet", "--geometry=640x360+0+0", "--sid=1",
                                  "--length=" + std::to_string(kSeconds), movie});
    std::printf("%-6s %14s %14s %8s %s\n", "", "read_bytes MB", "rchar MB", "CPU s", "exit");
    for (const auto &[name, r] : {std::pair{"ours", &ours}, std::pair{"mpv", &mpv}})
        std::printf("%-6s %14.1f %14.1f %8.2f %s\n", name, r->readBytes / 1e6, r->rchar / 1e6, r->run.cpuSeconds,
                    r->run.ok ? "ok" : "FAILED");
    // Both counts of reading are held to the target.
    const double fromDisk = mpv.readBytes > 0 ? ours.readBytes / mpv.readBytes : 0;
    const double throughReads = mpv.rchar > 0 ? ours.rchar / mpv.rchar : 0;
    const double cpuRatio = mpv.run.cpuSeconds > 0 ? ours.run.cpuSeconds / mpv.run.cpuSeconds : 0;
    const bool ran = ours.run.ok && mpv.run.ok && fromDisk > 0 && throughReads > 0;
    std::printf("read/mpv %.2f (read_bytes), %.2f (rchar), target at most %.1f: %s\n", fromDisk, throughReads,
                kTarget, verdict(ran && fromDisk <= kTarget && throughReads <= kTarget));
    std::printf("CPU ours/mpv %.2f\n", cpuRatio);
    return 0;
}
