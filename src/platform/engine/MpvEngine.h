#pragma once
// The media engine on libmpv. With video it draws into an MpvVideoView; without, it only plays sound.
// Either starts its player core on first use.
//
// The picture's thread waits for the UI thread to lend it an image (the software path), and libmpv's
// core may wait for a drawing: so nothing here waits on the core. Requests go out asynchronously and the answers come back as events; an open moves on with
// them and tells its end with opened().
#include "engine/MediaEngine.h"

#include <QHash>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

struct mpv_handle;
struct mpv_event;
struct mpv_event_property;
struct mpv_node;
class EngineStats;
class MpvVideoView;

class MpvEngine : public MediaEngine {
    Q_OBJECT
public:
    MpvEngine(bool withVideo, int twipsPerPixelX, int twipsPerPixelY, QObject *parent = nullptr);
    ~MpvEngine() override;

    QString fileName() const override { return file_; }
    void open(const QString &path) override;
    void close() override;
    int displayMode() const override { return mode_; }
    void setDisplayMode(int mode) override { mode_ = mode; }
    double currentPosition() const override;
    void setCurrentPosition(double pos) override;
    double duration() const override;
    double rate() const override { return rate_; }
    void setRate(double rate) override;
    int volume() const override { return volume_; }
    void setVolume(int hundredthsDb) override;
    bool mute() const override { return mute_; }
    void setMute(bool on) override;
    int playState() const override;
    int displaySize() const override { return displaySize_; }
    void setDisplaySize(int size) override;
    int imageSourceWidth() const override;
    int imageSourceHeight() const override;
    double left() const override { return left_; }
    void setLeft(double twips) override;
    double top() const override { return top_; }
    void setTop(double twips) override;
    double width() const override { return width_; }
    void setWidth(double twips) override;
    double height() const override { return height_; }
    void setHeight(double twips) override;
    void play() override;
    void pause() override;
    void showDialog(int which) override;
    // The widget that carries the picture.
    QWidget *videoWidget() override;
    MpvVideoView *videoView() const;

    QList<MovieTrack> tracks() const override;
    QList<MovieChapter> chapters() const override;
    int audioTrack() const override { return aid_; }
    void setAudioTrack(int id) override;
    int subtitleTrack() const override { return sid_; }
    void setSubtitleTrack(int id) override;
    void setSubtitleDelay(double delay) override;

    // Where the frame rate came from: true when the file told none and 25 stands in for it.
    bool frameRateAssumed() const override { return fpsAssumed_; }

    // The engine's own value of a property, as text; empty when unknown. For diagnostics and tests:
    // it waits for the player core, which the UI's own reads never do.
    QString property(const char *name) const;

    // How long an open may take in all, and how long of it the decoded frames may take to tell their rate.
    static constexpr int kLoadTimeoutMs = 30000;
    static constexpr int kMeasureFpsMs = 2000;

private slots:
    void drainEvents();

private:
    using Reply = std::function<void(const mpv_event_property &)>;
    // The tracks the core picked, from its track list.
    struct Picked {
        bool audio = false, video = false;
        double demuxFps = 0;
    };
    static Picked pickedTracks(const mpv_node &trackList);
    // The reply id under which the open watches the decoded frames' rate.
    static constexpr uint64_t kFpsObserver = 1;

    // The player core, started on first use.
    mpv_handle *core();
    // The steps of an open: the file loaded, then what it holds read (sizes, length, tracks, frame
    // rate), each answer counted; the rate measured from decoded frames where the file tells none.
    void onLoaded();
    // The file's tracks and chapters as the core lists them (MpvEngine_tracks.cpp); true when they
    // changed. Each track's "selected" flag tells which audio and subtitle tracks are taken.
    bool takeTracks(const mpv_node &trackList);
    bool takeChapters(const mpv_node &chapterList);
    // The subtitle's text, start or end changed; the cue is told once the core's events are drained,
    // when all three describe the same cue.
    void cueChanged(const mpv_event_property &p);
    void tellCue();
    // Between files the core keeps the last one's choices as options: each file starts from the defaults.
    void resetTrackChoices();
    void answered();
    void measured(double fps);
    void loadClockRan();
    void finishOpen(bool ok);
    // Forgets an open under way without a word about it.
    void dropOpen();
    void forgetFile();
    // A failure found before anything was asked of the core, told once the caller has returned.
    void reportLater(bool ok);
    // Reads a property without waiting; `onReply` gets the answer (format none when unknown). Returns the
    // request's id, or 0 when it was answered at once.
    uint64_t ask(const char *name, int format, Reply onReply);
    void askStats();
    void command(std::initializer_list<const char *> args);
    void seekTo(double seconds);
    void handleEvent(const mpv_event &ev);
    void reachEnd(bool atEnd);
    void setFlag(const char *name, bool on);
    void setDouble(const char *name, double value);
    void applyGeometry();
    // mpv's video-zoom for the display size: the video's own size is in the desktop's pixels, and mpv
    // draws it unscaled in the screen's.
    double videoZoom() const;

    mpv_handle *mpv_ = nullptr;
    const bool withVideo_;
    const int tppX_, tppY_;
    QPointer<MpvVideoView> video_;
    std::unique_ptr<EngineStats> stats_;

    QString file_;
    int mode_ = 0;
    double rate_ = 1;
    int volume_ = 0;
    bool mute_ = false;
    int displaySize_ = 0;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;

    // What the player core last told about the loaded file. The UI thread lends the picture its image,
    // so it must not wait on the core (which may be waiting for that drawing); it reads these instead.
    // The frame rate is fixed when the file opens: the frame units must not move under the panel.
    struct State {
        double timePos = 0, duration = 0, fps = 0;
        int64_t dwidth = 0, dheight = 0, width = 0, height = 0;
        bool paused = true, eof = false;
    } state_;
    bool fpsAssumed_ = false;

    // An open under way: its loadfile request, the playlist entry it made, how far it got and the
    // property reads still out.
    struct Loading {
        QString path;
        uint64_t request = 0;
        int64_t entry = -1;
        bool started = false, loaded = false, measuring = false;
        std::vector<uint64_t> asked;
        int pending = 0;
        Picked picked;
        double containerFps = 0;
    };
    std::optional<Loading> loading_;
    QTimer loadClock_;
    // Counts opens begun and dropped, so a late word about an earlier one is never taken for the last.
    uint64_t openGeneration_ = 0;
    int64_t lastStarted_ = -1;

    // A seek's target (seconds) stands for the position until mpv reports the seek done.
    std::optional<double> seekTarget_;
    uint64_t lastSeek_ = 0;
    bool lastSeekAcked_ = false;
    // Ids of requests sent without waiting, and what to do with the answers to property reads.
    uint64_t requests_ = 0;
    QHash<uint64_t, Reply> replies_;
    int64_t entryId_ = -1;
    // The statistics window's values, as the core last told them, and the reads still out.
    QHash<QByteArray, QString> statsValues_;
    int statsPending_ = 0;
    // Play was asked for and neither a pause nor the end has come since.
    bool playing_ = false;

    // The open file's tracks and chapters (starts in seconds), and the tracks taken.
    QList<MovieTrack> tracks_;
    QList<MovieChapter> chapters_;
    int aid_ = 0, sid_ = 0;
    // The subtitle the core shows now, as far as told; its text empty between cues.
    struct CueState {
        double start = std::numeric_limits<double>::quiet_NaN();
        double end = std::numeric_limits<double>::quiet_NaN();
        QString text;
        bool changed = false;
    } cue_;
    // The request that switched to the present subtitle track: what the core tells before its answer is
    // about the track before.
    uint64_t sidRequest_ = 0;
};
