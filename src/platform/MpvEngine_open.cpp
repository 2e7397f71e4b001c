// Opening a file: the load itself, waiting for it while the picture goes on being drawn, and reading
// what the file holds, its frame rate above all.
#include "platform/MpvEngine.h"

#include "platform/MpvValues.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <vector>

using namespace MpvValues;

namespace {

// The rate that stands in when a video tells none, as a PAL film would run.
constexpr double kAssumedFps = 25;
// Between reads of the measured rate, and the longest nap of a wait before it looks again.
constexpr int kPollMs = 40;

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
    // Counted before each request: a request the core refuses is answered at once.
    std::vector<uint64_t> asked;
    for (const auto &[name, store] : reads) {
        ++pending;
        asked.push_back(ask(name, MPV_FORMAT_DOUBLE, [&pending, store = store](const mpv_event_property &p) {
            --pending;
            store(p);
        }));
    }
    ++pending;
    asked.push_back(ask("track-list", MPV_FORMAT_NODE, [&](const mpv_event_property &p) {
        --pending;
        if (p.format == MPV_FORMAT_NODE)
            picked = pickedTracks(*static_cast<const mpv_node *>(p.data));
    }));
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

