#include "playback/TrackList.h"

void TrackList::setDisc(const QList<Choice> &audio, const QList<Choice> &subtitles, int subtitleIndex)
{
    audio_ = audio;
    audioIndex_ = audio.isEmpty() ? -1 : 0;
    subtitles_ = subtitles;
    subtitleIndex_ = subtitleIndex >= 0 && subtitleIndex < subtitles.size() ? subtitleIndex : -1;
    emit changed();
}

void TrackList::setAudioIndex(int index)
{
    if (index < 0 || index >= audio_.size() || index == audioIndex_)
        return;
    audioIndex_ = index;
    emit changed();
}

void TrackList::setSubtitleIndex(int index)
{
    if (index < 0 || index >= subtitles_.size() || index == subtitleIndex_)
        return;
    subtitleIndex_ = index;
    emit changed();
}
