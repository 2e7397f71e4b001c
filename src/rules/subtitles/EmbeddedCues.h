#pragma once
// A movie's own text subtitle tracks, turned into the subtitle table the overlay shows when no subtitle
// file is loaded. Only text tracks count; picture tracks need a renderer of their own.
#include "subtitles/SubtitleTable.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct TextTrack {
    int stream = -1;   // the container's stream index
    QByteArray codec;  // as the demuxer names it: "subrip", "ass", "webvtt", "mov_text", ...
    bool isDefault = false;
    QString language;
    QString title;
};

// One packet of a text track: its time span and the packet's bytes as the container holds them.
struct Cue {
    long long startNs = 0;
    long long endNs = 0;
    QByteArray data;
};

struct EmbeddedTrack {
    TextTrack track;
    std::vector<Cue> cues;
};

namespace EmbeddedCues {

// SubRip, ASS/SSA, WebVTT, MP4 timed text and plain text.
bool isTextCodec(const QByteArray &codec);
// The track shown: the first text track marked default, else the first text track.
std::optional<TextTrack> chooseTrack(const std::vector<TextTrack> &tracks);

// A packet as the demuxer hands it: its time stamp and duration (none when 0 or less) in units of
// baseNum / baseDen seconds. Times past what nanoseconds hold are held at the end of the range.
Cue cue(qint64 timestamp, qint64 duration, int baseNum, int baseDen, QByteArray data);

// The plain text of a packet, CR between lines: ASS events carry their fields before the text, MP4
// timed text its length before the text and styles after it, the others tags in the text.
QString cueText(const QByteArray &codec, const QByteArray &data);

// The table as a file's load builds it: the lead-in entry from the OverlayFrame text, the cues in the
// order of their start (empty ones left out), the end sentinel. A cue before the movie's start begins
// at its first frame, one that ends before it starts shows for no time, and one at or past the
// sentinel is never reached and left out.
SubtitleTable table(const EmbeddedTrack &track, const QString &overlayFrameText, double videoFps);

// "SUB: " and the track's language, else its title, else its number among the streams, in upper case.
QString caption(const TextTrack &track);

}  // namespace EmbeddedCues
