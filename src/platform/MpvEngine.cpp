#include "platform/MpvEngine.h"

#include "platform/EngineStats.h"
#include "platform/MpvVideoView.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <mpv/client.h>

namespace {

constexpr int kLoadTimeoutMs = 5000;

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
    {"time-pos", MPV_FORMAT_DOUBLE}, {"duration", MPV_FORMAT_DOUBLE}, {"container-fps", MPV_FORMAT_DOUBLE},
    {"dwidth", MPV_FORMAT_INT64},    {"dheight", MPV_FORMAT_INT64},   {"width", MPV_FORMAT_INT64},
    {"height", MPV_FORMAT_INT64},    {"pause", MPV_FORMAT_FLAG},      {"eof-reached", MPV_FORMAT_FLAG},
};

template <typename T>
T valueOr(const mpv_event_property &p, T fallback)
{
    if (p.format == MPV_FORMAT_DOUBLE) {
        const double v = *static_cast<const double *>(p.data);
        return std::isfinite(v) ? static_cast<T>(v) : fallback;
    }
    if (p.format == MPV_FORMAT_INT64)
        return static_cast<T>(*static_cast<const int64_t *>(p.data));
    if (p.format == MPV_FORMAT_FLAG)
        return static_cast<T>(*static_cast<const int *>(p.data));
    return fallback;
}

} // namespace

MpvEngine::MpvEngine(bool withVideo, int twipsPerPixelX, int twipsPerPixelY, QObject *parent)
    : MediaEngine(parent), withVideo_(withVideo), tppX_(std::max(1, twipsPerPixelX)), tppY_(std::max(1, twipsPerPixelY))
{
    mpv_ = mpv_create();
    if (!mpv_)
        qFatal("libmpv could not be started");
    const std::pair<const char *, const char *> options[] = {
        // The picture goes to the null output until the video window has a renderer to draw with.
        {"vo", "null"},
        {"vid", withVideo ? "auto" : "no"},
        {"hwdec", "auto-safe"},
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
    };
    for (const auto &[name, value] : options)
        mpv_set_option_string(mpv_, name, value);
    if (mpv_initialize(mpv_) < 0)
        qFatal("libmpv could not be initialised");
    for (const Observed &o : kObserved)
        mpv_observe_property(mpv_, 0, o.name, o.format);
    mpv_set_wakeup_callback(mpv_, onWakeup, this);

    if (withVideo_) {
        video_ = new MpvVideoView(mpv_);
        connect(video_, &MpvVideoView::mouseDown, this, [this](int button, int shift, QPointF p) {
            emit MouseDown(button, shift, p.x() * tppX_, p.y() * tppY_);
        });
        connect(video_, &MpvVideoView::mouseUp, this, [this](int button, int shift, QPointF p) {
            emit Click(button, shift, p.x() * tppX_, p.y() * tppY_);
        });
    }
}

MpvEngine::~MpvEngine()
{
    mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
    stats_.reset();
    delete video_;
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
    char *s = mpv_get_property_string(mpv_, name);
    if (!s)
        return {};
    const QString text = QString::fromUtf8(s);
    mpv_free(s);
    return text;
}

void MpvEngine::setFileName(const QString &path)
{
    // Whatever ends while the file is being replaced is no end of the movie.
    playing_ = false;
    settle();
    file_.clear();
    entryId_ = -1;
    seekTarget_.reset();
    if (!path.isEmpty() && load(path)) {
        file_ = path;
        return;
    }
    state_ = State();
    const char *stop[] = {"stop", nullptr};
    mpv_command(mpv_, stop);
}

bool MpvEngine::load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return false;
    int paused = 1;
    mpv_set_property(mpv_, "pause", MPV_FORMAT_FLAG, &paused);
    // An absolute path, so that nothing in a file's name is taken for a protocol or an option.
    const QByteArray local = QFile::encodeName(info.absoluteFilePath());
    const char *args[] = {"loadfile", local.constData(), "replace", nullptr};
    mpv_node result;
    if (mpv_command_ret(mpv_, args, &result) < 0)
        return false;
    int64_t entry = -1;
    if (result.format == MPV_FORMAT_NODE_MAP) {
        for (int i = 0; i < result.u.list->num; ++i) {
            if (std::strcmp(result.u.list->keys[i], "playlist_entry_id") == 0
                && result.u.list->values[i].format == MPV_FORMAT_INT64)
                entry = result.u.list->values[i].u.int64;
        }
    }
    mpv_free_node_contents(&result);

    // Waiting on the handle itself: the load is short and bounded, and nothing else may run meanwhile.
    bool started = false;
    const QDeadlineTimer deadline(kLoadTimeoutMs);
    while (!deadline.hasExpired()) {
        const mpv_event *ev = mpv_wait_event(mpv_, deadline.remainingTime() / 1000.0);
        switch (ev->event_id) {
        case MPV_EVENT_START_FILE:
            started = started || static_cast<mpv_event_start_file *>(ev->data)->playlist_entry_id == entry;
            break;
        case MPV_EVENT_END_FILE:
            if (static_cast<mpv_event_end_file *>(ev->data)->playlist_entry_id == entry)
                return false;
            break;
        case MPV_EVENT_FILE_LOADED:
            if (started) {
                entryId_ = entry;
                readState();
                return hasPlayableTrack();
            }
            break;
        default:
            handleEvent(*ev);
        }
    }
    return false;
}

void MpvEngine::readState()
{
    const auto number = [this](const char *name) {
        double v = 0;
        return mpv_get_property(mpv_, name, MPV_FORMAT_DOUBLE, &v) >= 0 && std::isfinite(v) ? std::max(0.0, v) : 0.0;
    };
    const auto whole = [this](const char *name) {
        int64_t v = 0;
        return mpv_get_property(mpv_, name, MPV_FORMAT_INT64, &v) >= 0 ? v : int64_t{0};
    };
    // Right after the load, before the core's own notices of the new file have come.
    state_ = State();
    state_.timePos = number("time-pos");
    state_.duration = number("duration");
    state_.fps = number("container-fps");
    state_.dwidth = whole("dwidth");
    state_.dheight = whole("dheight");
    state_.width = whole("width");
    state_.height = whole("height");
}

bool MpvEngine::hasPlayableTrack() const
{
    const auto selected = [this](const char *name) {
        const QString id = property(name);
        return !id.isEmpty() && id != QLatin1String("no");
    };
    return selected("aid") || (withVideo_ && selected("vid"));
}

void MpvEngine::settle()
{
    const QDeadlineTimer deadline(kLoadTimeoutMs);
    while (outstanding_ > 0 && !deadline.hasExpired())
        handleEvent(*mpv_wait_event(mpv_, deadline.remainingTime() / 1000.0));
    // A core that never answers must not make every later open wait as long.
    outstanding_ = 0;
}

void MpvEngine::setFlag(const char *name, bool on)
{
    int v = on ? 1 : 0;
    if (mpv_set_property_async(mpv_, ++requests_, name, MPV_FORMAT_FLAG, &v) >= 0)
        ++outstanding_;
}

void MpvEngine::setDouble(const char *name, double value)
{
    if (mpv_set_property_async(mpv_, ++requests_, name, MPV_FORMAT_DOUBLE, &value) >= 0)
        ++outstanding_;
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
    for (;;) {
        const mpv_event *ev = mpv_wait_event(mpv_, 0);
        if (ev->event_id == MPV_EVENT_NONE)
            return;
        handleEvent(*ev);
    }
}

void MpvEngine::handleEvent(const mpv_event &ev)
{
    switch (ev.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto &p = *static_cast<const mpv_event_property *>(ev.data);
        const QLatin1String name(p.name);
        if (name == QLatin1String("time-pos"))
            state_.timePos = std::max(0.0, valueOr(p, 0.0));
        else if (name == QLatin1String("duration"))
            state_.duration = valueOr(p, 0.0);
        else if (name == QLatin1String("container-fps"))
            state_.fps = std::max(0.0, valueOr(p, 0.0));
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
        break;
    }
    case MPV_EVENT_SET_PROPERTY_REPLY:
    case MPV_EVENT_COMMAND_REPLY:
        if (ev.reply_userdata == 0)
            break;
        --outstanding_;
        if (ev.reply_userdata == lastSeek_) {
            lastSeekAcked_ = true;
            if (ev.error < 0)
                seekTarget_.reset();
        }
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        // The target is where the seek landed; time-pos events refine it from here.
        if (lastSeekAcked_ && seekTarget_) {
            state_.timePos = *seekTarget_;
            seekTarget_.reset();
        }
        break;
    case MPV_EVENT_END_FILE:
        // The loaded file went away by itself (a read error while playing): nothing is loaded any more.
        if (!file_.isEmpty() && static_cast<const mpv_event_end_file *>(ev.data)->playlist_entry_id == entryId_) {
            file_.clear();
            entryId_ = -1;
            seekTarget_.reset();
            state_ = State();
        }
        break;
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
    // The frame on screen: time-pos is its start, so the nearest whole frame absorbs rounding of the rate.
    return mode_ == 1 ? std::nearbyint(seconds * state_.fps) : seconds;
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
    const QByteArray target = QByteArray::number(seconds, 'g', 17);
    const char *args[] = {"seek", target.constData(), "absolute+exact", nullptr};
    if (mpv_command_async(mpv_, ++requests_, args) < 0)
        return;
    ++outstanding_;
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
    // The video's own size is in the desktop's pixels; mpv draws it unscaled in the screen's.
    const double ratio = video_ ? video_->devicePixelRatioF() : 1.0;
    setDouble("video-zoom", stretch ? 0.0 : std::log2(ratio));
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
    const auto px = [](double twips, int perPixel) { return static_cast<int>(std::lround(twips / perPixel)); };
    video_->setGeometry(px(left_, tppX_), px(top_, tppY_), std::max(0, px(width_, tppX_)),
                        std::max(0, px(height_, tppY_)));
}

void MpvEngine::showDialog(int which)
{
    if (which != 1)
        return;
    if (!stats_)
        stats_ = std::make_unique<EngineStats>([this](const char *name) { return property(name); });
    stats_->show();
    stats_->raise();
    stats_->activateWindow();
}
