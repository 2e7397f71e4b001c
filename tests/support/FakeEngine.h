#pragma once
// An engine double whose clock, position and play state the tests drive. It keeps every value
// written and records the calls the panel makes.
#include "engine/MediaEngine.h"

#include <QSet>
#include <QStringList>
#include <algorithm>
#include <optional>

class FakeEngine : public MediaEngine {
    Q_OBJECT
public:
    using MediaEngine::MediaEngine;

    // What a file "contains": seconds, frame count and picture size. Paths in `unopenable` fail.
    double seconds = 90;
    double frames = 2250;
    int imageWidth = 320;
    int imageHeight = 240;
    QSet<QString> unopenable;
    // The file's own tracks and chapters (starts in seconds); an open takes the audio track marked
    // default, else the first, and no subtitle track, as the real engine does.
    QList<MovieTrack> movieTracks;
    QList<MovieChapter> movieChapters;
    // The file tells no frame rate, so the engine assumes one.
    bool assumedRate = false;
    // An open answers at once, unless opens are held: then it answers when the test calls
    // finishOpen(), as a real engine does once the file has loaded.
    bool holdOpens = false;
    // "play", "pause", "open <path>", "close", "seek <pos>", "dialog <n>", "aid <id>", "sid <id>",
    // "delay <d>"
    QStringList calls;

    QString fileName() const override { return file_; }
    void open(const QString &path) override
    {
        calls << QStringLiteral("open ") + path;
        playing_ = false;
        pos_ = 0;
        file_.clear();
        pending_ = path;
        if (!holdOpens)
            finishOpen();
    }
    void close() override
    {
        calls << QStringLiteral("close");
        pending_.reset();
        playing_ = false;
        pos_ = 0;
        file_.clear();
    }
    bool opening() const { return pending_.has_value(); }
    void finishOpen()
    {
        if (!pending_)
            return;
        const QString path = *pending_;
        pending_.reset();
        file_ = unopenable.contains(path) ? QString() : path;
        const QList<MovieTrack> audio = MovieTracks::ofType(movieTracks, MovieTrack::Type::Audio);
        const auto marked = std::find_if(audio.begin(), audio.end(), [](const MovieTrack &t) { return t.isDefault; });
        aid_ = marked != audio.end() ? marked->id : audio.isEmpty() ? 0 : audio.first().id;
        sid_ = 0;
        delay_ = 0;
        emit opened(!file_.isEmpty());
    }
    int displayMode() const override { return mode_; }
    void setDisplayMode(int mode) override { mode_ = mode; }
    double currentPosition() const override { return pos_; }
    void setCurrentPosition(double pos) override
    {
        calls << QStringLiteral("seek ") + QString::number(pos);
        pos_ = pos;
    }
    double duration() const override
    {
        if (file_.isEmpty())
            return 0;
        return mode_ == 1 ? frames : seconds;
    }
    double rate() const override { return rate_; }
    void setRate(double rate) override { rate_ = rate; }
    int volume() const override { return volume_; }
    void setVolume(int v) override { volume_ = qBound(-10000, v, 0); }
    bool mute() const override { return mute_; }
    void setMute(bool on) override { mute_ = on; }
    int playState() const override { return playing_ ? 2 : (file_.isEmpty() ? 0 : 1); }
    int displaySize() const override { return displaySize_; }
    void setDisplaySize(int size) override { displaySize_ = size; }
    int imageSourceWidth() const override { return file_.isEmpty() ? 0 : imageWidth; }
    int imageSourceHeight() const override { return file_.isEmpty() ? 0 : imageHeight; }
    double left() const override { return left_; }
    void setLeft(double v) override { left_ = v; }
    double top() const override { return top_; }
    void setTop(double v) override { top_ = v; }
    double width() const override { return width_; }
    void setWidth(double v) override { width_ = v; }
    double height() const override { return height_; }
    void setHeight(double v) override { height_ = v; }
    void play() override
    {
        calls << QStringLiteral("play");
        if (!file_.isEmpty())
            playing_ = true;
    }
    void pause() override
    {
        calls << QStringLiteral("pause");
        playing_ = false;
    }
    bool frameRateAssumed() const override { return assumedRate && !file_.isEmpty(); }
    void showDialog(int which) override { calls << QStringLiteral("dialog ") + QString::number(which); }
    QList<MovieTrack> tracks() const override { return file_.isEmpty() ? QList<MovieTrack>() : movieTracks; }
    QList<MovieChapter> chapters() const override
    {
        if (file_.isEmpty())
            return {};
        QList<MovieChapter> out = movieChapters;
        for (MovieChapter &c : out)
            c.start = mode_ == 1 ? c.start * frames / seconds : c.start;
        return out;
    }
    int audioTrack() const override { return aid_; }
    void setAudioTrack(int id) override
    {
        calls << QStringLiteral("aid ") + QString::number(id);
        aid_ = id;
    }
    int subtitleTrack() const override { return sid_; }
    void setSubtitleTrack(int id) override
    {
        calls << QStringLiteral("sid ") + QString::number(id);
        sid_ = id;
    }
    void setSubtitleDelay(double delay) override
    {
        calls << QStringLiteral("delay ") + QString::number(delay);
        delay_ = delay;
    }
    double subtitleDelay() const { return delay_; }

    // Test controls: move the clock as playback would, or end the movie.
    void setPositionQuietly(double pos) { pos_ = pos; }
    // The subtitle track's cue becomes due, its span in the display mode's units.
    void sendCue(double start, double end, const QString &text) { emit cueDue(start, end, text); }
    // The file's tracks change while it is open.
    void changeTracks(const QList<MovieTrack> &tracks)
    {
        movieTracks = tracks;
        emit tracksChanged();
    }
    void finish()
    {
        pos_ = duration();
        playing_ = false;
        emit EndOfStream(8);
    }

private:
    QString file_;
    int aid_ = 0, sid_ = 0;
    double delay_ = 0;
    std::optional<QString> pending_;
    int mode_ = 0;
    double pos_ = 0;
    double rate_ = 1;
    int volume_ = 0;
    bool mute_ = false;
    bool playing_ = false;
    int displaySize_ = 0;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};
