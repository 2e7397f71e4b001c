// The resume positions file from any bytes: at most 1000 movies; each one kept is a line of the file
// (its frame, size, time and path as the line has them) with the newest line kept; what is read is
// written so that it reads back the same.
#include "fuzz_check.h"
#include "playback/ResumePositions.h"

#include <QSet>
#include <cstdint>

namespace {

// A line's movie, taken apart here by the file's own layout rather than by the reader.
struct Line {
    qint64 frame = -1, size = -1, modified = 0;
    QString path;
    bool ok = false;
};

Line parse(const QByteArray &text)
{
    Line l;
    const QList<QByteArray> f = text.split('\t');
    if (f.size() != 4)
        return l;
    bool a = false, b = false, c = false;
    l.frame = f[0].toLongLong(&a);
    l.size = f[1].toLongLong(&b);
    l.modified = f[2].toLongLong(&c);
    l.path = QString::fromUtf8(QByteArray::fromPercentEncoding(f[3]));
    l.ok = a && b && c && l.frame >= 0 && l.size >= 0 && !l.path.isEmpty();
    return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ResumePositions first = ResumePositions::read(raw);
    PROPERTY(first.size() <= ResumePositions::kMaxEntries);

    const QByteArray written = first.write();
    PROPERTY(ResumePositions::read(written).write() == written);

    QSet<QString> fileLines;
    Line newest;
    const QList<QByteArray> lines = raw.split('\n');
    // Another kind of file, or none, holds nothing.
    const bool positionsFile = lines.first() == "vistrel positions 1";
    PROPERTY(positionsFile || first.size() == 0);
    for (qsizetype i = 1; positionsFile && i < lines.size(); ++i) {
        const Line l = parse(lines[i]);
        if (!l.ok)
            continue;
        fileLines.insert(QStringLiteral("%1 %2 %3 ").arg(l.frame).arg(l.size).arg(l.modified) + l.path);
        newest = l;
    }
    const QList<QByteArray> out = written.split('\n');
    PROPERTY(out.size() == first.size() + 2 && out.last().isEmpty());
    QSet<QString> paths;
    for (qsizetype i = 1; i + 1 < out.size(); ++i) {
        const Line l = parse(out[i]);
        PROPERTY(l.ok && !paths.contains(l.path));
        paths.insert(l.path);
        PROPERTY(fileLines.contains(QStringLiteral("%1 %2 %3 ").arg(l.frame).arg(l.size).arg(l.modified) + l.path));
        PROPERTY(first.frameOf(MovieKey{l.path, l.size, l.modified}) == l.frame);
    }
    if (newest.ok)
        PROPERTY(first.frameOf(MovieKey{newest.path, newest.size, newest.modified}) == newest.frame);
    return 0;
}
