// Opening a file: the load itself and reading what the file holds, its frame rate above all. It runs
// on the core's events: the request goes out, each answer moves the open on, and opened() tells the end.
#include "engine/MpvEngine.h"

#include "engine/MpvValues.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

using namespace MpvValues;

namespace {

// The rate that stands in when a video tells none, as a PAL film would run.
constexpr double kAssumedFps = 25;

} // namespace

MpvEngine::Picked MpvEngine::pickedTracks(const mpv_node &trackList)
{
    Picked picked;
    if (trackList.format != MPV_FORMAT_NODE_ARRAY)
        return picked;
    for (int i = 0; i < trackList.u.list->num; ++i) {
        const mpv_node &track = trackList.u.list->values[i];
        if (!flagOf(track, "selected"))
            continue;
        const QLatin1String type(textOf(track, "type"));
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

void MpvEngine::open(const QString &path)
{
    // A new open replaces one still under way: only the last one is ever reported.
    dropOpen();
    forgetFile();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable()) {
        reportLater(false);
        return;
    }
    core();
    setFlag("pause", true);
    resetTrackChoices();
    // An absolute path, so that nothing in a file's name is taken for a protocol or an option.
    const QByteArray local = QFile::encodeName(info.absoluteFilePath());
    const char *args[] = {"loadfile", local.constData(), "replace", nullptr};
    const uint64_t id = ++requests_;
    if (mpv_command_async(mpv_, id, args) < 0) {
        reportLater(false);
        return;
    }
    loading_ = Loading{path, id};
    // A slow file (a network folder, a disc spinning up) may take a while to answer; not for ever.
    loadClock_.start(kLoadTimeoutMs);
}

void MpvEngine::close()
{
    dropOpen();
    forgetFile();
    if (mpv_)
        command({"stop"});
}

void MpvEngine::forgetFile()
{
    // Whatever ends while the file is being replaced is no end of the movie.
    playing_ = false;
    file_.clear();
    entryId_ = -1;
    seekTarget_.reset();
    state_ = State();
    fpsAssumed_ = false;
    tracks_.clear();
    chapters_.clear();
    aid_ = sid_ = 0;
    cue_ = CueState();
}

void MpvEngine::dropOpen()
{
    ++openGeneration_;
    loadClock_.stop();
    if (!loading_)
        return;
    // Answers still out must not move a later open on.
    for (uint64_t id : loading_->asked)
        replies_.remove(id);
    if (loading_->measuring && mpv_)
        mpv_unobserve_property(mpv_, kFpsObserver);
    loading_.reset();
}

void MpvEngine::reportLater(bool ok)
{
    // Never from inside open(): the caller has not finished setting itself up for the answer.
    QMetaObject::invokeMethod(this, [this, ok, generation = openGeneration_] {
        if (generation == openGeneration_ && !loading_)
            emit opened(ok);
    }, Qt::QueuedConnection);
}

void MpvEngine::finishOpen(bool ok)
{
    const QString path = loading_ ? loading_->path : QString();
    dropOpen();
    if (ok) {
        file_ = path;
    } else {
        forgetFile();
        if (mpv_)
            command({"stop"});
    }
    emit opened(ok);
}

void MpvEngine::loadClockRan()
{
    if (!loading_)
        return;
    if (!loading_->measuring) {
        finishOpen(false);
        return;
    }
    // The decoded frames told no rate in time.
    state_.fps = kAssumedFps;
    fpsAssumed_ = true;
    finishOpen(true);
}

void MpvEngine::onLoaded()
{
    entryId_ = loading_->entry;
    // Asked after the load, so the answers describe the new file; observed changes refine them later.
    const auto number = [](const mpv_event_property &p) { return std::max(0.0, valueOr(p, 0.0)); };
    const auto whole = [](const mpv_event_property &p) { return valueOr<int64_t>(p, 0); };
    const std::pair<const char *, std::function<void(const mpv_event_property &)>> reads[] = {
        {"time-pos", [this, number](const mpv_event_property &p) { state_.timePos = number(p); }},
        {"duration", [this, number](const mpv_event_property &p) { state_.duration = number(p); }},
        {"container-fps", [this, number](const mpv_event_property &p) { loading_->containerFps = number(p); }},
        {"dwidth", [this, whole](const mpv_event_property &p) { state_.dwidth = whole(p); }},
        {"dheight", [this, whole](const mpv_event_property &p) { state_.dheight = whole(p); }},
        {"width", [this, whole](const mpv_event_property &p) { state_.width = whole(p); }},
        {"height", [this, whole](const mpv_event_property &p) { state_.height = whole(p); }},
    };
    // Counted before each request: a request the core refuses is answered at once.
    loading_->pending = static_cast<int>(std::size(reads)) + 2;
    for (const auto &[name, store] : reads) {
        const uint64_t id = ask(name, MPV_FORMAT_DOUBLE, [this, store = store](const mpv_event_property &p) {
            store(p);
            answered();
        });
        if (!loading_)
            return;
        loading_->asked.push_back(id);
    }
    const uint64_t id = ask("track-list", MPV_FORMAT_NODE, [this](const mpv_event_property &p) {
        if (p.format == MPV_FORMAT_NODE) {
            loading_->picked = pickedTracks(*static_cast<const mpv_node *>(p.data));
            takeTracks(*static_cast<const mpv_node *>(p.data));
        }
        answered();
    });
    if (!loading_)
        return;
    loading_->asked.push_back(id);
    const uint64_t chaptersId = ask("chapter-list", MPV_FORMAT_NODE, [this](const mpv_event_property &p) {
        if (p.format == MPV_FORMAT_NODE)
            takeChapters(*static_cast<const mpv_node *>(p.data));
        answered();
    });
    if (loading_)
        loading_->asked.push_back(chaptersId);
}

void MpvEngine::answered()
{
    if (--loading_->pending > 0)
        return;
    const Picked &picked = loading_->picked;
    if (!picked.audio && !(withVideo_ && picked.video)) {
        finishOpen(false);
        return;
    }
    if (!withVideo_ || !picked.video) {
        finishOpen(true);
        return;
    }
    // Frame units need a rate: the one the container declares, else the stream's own as the demuxer
    // reads it, else the one the decoded frames show; 25 when the file tells nothing at all.
    state_.fps = loading_->containerFps > 0 ? loading_->containerFps : picked.demuxFps;
    if (state_.fps > 0) {
        finishOpen(true);
        return;
    }
    loading_->measuring = true;
    mpv_observe_property(mpv_, kFpsObserver, "estimated-vf-fps", MPV_FORMAT_DOUBLE);
    loadClock_.start(std::min(kMeasureFpsMs, std::max(1, loadClock_.remainingTime())));
}

void MpvEngine::measured(double fps)
{
    if (!loading_ || !loading_->measuring || !(fps > 0))
        return;
    state_.fps = fps;
    finishOpen(true);
}
