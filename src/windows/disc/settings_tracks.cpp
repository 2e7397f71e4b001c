// The lists of sound and subtitle choices on the preferences window: views of the session's track list,
// and a pick asks the session for that choice.
#include "playback/PlayerSession.h"
#include "prefs/Settings.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringListModel>

void Settings::showTracks()
{
    const TrackList &tracks = session_.tracks();
    const auto fill = [](QComboBox *box, const QList<TrackList::Choice> &choices, int current, const QString &none) {
        // A disc may list thousands of tracks: the names go in as one list, not one item at a time.
        auto *names = qobject_cast<QStringListModel *>(box->model());
        if (!names) {
            names = new QStringListModel(box);
            box->setModel(names);
        }
        QStringList list;
        list.reserve(choices.size());
        for (const TrackList::Choice &c : choices)
            list << c.name;
        const QSignalBlocker quiet(box);
        names->setStringList(list);
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
