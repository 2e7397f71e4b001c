#include "platform/MpvEngine.h"

#include "platform/EngineStats.h"
#include "platform/MpvVideoWindow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <mpv/client.h>
#include <vector>

namespace {

// The rate that stands in when a video tells none, as a PAL film would run.
constexpr double kAssumedFps = 25;
// Between reads of the measured rate, and the longest nap of a wait before it looks again.
constexpr int kPollMs = 40;

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

const mpv_node *member(const mpv_node &map, const char *key)
{
    if (map.format != MPV_FORMAT_NODE_MAP)
        return nullptr;
    for (int i = 0; i < map.u.list->num; ++i) {
        if (std::strcmp(map.u.list->keys[i], key) == 0)
            return &map.u.list->values[i];
    }
    return nullptr;
}

bool flagOf(const mpv_node &map, const char *key)
{
    const mpv_node *v = member(map, key);
    return v && v->format == MPV_FORMAT_FLAG && v->u.flag;
}

QLatin1String textOf(const mpv_node &map, const char *key)
{
    const mpv_node *v = member(map, key);
    return QLatin1String(v && v->format == MPV_FORMAT_STRING ? v->u.string : "");
}

double numberOf(const mpv_node &map, const char *key)
{
    const mpv_node *v = member(map, key);
    if (v && v->format == MPV_FORMAT_DOUBLE && std::isfinite(v->u.double_))
        return v->u.double_;
    return v && v->format == MPV_FORMAT_INT64 ? static_cast<double>(v->u.int64) : 0;
}

// The tracks the core picked, from its track list.
struct Picked {
    bool audio = false, video = false;
    double demuxFps = 0;
};

Picked pickedTracks(const mpv_node &trackList)
{
    Picked picked;
    if (trackList.format != MPV_FORMAT_NODE_ARRAY)
        return picked;
    for (int i = 0; i < trackList.u.list->num; ++i) {
        const mpv_node &track = trackList.u.list->values[i];
        if (!flagOf(track, "selected"))
            continue;
        const QLatin1String type = textOf(track, "type");
        if (type == QLatin1String("audio"))
            picked.audio = true;
        // A cover picture is no video.
        if (type == QLatin1String("video") && !flagOf(track, "albumart")) {
            picked.video = true;
            picked.demuxFps = std::max(0.0, numberOf(track, "demux-fps"));
        }
    }
    return picked;
}

} // namespace

MpvEngine::MpvEngine(bool withVideo, int twipsPerPixelX, int twipsPerPixelY, QObject *parent)
    : MediaEngine(parent), withVideo_(withVideo), tppX_(std::max(1, twipsPerPixelX)), tppY_(std::max(1, twipsPerPixelY))
{
    // The picture needs its core from the start; a sound-only engine mostly never plays anything.
    if (!withVideo_)
        return;
    video_ = new MpvVideoWindow(core());
    connect(video_, &MpvVideoWindow::mouseDown, this, [this](int button, int shift, QPointF p) {
        emit MouseDown(button, shift, p.x() * tppX_, p.y() * tppY_);
    });
    connect(video_, &MpvVideoWindow::mouseUp, this, [this](int button, int shift, QPointF p) {
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
    const std::pair<const char *, const char *> options[] = {
        // The picture goes to the null output until the video window has a GL context to draw in.
        {"vo", "null"},
        {"vid", withVideo_ ? "auto" : "no"},
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
        // What was set before the core existed.
        {"volume", volume.constData()},
        {"mute", mute_ ? "yes" : "no"},
        {"speed", speed.constData()},
        {"keepaspect", unscaled},
        {"video-unscaled", unscaled},
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
    if (video_)
        delete video_->container();
    if (!mpv_)
        return;
    mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
    mpv_terminate_destroy(mpv_);
}

QWidget *MpvEngine::videoWidget()
{
    return video_ ? video_->container() : nullptr;
}

MpvVideoWindow *MpvEngine::videoWindow() const
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

void MpvEngine::setFileName(const QString &path)
{
    // Not from inside an open's wait (a timer or a message from outside): that open still owns the core.
    if (loading_)
        return;
    // Whatever ends while the file is being replaced is no end of the movie.
    playing_ = false;
    file_.clear();
    entryId_ = -1;
    seekTarget_.reset();
    state_ = State();
    fpsAssumed_ = false;
    if (!path.isEmpty() && load(path)) {
        file_ = path;
        return;
    }
    state_ = State();
    fpsAssumed_ = false;
    if (mpv_)
        command({"stop"});
}

bool MpvEngine::load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return false;
    core();
    setFlag("pause", true);
    // An absolute path, so that nothing in a file's name is taken for a protocol or an option.
    const QByteArray local = QFile::encodeName(info.absoluteFilePath());
    const char *args[] = {"loadfile", local.constData(), "replace", nullptr};
    const uint64_t id = ++requests_;
    if (mpv_command_async(mpv_, id, args) < 0)
        return false;
    loading_ = Loading{id};
    // A slow file (a network folder, a disc spinning up) may take a while to answer.
    const QDeadlineTimer deadline(kLoadTimeoutMs);
    const bool loaded = waitFor([this] { return loading_->loaded || loading_->failed; }, deadline) && loading_->loaded;
    if (loaded)
        entryId_ = loading_->entry;
    const bool playable = loaded && readFile(deadline);
    loading_.reset();
    return playable;
}

bool MpvEngine::readFile(const QDeadlineTimer &deadline)
{
    // Asked after the load, so the answers describe the new file; observed changes refine them later.
    int pending = 0;
    Picked picked;
    double containerFps = 0;
    const auto number = [](const mpv_event_property &p) { return std::max(0.0, valueOr(p, 0.0)); };
    const auto whole = [](const mpv_event_property &p) { return valueOr<int64_t>(p, 0); };
    const std::pair<const char *, std::function<void(const mpv_event_property &)>> reads[] = {
        {"time-pos", [&](const mpv_event_property &p) { state_.timePos = number(p); }},
        {"duration", [&](const mpv_event_property &p) { state_.duration = number(p); }},
        {"container-fps", [&](const mpv_event_property &p) { containerFps = number(p); }},
        {"dwidth", [&](const mpv_event_property &p) { state_.dwidth = whole(p); }},
        {"dheight", [&](const mpv_event_property &p) { state_.dheight = whole(p); }},
        {"width", [&](const mpv_event_property &p) { state_.width = whole(p); }},
        {"height", [&](const mpv_event_property &p) { state_.height = whole(p); }},
    };
    std::vector<uint64_t> asked;
    for (const auto &[name, store] : reads) {
        asked.push_back(ask(name, MPV_FORMAT_DOUBLE, [&pending, store = store](const mpv_event_property &p) {
            --pending;
            store(p);
        }));
    }
    asked.push_back(ask("track-list", MPV_FORMAT_NODE, [&](const mpv_event_property &p) {
        --pending;
        if (p.format == MPV_FORMAT_NODE)
            picked = pickedTracks(*static_cast<const mpv_node *>(p.data));
    }));
    pending = static_cast<int>(asked.size());
    const bool answered = waitFor([&] { return pending == 0 || loading_->failed; }, deadline);
    // Answers still out when the time ran out must not write into this frame later.
    for (uint64_t id : asked)
        replies_.remove(id);
    if (!answered || loading_->failed)
        return false;
    if (!picked.audio && !(withVideo_ && picked.video))
        return false;
    if (!withVideo_ || !picked.video)
        return true;
    // Frame units need a rate: the one the container declares, else the stream's own as the demuxer
    // reads it, else the one the decoded frames show; 25 when the file tells nothing at all.
    state_.fps = containerFps > 0 ? containerFps : picked.demuxFps;
    if (state_.fps <= 0)
        state_.fps = measuredFps(deadline);
    if (state_.fps <= 0) {
        state_.fps = kAssumedFps;
        fpsAssumed_ = true;
    }
    return !loading_->failed;
}

double MpvEngine::measuredFps(const QDeadlineTimer &deadline)
{
    const QDeadlineTimer measuring(std::min<qint64>(kMeasureFpsMs, deadline.remainingTime()));
    double fps = 0;
    uint64_t out = 0;
    QDeadlineTimer nextRead(0);
    waitFor([&] {
        if (fps > 0 || loading_->failed)
            return true;
        if (!out && nextRead.hasExpired()) {
            nextRead.setRemainingTime(kPollMs);
            out = ask("estimated-vf-fps", MPV_FORMAT_DOUBLE, [&](const mpv_event_property &p) {
                out = 0;
                fps = std::max(0.0, valueOr(p, 0.0));
            });
        }
        return false;
    }, measuring);
    replies_.remove(out);
    return fps;
}

bool MpvEngine::waitFor(const std::function<bool()> &done, const QDeadlineTimer &deadline)
{
    QTimer nap;
    nap.setSingleShot(true);
    for (;;) {
        drainEvents();
        if (done())
            return true;
        if (deadline.hasExpired())
            return false;
        nap.start(static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 1, kPollMs)));
        // The picture goes on being drawn and the core's requests served; clicks, keys and messages
        // from outside wait for the open to finish.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers
                                        | QEventLoop::WaitForMoreEvents);
    }
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
                loading_->failed = true;
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
        if (loading_ && loading_->started)
            loading_->loaded = true;
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
        if (loading_ && ended == loading_->entry)
            loading_->failed = true;
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
    video_->container()->setGeometry(px(left_, tppX_), px(top_, tppY_), std::max(0, px(width_, tppX_)),
                                     std::max(0, px(height_, tppY_)));
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
