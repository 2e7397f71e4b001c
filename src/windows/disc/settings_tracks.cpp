// The lists of sound and subtitle choices on the preferences window: views of the session's track list,
// and a pick asks the session for that choice.
#include "playback/PlayerSession.h"
#include "prefs/Settings.h"

#include <QComboBox>
#include <QSignalBlocker>

void Settings::showTracks()
{
    const TrackList &tracks = session_.tracks();
    const auto fill = [](QComboBox *box, const QList<TrackList::Choice> &choices, int current, const QString &none) {
        const QSignalBlocker quiet(box);
        box->clear();
        for (const TrackList::Choice &c : choices)
            box->addItem(c.name);
        box->setCurrentIndex(current);
        // Nothing chosen: the box says so without an entry of that name.
        if (current < 0)
            box->setEditText(none);
    };
    fill(SubCombo, tracks.subtitles(), tracks.subtitleIndex(), QStringLiteral("None"));
    fill(LangCombo, tracks.audio(), tracks.audioIndex(), QStringLiteral("DEFAULT"));
}

void Settings::SubCombo_Click()
{
    session_.chooseSubtitleTrack(SubCombo->currentIndex());
}

void Settings::LangCombo_Click()
{
    session_.chooseLanguage(LangCombo->currentIndex());
}
