// The file's own tracks and chapters, the switches between tracks, and the cues of the subtitle track
// as the core decodes them.
#include "engine/MpvEngine.h"

#include "engine/MpvValues.h"

#include <cmath>

using namespace MpvValues;

bool MpvEngine::takeTracks(const mpv_node &trackList)
{
    if (trackList.format != MPV_FORMAT_NODE_ARRAY)
        return false;
    QList<MovieTrack> tracks;
    int aid = 0, sid = 0;
    for (int i = 0; i < trackList.u.list->num; ++i) {
        const mpv_node &node = trackList.u.list->values[i];
        const QLatin1String type(textOf(node, "type"));
        MovieTrack t;
        if (type == QLatin1String("audio"))
            t.type = MovieTrack::Type::Audio;
        else if (type == QLatin1String("sub"))
            t.type = MovieTrack::Type::Subtitle;
        else if (type == QLatin1String("video") && !flagOf(node, "albumart"))
            t.type = MovieTrack::Type::Video;
        else
            continue;
        t.id = static_cast<int>(numberOf(node, "id"));
        t.language = QString::fromUtf8(textOf(node, "lang"));
        t.title = QString::fromUtf8(textOf(node, "title"));
        t.codec = QString::fromUtf8(textOf(node, "codec"));
        t.isDefault = flagOf(node, "default");
        t.forced = flagOf(node, "forced");
        t.picture = t.type == MovieTrack::Type::Subtitle && MovieTracks::isPictureCodec(t.codec);
        if (flagOf(node, "selected") && t.type == MovieTrack::Type::Audio)
            aid = t.id;
        if (flagOf(node, "selected") && t.type == MovieTrack::Type::Subtitle)
            sid = t.id;
        tracks.append(t);
    }
    aid_ = aid;
    // A switch still under way is what counts; the list catches up with it.
    if (!sidRequest_)
        sid_ = sid;
    if (tracks == tracks_)
        return false;
    tracks_ = tracks;
    return true;
}

bool MpvEngine::takeChapters(const mpv_node &chapterList)
{
    if (chapterList.format != MPV_FORMAT_NODE_ARRAY)
        return false;
    QList<MovieChapter> chapters;
    for (int i = 0; i < chapterList.u.list->num; ++i) {
        const mpv_node &node = chapterList.u.list->values[i];
        // The core names a chapter without a title "(unnamed)"; the lists number it instead.
        const QString title = QString::fromUtf8(textOf(node, "title"));
        chapters.append({title == QLatin1String("(unnamed)") ? QString() : title, std::max(0.0, numberOf(node, "time"))});
    }
    if (chapters == chapters_)
        return false;
    chapters_ = chapters;
    return true;
}

QList<MovieTrack> MpvEngine::tracks() const
{
    return file_.isEmpty() ? QList<MovieTrack>() : tracks_;
}

QList<MovieChapter> MpvEngine::chapters() const
{
    if (file_.isEmpty())
        return {};
    QList<MovieChapter> out = chapters_;
    if (mode_ == 1) {
        for (MovieChapter &c : out)
            c.start *= state_.fps;
    }
    return out;
}

void MpvEngine::resetTrackChoices()
{
    const char *none = "no", *automatic = "auto";
    mpv_set_property_async(mpv_, 0, "sid", MPV_FORMAT_STRING, &none);
    mpv_set_property_async(mpv_, 0, "aid", MPV_FORMAT_STRING, &automatic);
    setDouble("sub-delay", 0);
    setDouble("demuxer-readahead-secs", 1);
    sidRequest_ = 0;
}

void MpvEngine::setAudioTrack(int id)
{
    if (file_.isEmpty() || id < 0)
        return;
    aid_ = id;
    int64_t v = id;
    const char *none = "no";
    if (id > 0)
        mpv_set_property_async(mpv_, 0, "aid", MPV_FORMAT_INT64, &v);
    else
        mpv_set_property_async(mpv_, 0, "aid", MPV_FORMAT_STRING, &none);
}

void MpvEngine::setSubtitleTrack(int id)
{
    if (file_.isEmpty() || id < 0)
        return;
    bool picture = false;
    for (const MovieTrack &t : tracks_) {
        if (t.type == MovieTrack::Type::Subtitle && t.id == id)
            picture = t.picture;
    }
    sid_ = id;
    // Text is the overlay's to show; pictures only the core can draw, at their own place and size.
    setFlag("sub-visibility", picture);
    cue_ = CueState();
    sidRequest_ = ++requests_;
    int64_t v = id;
    const char *none = "no";
    if (id > 0)
        mpv_set_property_async(mpv_, sidRequest_, "sid", MPV_FORMAT_INT64, &v);
    else
        mpv_set_property_async(mpv_, sidRequest_, "sid", MPV_FORMAT_STRING, &none);
}

void MpvEngine::setSubtitleDelay(double delay)
{
    const double seconds = mode_ == 1 ? (state_.fps > 0 ? delay / state_.fps : 0) : delay;
    if (!std::isfinite(seconds))
        return;
    setDouble("sub-delay", seconds);
    // A cue brought forward lies that much further ahead in the file than the picture: the core reads
    // that much more ahead (a second by default), or the cue's packet is not there when it falls due.
    setDouble("demuxer-readahead-secs", 1 + std::max(0.0, -seconds));
}

void MpvEngine::cueChanged(const mpv_event_property &p)
{
    if (sidRequest_ != 0 || file_.isEmpty())
        return;
    const QLatin1String name(p.name);
    if (name == QLatin1String("sub-text")) {
        const bool known = p.format == MPV_FORMAT_STRING && *static_cast<char *const *>(p.data);
        cue_.text = known ? QString::fromUtf8(*static_cast<char *const *>(p.data)) : QString();
    } else if (p.format == MPV_FORMAT_DOUBLE) {
        (name == QLatin1String("sub-start") ? cue_.start : cue_.end) = *static_cast<const double *>(p.data);
    } else {
        // Between cues the core knows no span.
        (name == QLatin1String("sub-start") ? cue_.start : cue_.end) = std::numeric_limits<double>::quiet_NaN();
    }
    cue_.changed = true;
}

void MpvEngine::tellCue()
{
    if (!cue_.changed)
        return;
    cue_.changed = false;
    if (cue_.text.isEmpty() || !std::isfinite(cue_.start) || !std::isfinite(cue_.end) || cue_.end < cue_.start)
        return;
    const double scale = mode_ == 1 ? state_.fps : 1.0;
    emit cueDue(cue_.start * scale, cue_.end * scale, cue_.text);
}
