#pragma once
// The subtitle table of a movie's own text track, filled cue by cue as the engine finds them due while
// playing and after seeks: it starts as a file's does (the lead-in entry, the end sentinel) and keeps
// every cue once, in the order of their starts.
#include "subtitles/SubtitleTable.h"

#include <QString>

namespace EngineCues {

// The lead-in entry from the OverlayFrame text and the end sentinel, nothing between.
SubtitleTable emptyTable(const QString &overlayFrameText);

struct Entry {
    double start = 0, end = 0;
    QString text;
};
// A cue the engine told, in its frames and without the delay, as the table holds it: moved by `delay`
// frames, its start on the frame the engine shows when it tells the cue (the frame it falls in) so
// the cue is due at once, its end rounded as a file's; line breaks as single CRs.
Entry entry(double start, double end, double delay, const QString &text);

// Adds the entry after every entry that starts at or before it, the sentinel staying last. Returns its
// index, or -1 when the table holds it already, it starts at or past the sentinel or at no time, or the
// table has no sentinel (it was loaded from no track).
int add(SubtitleTable &table, Entry entry);

}  // namespace EngineCues
