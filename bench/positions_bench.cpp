// The resume positions read from files of growing size, up to the 16 MB the loader takes: each line a
// movie of its own, so every line is a candidate. Prints the read's time, the time to split the same
// bytes into lines (the reference, same process) and the ratio, which stays flat when the read is
// one pass.
//   build/bench/positions_bench
#include "playback/ResumePositions.h"

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

QByteArray positionsFile(qsizetype bytes)
{
    QByteArray file = "vistrel positions 1\n";
    for (int n = 0; file.size() < bytes; ++n)
        file += "90000\t1048576\t1700000000000\t/films/movie%20" + QByteArray::number(n) + ".mkv\n";
    return file;
}

// Kept, so the reference's split is not left out by the compiler.
volatile qsizetype lineCount = 0;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main()
{
    std::printf("%10s %8s %10s %12s %7s\n", "bytes", "movies", "read ms", "split ms", "ratio");
    for (qsizetype bytes : {qsizetype(64) * 1024, qsizetype(1) << 20, qsizetype(4) << 20, qsizetype(16) << 20}) {
        const QByteArray file = positionsFile(bytes);
        std::vector<double> reads, splits;
        int movies = 0;
        for (int round = 0; round < 5; ++round) {
            double start = nowMs();
            movies = ResumePositions::read(file).size();
            reads.push_back(nowMs() - start);
            start = nowMs();
            lineCount = file.split('\n').size();
            splits.push_back(nowMs() - start);
        }
        const double read = median(reads), split = median(splits);
        std::printf("%10lld %8d %10.2f %12.2f %7.1f\n", static_cast<long long>(file.size()), movies, read, split,
                    read / std::max(split, 0.001));
    }
    // Target: the read costs a small multiple of splitting the bytes at every size (one pass), rather
    // than growing with the file times the thousand movies kept.
    return 0;
}
