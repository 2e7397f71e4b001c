#pragma once
// The display loop: twice a second it keeps a separate audio file in step, refreshes the position
// display and compares the video's frame with the one table entry that is due next. The control
// panel's subTimer calls tick(); every load and seek calls resyncSubtitles().
#include "subtitles/SubtitleTable.h"

#include <functional>

struct AppState;
class MediaEngine;
class SubtitleOverlay;

// What the clock asks of the session (the first two) and of the windows (the rest, set once the panel
// is built; until then nothing is hidden, shown or drawn).
struct SubtitleClockHooks {
    std::function<double()> videoFps;
    std::function<bool()> audioSeparate;
    std::function<bool()> hidesubChecked = [] { return false; };  // "Hide Subtitles."
    std::function<bool()> autosubChecked = [] { return false; };  // "Autoshow Subtitles."
    std::function<void()> updateBarTime = [] {};
    // The overlay window of the moment; nothing is drawn while there is none.
    std::function<SubtitleOverlay *()> overlay = [] { return static_cast<SubtitleOverlay *>(nullptr); };
};

class SubtitleClock {
public:
    SubtitleClock(AppState &app, MediaEngine &mediaPlayer1, MediaEngine &mediaPlayer2, SubtitleClockHooks hooks);

    // The loaded table; the preferences shift its frames in place.
    SubtitleTable &table() { return table_; }
    void setTable(SubtitleTable table)
    {
        table_ = std::move(table);
        subIndex_ = 0;
    }
    int subIndex() const { return subIndex_; }
    SubtitleClockHooks &hooks() { return hooks_; }

    void tick();
    // Finds the first entry that starts at or after the current frame, clears the overlay and ticks once.
    void resyncSubtitles();

private:
    void clearOverlay();

    AppState &app_;
    MediaEngine &mediaPlayer1_;
    MediaEngine &mediaPlayer2_;
    SubtitleClockHooks hooks_;
    SubtitleTable table_;
    int subIndex_ = 0;
};
