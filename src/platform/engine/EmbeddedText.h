#pragma once
// Reads the cues of a movie's own text subtitle track with FFmpeg's demuxers, on a thread of its own:
// the whole track up front, so the display times every cue to the frame as it does a file's. The
// libraries are loaded at first use (libmpv has brought them in by then).
#include "subtitles/EmbeddedCues.h"

#include <QObject>
#include <atomic>
#include <memory>

class EmbeddedText : public QObject {
    Q_OBJECT
public:
    explicit EmbeddedText(QObject *parent = nullptr);
    ~EmbeddedText() override;

    // Starts reading the track of `movie` that shows when no subtitle file is loaded; an earlier read
    // is given up. `found` follows on this object's thread when the movie has such a track.
    void read(const QString &movie);
    // Gives up the read under way without waiting for it (a drive may not answer); its result never
    // arrives.
    void cancel();

    // The tracks of `movie` and the cues of the chosen one, read here and now; `stop` ends the read early.
    static std::optional<EmbeddedTrack> readNow(const QString &movie, const std::atomic<bool> &stop);

signals:
    void found(const QString &movie, const EmbeddedTrack &track);

private:
    // Takes what reads have left in the inbox; posted by name, so that nothing but the inbox passes
    // between the threads.
    Q_INVOKABLE void collect();

    // Where a read hands its result over; it outlives this object for reads still under way.
    struct Inbox;
    std::shared_ptr<Inbox> inbox_;
    std::shared_ptr<std::atomic<bool>> stop_;
    quint64 generation_ = 0;
};
