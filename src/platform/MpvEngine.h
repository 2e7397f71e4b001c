#pragma once
// The media engine on libmpv. With video it draws into an MpvVideoView; without, it only plays sound.
#include "platform/MediaEngine.h"

#include <QPointer>
#include <cstdint>
#include <memory>
#include <optional>

struct mpv_handle;
struct mpv_event;
class EngineStats;
class MpvVideoView;

class MpvEngine : public MediaEngine {
    Q_OBJECT
public:
    MpvEngine(bool withVideo, int twipsPerPixelX, int twipsPerPixelY, QObject *parent = nullptr);
    ~MpvEngine() override;

    QString fileName() const override { return file_; }
    void setFileName(const QString &path) override;
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

    // The engine's own value of a property, as text; empty when unknown. For diagnostics and tests:
    // it waits for the player core, which the UI's own reads never do.
    QString property(const char *name) const;

private slots:
    void drainEvents();

private:
    bool load(const QString &path);
    bool hasPlayableTrack() const;
    void seekTo(double seconds);
    void handleEvent(const mpv_event &ev);
    void readState();
    void reachEnd(bool atEnd);
    // Waits (bounded) until the core has taken every request sent without waiting: a request that waits
    // may otherwise overtake them.
    void settle();
    void setFlag(const char *name, bool on);
    void setDouble(const char *name, double value);
    void applyGeometry();

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

    // What the player core last told about the loaded file. The UI thread also draws the picture, so it
    // must not wait on the core (which may be waiting for that drawing); it reads these instead.
    struct State {
        double timePos = 0, duration = 0, fps = 0;
        int64_t dwidth = 0, dheight = 0, width = 0, height = 0;
        bool paused = true, eof = false;
    } state_;

    // A seek's target (seconds) stands for the position until mpv reports the seek done.
    std::optional<double> seekTarget_;
    uint64_t lastSeek_ = 0;
    bool lastSeekAcked_ = false;
    // Requests sent without waiting, and how many of them the core has not answered yet.
    uint64_t requests_ = 0;
    int outstanding_ = 0;
    int64_t entryId_ = -1;
    // Play was asked for and neither a pause nor the end has come since.
    bool playing_ = false;
};
