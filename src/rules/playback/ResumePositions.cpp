#include "playback/ResumePositions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <algorithm>

namespace {

const QByteArray kHeader = "vistrel positions 1";

// A positions file is small; anything far larger is not one.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

std::optional<qint64> wholeNumber(const QByteArray &field)
{
    bool ok = false;
    const qint64 v = field.toLongLong(&ok);
    return ok ? std::optional(v) : std::nullopt;
}

}  // namespace

std::optional<MovieKey> movieKey(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable())
        return std::nullopt;
    return MovieKey{info.absoluteFilePath(), info.size(), info.lastModified().toMSecsSinceEpoch()};
}

bool worthResuming(double frame, double durationFrames, double fps)
{
    const double minute = 60 * fps;
    return fps > 0 && frame > minute && durationFrames - frame > minute;
}

ResumePositions ResumePositions::read(const QByteArray &bytes)
{
    ResumePositions positions;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first() != kHeader)
        return positions;
    // The last line of a movie is its newest: read from the end, one pass however long the file, up
    // to the newest kMaxEntries movies.
    QSet<QString> seen;
    for (qsizetype i = lines.size() - 1; i >= 1 && positions.size() < kMaxEntries; --i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        if (fields.size() != 4)
            continue;
        const auto frame = wholeNumber(fields[0]);
        const auto size = wholeNumber(fields[1]);
        const auto modified = wholeNumber(fields[2]);
        const QString path = QString::fromUtf8(QByteArray::fromPercentEncoding(fields[3]));
        if (!frame || *frame < 0 || !size || *size < 0 || !modified || path.isEmpty() || seen.contains(path))
            continue;
        seen.insert(path);
        positions.entries_.push_back({MovieKey{path, *size, *modified}, *frame});
    }
    std::reverse(positions.entries_.begin(), positions.entries_.end());
    return positions;
}

QByteArray ResumePositions::write() const
{
    QByteArray out = kHeader + '\n';
    for (const Entry &e : entries_) {
        out += QByteArray::number(e.frame) + '\t' + QByteArray::number(e.key.size) + '\t' +
               QByteArray::number(e.key.modifiedMs) + '\t' + e.key.path.toUtf8().toPercentEncoding("/") + '\n';
    }
    return out;
}

std::optional<qint64> ResumePositions::frameOf(const MovieKey &key) const
{
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry &e) { return e.key == key; });
    return it == entries_.end() ? std::nullopt : std::optional(it->frame);
}

void ResumePositions::keep(const MovieKey &key, qint64 frame)
{
    forget(key);
    entries_.push_back({key, frame});
    if (entries_.size() > size_t(kMaxEntries))
        entries_.erase(entries_.begin(), entries_.end() - kMaxEntries);
}

void ResumePositions::forget(const MovieKey &key)
{
    // Any entry of the same path goes: the file it described is gone or has changed.
    std::erase_if(entries_, [&](const Entry &e) { return e.key.path == key.path; });
}

ResumePositions ResumePositions::load(const QString &path)
{
    QFile file(path);
    const QFileInfo info(path);
    // A folder or a pipe in its place is no positions file, and a pipe would wait for a writer.
    if (!info.isFile() || info.size() > kMaxFileBytes || !file.open(QIODevice::ReadOnly))
        return {};
    return read(file.readAll());
}

bool ResumePositions::save(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile buffers: a full disk shows only at the flush, and commit() would still put the short
    // file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
