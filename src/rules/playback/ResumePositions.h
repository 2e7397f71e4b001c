#pragma once
// Where each movie was left part-way, kept in a file of its own so that opening the movie again starts
// at that frame. A movie is known by its path, size and modification time: a file replaced under the
// same name starts from the beginning. The newest 1000 movies are kept.
//
// The file: a header line, then one line per movie, oldest first: frame, size, modification time in
// milliseconds and the percent-encoded path, separated by tabs. A file that is missing, unreadable or
// not of this kind holds nothing; a line that does not read is passed over.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct MovieKey {
    QString path;
    qint64 size = 0;
    qint64 modifiedMs = 0;
    bool operator==(const MovieKey &) const = default;
};

// The key of the file at `path` as it is now; nothing when it is not a readable file.
std::optional<MovieKey> movieKey(const QString &path);

// Whether a position is worth coming back to: more than a minute into the movie and more than a minute
// from its end. Frames, at `fps` frames a second.
bool worthResuming(double frame, double durationFrames, double fps);

class ResumePositions {
public:
    static constexpr int kMaxEntries = 1000;

    static ResumePositions read(const QByteArray &bytes);
    QByteArray write() const;

    std::optional<qint64> frameOf(const MovieKey &key) const;
    // Keeps the movie's frame as the newest entry; the oldest goes past kMaxEntries.
    void keep(const MovieKey &key, qint64 frame);
    void forget(const MovieKey &key);
    int size() const { return int(entries_.size()); }

    // The file at `path`; a missing or damaged one gives no entries.
    static ResumePositions load(const QString &path);
    // Replaces `path` atomically; false, with the old file whole, when it could not be written.
    static bool save(const QString &path, const QByteArray &bytes);

private:
    struct Entry {
        MovieKey key;
        qint64 frame;
    };
    std::vector<Entry> entries_;  // oldest first
};
