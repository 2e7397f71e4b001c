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
};
