#pragma once
// The display loop: twice a second it keeps a separate audio file in step, refreshes the position
// display and compares the video's frame with the one table entry that is due next. The control
// panel's subTimer calls tick(); every load and seek calls resyncSubtitles().
#include "subtitles/SubtitleTable.h"

#include <functional>

class MediaEngine;
class SubtitleOverlay;

// What the clock asks of the session: the movie's rate, the separate sound, the preferences that hide
// the subtitles, where a tick is told, and the overlay window of the moment (nothing is drawn while
// there is none).
struct SubtitleClockHooks {
    std::function<double()> videoFps;
    std::function<bool()> audioSeparate;
    std::function<bool()> hidden = [] { return false; };    // "Hide Subtitles."
    std::function<bool()> autoshow = [] { return false; };  // "Autoshow Subtitles."
    std::function<void()> ticked = [] {};
    std::function<SubtitleOverlay *()> overlay = [] { return static_cast<SubtitleOverlay *>(nullptr); };
};

class SubtitleClock {
public:
    SubtitleClock(MediaEngine &mediaPlayer1, MediaEngine &mediaPlayer2, SubtitleClockHooks hooks);

    // The loaded table; a delay shifts its frames in place.
    SubtitleTable &table() { return table_; }
    const SubtitleTable &table() const { return table_; }
    void setTable(SubtitleTable table)
    {
        table_ = std::move(table);
        subIndex_ = 0;
    }
    int subIndex() const { return subIndex_; }
    SubtitleClockHooks &hooks() { return hooks_; }

    void tick();
    // Finds the first entry that ends at or after the current frame, clears the overlay and ticks once.
    void resyncSubtitles();

private:
    void clearOverlay();

    MediaEngine &mediaPlayer1_;
    MediaEngine &mediaPlayer2_;
    SubtitleClockHooks hooks_;
    SubtitleTable table_;
    int subIndex_ = 0;
};
