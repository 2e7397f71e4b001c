#include "subtitles/SubtitleClock.h"

#include "engine/MediaEngine.h"
#include "numbers/basic_numbers.h"
#include "subtitles/SubtitleOverlay.h"

using basic_numbers::roundEven;

SubtitleClock::SubtitleClock(MediaEngine &mediaPlayer1, MediaEngine &mediaPlayer2, SubtitleClockHooks hooks)
    : mediaPlayer1_(mediaPlayer1), mediaPlayer2_(mediaPlayer2), hooks_(std::move(hooks))
{
}

void SubtitleClock::clearOverlay()
{
    SubtitleOverlay *overlay = hooks_.overlay();
    if (!overlay)
        return;
    if (hooks_.autoshow())
        overlay->hideOverlay();
    else
        overlay->setCaption(QString());
}

void SubtitleClock::tick()
{
    const double position = mediaPlayer1_.currentPosition();
    if (position > 0) {
        const double fps = hooks_.videoFps();
        if (hooks_.audioSeparate() && fps > 0) {
            const double seconds = position / fps;
            if (roundEven(seconds) != roundEven(mediaPlayer2_.currentPosition()))
                mediaPlayer2_.setCurrentPosition(seconds);
        }
        hooks_.ticked();
    }
    if (table_.subCount <= 0)
        return;
    const auto i = static_cast<size_t>(subIndex_);
    const double now = mediaPlayer1_.currentPosition();
    const bool hidden = hooks_.hidden();
    if (table_.subStart[i] <= now && now <= table_.subEnd[i]) {
        SubtitleOverlay *overlay = hooks_.overlay();
        if (!hidden && overlay)
            overlay->showCue(table_.subText[i]);
    } else if (now > table_.subEnd[i]) {
        if (!hidden)
            clearOverlay();
        // The end sentinel is the last entry the index may reach, however far the position runs.
        if (subIndex_ + 1 < table_.subCount)
            ++subIndex_;
    }
}

void SubtitleClock::resyncSubtitles()
{
    if (table_.subCount <= 0)
        return;
    // The entry the position has not yet left, so a seek into the middle of a cue shows it at once.
    // Among overlapping entries that is the earliest listed, as the tick would have reached it.
    const double position = mediaPlayer1_.currentPosition();
    int i = 0;
    while (i + 1 < table_.subCount && table_.subEnd[static_cast<size_t>(i)] < position)
        ++i;
    subIndex_ = i;
    if (!hooks_.hidden())
        clearOverlay();
    tick();
}
