// The disc description read from Quick ini files of growing size, each with numbered subtitle and
// chapter lists that fill it (one lookup per number). Each size runs in a process of its own and
// prints its time, the time to read the same file's bytes (the reference, same process) with the
// ratio, and the process's peak memory. A file past the reader's bound is refused as missing.
//   build/bench/quick_ini_bench
#include "disc/QuickIni.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

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
    file.write("[MOVIE]\r\nDirectory=movie\r\nAVIName=film.avi\r\n[MAIN]\r\nTitle=Bench\r\n"
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
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void measure(qint64 bytes)
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

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 sizes[] = {32 * 1024, 1024 * 1024, 4 * 1024 * 1024 - 4096, 50 * 1024 * 1024};
    for (qint64 bytes : sizes) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            measure(bytes);
            std::fflush(stdout);
            _exit(0);
        }
        waitpid(child, nullptr, 0);
    }
    return 0;
}
