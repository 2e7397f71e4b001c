#include "engine/MpvEngine.h"

#include "engine/EngineStats.h"
#include "engine/MpvValues.h"
#include "engine/MpvVideoView.h"
#include "engine/VideoOutput.h"
#include "numbers/Twips.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mpv/client.h>
#include <vector>

using namespace MpvValues;

namespace {

// How far before the grid of the rate a frame's time may sit and still read as that frame, in frames.
constexpr double kFrameLead = 0.2;

void onWakeup(void *data)
{
    auto *engine = static_cast<MpvEngine *>(data);
    QMetaObject::invokeMethod(engine, "drainEvents", Qt::QueuedConnection);
}

struct Observed {
    const char *name;
    mpv_format format;
};
constexpr Observed kObserved[] = {
    {"time-pos", MPV_FORMAT_DOUBLE}, {"duration", MPV_FORMAT_DOUBLE}, {"dwidth", MPV_FORMAT_INT64},
    {"dheight", MPV_FORMAT_INT64},   {"width", MPV_FORMAT_INT64},     {"height", MPV_FORMAT_INT64},
    {"pause", MPV_FORMAT_FLAG},      {"eof-reached", MPV_FORMAT_FLAG},
    // The file's tracks and chapters as they change after the open.
    {"track-list", MPV_FORMAT_NODE}, {"chapter-list", MPV_FORMAT_NODE},
    // The subtitle track's cue of the moment, as the core demuxes and decodes it while playing and
    // after every seek: the cues arrive as they are due, and nothing reads the file ahead for them.
    {"sub-start", MPV_FORMAT_DOUBLE}, {"sub-end", MPV_FORMAT_DOUBLE}, {"sub-text", MPV_FORMAT_STRING},
};

} // namespace

MpvEngine::MpvEngine(bool withVideo, int twipsPerPixelX, int twipsPerPixelY, QObject *parent)
    : MediaEngine(parent), withVideo_(withVideo), tppX_(std::max(1, twipsPerPixelX)), tppY_(std::max(1, twipsPerPixelY))
{
    // The player core starts on first use: most runs never play a separate sound file, and none needs
    // the core before the panel is on screen.
    loadClock_.setSingleShot(true);
    connect(&loadClock_, &QTimer::timeout, this, &MpvEngine::loadClockRan);
    if (!withVideo_)
        return;
    video_ = new MpvVideoView([this] { return core(); });
    connect(video_, &MpvVideoView::mouseDown, this, [this](int button, int shift, QPointF p) {
        emit MouseDown(button, shift, p.x() * tppX_, p.y() * tppY_);
    });
    connect(video_, &MpvVideoView::mouseUp, this, [this](int button, int shift, QPointF p) {
        emit Click(button, shift, p.x() * tppX_, p.y() * tppY_);
    });
}

mpv_handle *MpvEngine::core()
{
    if (mpv_)
        return mpv_;
    mpv_ = mpv_create();
    if (!mpv_)
        qFatal("libmpv could not be started");
    const QByteArray volume = QByteArray::number(100.0 * std::pow(10.0, volume_ / 6000.0), 'g', 17);
    const QByteArray speed = QByteArray::number(rate_ > 0 ? std::clamp(rate_, 0.01, 100.0) : 1.0, 'g', 17);
    const char *unscaled = displaySize_ == 4 ? "no" : "yes";
    const QByteArray zoom = QByteArray::number(videoZoom(), 'g', 17);
    const std::pair<const char *, const char *> options[] = {
        // The picture goes to the null output until the video window has a renderer to draw with.
        {"vo", "null"},
        {"vid", withVideo_ ? "auto" : "no"},
        {"hwdec", VideoOutput::hasGraphicsDevice() ? "auto-safe" : "no"},
        // The desktop's sound servers and the device itself; not SDL, whose start may fork a D-Bus
        // launcher from inside our threads and hang there.
        {"ao", "pipewire,pulse,alsa"},
        {"audio-fallback-to-null", "yes"},
        {"keep-open", "yes"},
        {"pause", "yes"},
        {"idle", "yes"},
        {"audio-pitch-correction", "yes"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"osc", "no"},
        {"osd-level", "0"},
        {"terminal", "no"},
        {"config", "no"},
        {"load-scripts", "no"},
        {"load-stats-overlay", "no"},
        {"load-osd-console", "no"},
        {"ytdl", "no"},
        // Subtitles are the program's own business; neither beside-the-file nor embedded ones are drawn.
        {"sub-auto", "no"},
        {"sid", "no"},
        {"audio-display", "no"},
        {"cover-art-auto", "no"},
        // What was set before the core existed.
        {"volume", volume.constData()},
        {"mute", mute_ ? "yes" : "no"},
        {"speed", speed.constData()},
        {"keepaspect", unscaled},
        {"video-unscaled", unscaled},
        {"video-zoom", zoom.constData()},
    };
    for (const auto &[name, value] : options)
        mpv_set_option_string(mpv_, name, value);
    if (mpv_initialize(mpv_) < 0)
        qFatal("libmpv could not be initialised");
    for (const Observed &o : kObserved)
        mpv_observe_property(mpv_, 0, o.name, o.format);
    mpv_set_wakeup_callback(mpv_, onWakeup, this);
    return mpv_;
}

MpvEngine::~MpvEngine()
{
    stats_.reset();
    delete video_;
    if (!mpv_)
        return;
    mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
    mpv_terminate_destroy(mpv_);
}

QWidget *MpvEngine::videoWidget()
{
    return video_;
}

MpvVideoView *MpvEngine::videoView() const
{
    return video_;
}

QString MpvEngine::property(const char *name) const
{
    if (!mpv_)
        return {};
    char *s = mpv_get_property_string(mpv_, name);
    if (!s)
        return {};
    const QString text = QString::fromUtf8(s);
    mpv_free(s);
    return text;
}

uint64_t MpvEngine::ask(const char *name, int format, Reply onReply)
{
    const uint64_t id = ++requests_;
    if (mpv_get_property_async(core(), id, name, static_cast<mpv_format>(format)) < 0) {
        mpv_event_property none{name, MPV_FORMAT_NONE, nullptr};
        onReply(none);
        return 0;
    }
    replies_.insert(id, std::move(onReply));
    return id;
}

void MpvEngine::command(std::initializer_list<const char *> args)
{
    std::vector<const char *> argv(args);
    argv.push_back(nullptr);
    mpv_command_async(core(), 0, argv.data());
}

// Both leave a core that has not started yet alone: it takes the stored values when it starts.
void MpvEngine::setFlag(const char *name, bool on)
{
    int v = on ? 1 : 0;
    if (mpv_)
        mpv_set_property_async(mpv_, 0, name, MPV_FORMAT_FLAG, &v);
}

void MpvEngine::setDouble(const char *name, double value)
{
    if (mpv_)
        mpv_set_property_async(mpv_, 0, name, MPV_FORMAT_DOUBLE, &value);
}

void MpvEngine::reachEnd(bool atEnd)
{
    state_.eof = atEnd;
    // Only playback running into the end counts, not a seek there while halted.
    if (atEnd && playing_ && !file_.isEmpty()) {
        playing_ = false;
        emit EndOfStream(0);
    }
}

void MpvEngine::drainEvents()
{
    if (!mpv_)
        return;
    for (;;) {
        const mpv_event *ev = mpv_wait_event(mpv_, 0);
        if (ev->event_id == MPV_EVENT_NONE) {
            tellCue();
            return;
        }
        handleEvent(*ev);
    }
}

void MpvEngine::handleEvent(const mpv_event &ev)
{
    switch (ev.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto &p = *static_cast<const mpv_event_property *>(ev.data);
        const QLatin1String name(p.name);
        if (ev.reply_userdata == kFpsObserver)
            measured(valueOr(p, 0.0));
        else if (name == QLatin1String("time-pos"))
            state_.timePos = std::max(0.0, valueOr(p, 0.0));
        else if (name == QLatin1String("duration"))
            state_.duration = valueOr(p, 0.0);
        else if (name == QLatin1String("dwidth"))
            state_.dwidth = valueOr<int64_t>(p, 0);
        else if (name == QLatin1String("dheight"))
            state_.dheight = valueOr<int64_t>(p, 0);
        else if (name == QLatin1String("width"))
            state_.width = valueOr<int64_t>(p, 0);
        else if (name == QLatin1String("height"))
            state_.height = valueOr<int64_t>(p, 0);
        else if (name == QLatin1String("pause"))
            state_.paused = valueOr(p, true);
        else if (name == QLatin1String("eof-reached"))
            reachEnd(valueOr(p, false));
        else if (name.startsWith(QLatin1String("sub-")))
            cueChanged(p);
        else if (p.format == MPV_FORMAT_NODE && !loading_ && !file_.isEmpty()) {
            // What the open read stands until the open ends; a change after it is told.
            const auto &node = *static_cast<const mpv_node *>(p.data);
            if (name == QLatin1String("track-list") ? takeTracks(node) : takeChapters(node))
                emit tracksChanged();
        }
        break;
    }
    case MPV_EVENT_SET_PROPERTY_REPLY:
        if (ev.reply_userdata != 0 && ev.reply_userdata == sidRequest_)
            sidRequest_ = 0;
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY: {
        const Reply reply = replies_.take(ev.reply_userdata);
        if (reply)
            reply(*static_cast<const mpv_event_property *>(ev.data));
        break;
    }
    case MPV_EVENT_COMMAND_REPLY:
        if (ev.reply_userdata == 0)
            break;
        if (ev.reply_userdata == lastSeek_) {
            lastSeekAcked_ = true;
            if (ev.error < 0)
                seekTarget_.reset();
        }
        if (loading_ && ev.reply_userdata == loading_->request) {
            const mpv_node *entry = member(static_cast<const mpv_event_command *>(ev.data)->result, "playlist_entry_id");
            if (ev.error < 0 || !entry || entry->format != MPV_FORMAT_INT64) {
                finishOpen(false);
                break;
            }
            loading_->entry = entry->u.int64;
            loading_->started = lastStarted_ == loading_->entry;
        }
        break;
    case MPV_EVENT_START_FILE:
        lastStarted_ = static_cast<const mpv_event_start_file *>(ev.data)->playlist_entry_id;
        if (loading_ && loading_->entry == lastStarted_)
            loading_->started = true;
        break;
    case MPV_EVENT_FILE_LOADED:
        if (loading_ && loading_->started && !loading_->loaded) {
            loading_->loaded = true;
            onLoaded();
        }
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        // The target is where the seek landed; time-pos events refine it from here.
        if (lastSeekAcked_ && seekTarget_) {
            state_.timePos = *seekTarget_;
            seekTarget_.reset();
        }
        break;
    case MPV_EVENT_END_FILE: {
        const int64_t ended = static_cast<const mpv_event_end_file *>(ev.data)->playlist_entry_id;
        // The file being opened could not be played.
        if (loading_ && ended == loading_->entry) {
            finishOpen(false);
            break;
        }
        // The loaded file went away by itself (a read error while playing): nothing is loaded any more.
        if (!file_.isEmpty() && ended == entryId_) {
            file_.clear();
            entryId_ = -1;
            seekTarget_.reset();
            state_ = State();
        }
        break;
    }
    default:
        break;
    }
}

double MpvEngine::currentPosition() const
{
    if (file_.isEmpty())
        return 0;
    double seconds;
    if (seekTarget_)
        seconds = *seekTarget_;
    else if (state_.eof)
        return duration();
    else
        seconds = state_.timePos;
    // The frame on screen: time-pos is its start, which sits on the grid of the rate or a little after
    // it (a movie whose sound starts first: about half a frame). Rounding would read such a frame as the
    // next one, and a position kept and resumed would creep.
    return mode_ == 1 ? std::floor(seconds * state_.fps + kFrameLead) : seconds;
}

void MpvEngine::setCurrentPosition(double pos)
{
    if (file_.isEmpty() || !std::isfinite(pos))
        return;
    double seconds = pos;
    if (mode_ == 1) {
        const double f = state_.fps;
        if (f <= 0)
            return;
        seconds = pos / f;
    }
    seekTo(std::clamp(seconds, 0.0, state_.duration));
}

void MpvEngine::seekTo(double seconds)
{
    // An exact seek shows the first frame from 5 ms before its aim on. Aimed where a frame's reading
    // starts, it lands on the frame that reads back as the one asked for, on the grid or after it.
    // The end stays the end.
    const double lead = mode_ == 1 && state_.fps > 0 ? kFrameLead / state_.fps - 0.005 : 0;
    const double aim = seconds < state_.duration ? std::max(0.0, seconds - lead) : seconds;
    const QByteArray target = QByteArray::number(aim, 'g', 17);
    const char *args[] = {"seek", target.constData(), "absolute+exact", nullptr};
    if (mpv_command_async(mpv_, ++requests_, args) < 0)
        return;
    seekTarget_ = seconds;
    lastSeek_ = requests_;
    lastSeekAcked_ = false;
    // Leaving the end; a seek to the end itself keeps the flag, which mpv may not announce again.
    if (seconds < state_.duration)
        state_.eof = false;
}

double MpvEngine::duration() const
{
    if (file_.isEmpty())
        return 0;
    return mode_ == 1 ? state_.duration * state_.fps : state_.duration;
}

void MpvEngine::setRate(double rate)
{
    rate_ = rate;
    if (rate > 0)
        setDouble("speed", std::clamp(rate, 0.01, 100.0));
}

void MpvEngine::setVolume(int hundredthsDb)
{
    volume_ = std::clamp(hundredthsDb, -10000, 0);
    // Heard gain is 10^(v/2000); mpv's volume is cubic in gain.
    setDouble("volume", 100.0 * std::pow(10.0, volume_ / 6000.0));
}

void MpvEngine::setMute(bool on)
{
    mute_ = on;
    setFlag("mute", on);
}

int MpvEngine::playState() const
{
    if (file_.isEmpty())
        return 0;
    // While a seek is under way the end flag still describes the old place.
    const bool atEnd = !seekTarget_ && state_.eof;
    return !state_.paused && !atEnd ? 2 : 1;
}

void MpvEngine::play()
{
    if (file_.isEmpty())
        return;
    // The movie holds its last frame after the end; playing again starts it over.
    if (!seekTarget_ && state_.eof)
        seekTo(0);
    playing_ = true;
    state_.paused = false;
    setFlag("pause", false);
}

void MpvEngine::pause()
{
    if (file_.isEmpty())
        return;
    playing_ = false;
    state_.paused = true;
    setFlag("pause", true);
}

void MpvEngine::setDisplaySize(int size)
{
    displaySize_ = size;
    const bool stretch = size == 4;
    setFlag("keepaspect", !stretch);
    setFlag("video-unscaled", !stretch);
    setDouble("video-zoom", videoZoom());
}

double MpvEngine::videoZoom() const
{
    const double ratio = video_ ? video_->devicePixelRatioF() : 1.0;
    return displaySize_ == 4 ? 0.0 : std::log2(ratio);
}

int MpvEngine::imageSourceWidth() const
{
    if (file_.isEmpty())
        return 0;
    return static_cast<int>(state_.dwidth > 0 ? state_.dwidth : state_.width);
}

int MpvEngine::imageSourceHeight() const
{
    if (file_.isEmpty())
        return 0;
    return static_cast<int>(state_.dheight > 0 ? state_.dheight : state_.height);
}

void MpvEngine::setLeft(double twips)
{
    left_ = twips;
    applyGeometry();
}

void MpvEngine::setTop(double twips)
{
    top_ = twips;
    applyGeometry();
}

void MpvEngine::setWidth(double twips)
{
    width_ = twips;
    applyGeometry();
}

void MpvEngine::setHeight(double twips)
{
    height_ = twips;
    applyGeometry();
}

void MpvEngine::applyGeometry()
{
    if (!video_)
        return;
    // The size rounds on its own, not by its edges: a picture scaled to no width keeps none.
    using Twips::toPixels;
    video_->setGeometry(toPixels(left_, tppX_), toPixels(top_, tppY_), std::max(0, toPixels(width_, tppX_)),
                        std::max(0, toPixels(height_, tppY_)));
}

void MpvEngine::showDialog(int which)
{
    if (which != 1)
        return;
    if (!stats_) {
        stats_ = std::make_unique<EngineStats>([this](const char *name) { return statsValues_.value(name); },
                                               [this] { askStats(); });
    }
    stats_->show();
    stats_->raise();
    stats_->activateWindow();
}

void MpvEngine::askStats()
{
    // One round at a time: a core slow to answer is not asked again meanwhile.
    if (statsPending_ > 0)
        return;
    for (const QByteArray &name : EngineStats::properties()) {
        ++statsPending_;
        ask(name.constData(), MPV_FORMAT_STRING, [this, name](const mpv_event_property &p) {
            const bool known = p.format == MPV_FORMAT_STRING && *static_cast<char *const *>(p.data);
            statsValues_.insert(name, known ? QString::fromUtf8(*static_cast<char *const *>(p.data)) : QString());
            if (--statsPending_ == 0 && stats_)
                stats_->refresh();
        });
    }
}
