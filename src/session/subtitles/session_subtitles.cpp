// Subtitles in the session: the file in use, read into the table the display loop shows, and the delay
// that moves it.
#include "engine/MediaEngine.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "startup/RunLog.h"
#include "subtitles/SubtitleDelay.h"
#include "subtitles/SubtitleOverlay.h"
#include "subtitles/SubtitleReaders.h"

void PlayerSession::chooseSubtitles(const QString &path, std::optional<int> format)
{
    subFilePath_ = path;
    if (openingMovie_ && discMovie_)
        subChosenInDiscOpen_ = true;
    emit subtitlesChosen(path);
    if (movieOpen())
        loadSubtitles(path, format);
    else if (openingMovie_)
        subFormatAsked_ = format;
}

void PlayerSession::loadSubtitles(const QString &path, std::optional<int> format)
{
    if (path.isEmpty())
        return;
    log_.line(QStringLiteral("Opening Subs ") + path);
    SubtitleLoad load = loadSubtitleFile(path, format, prefs_.values().overlayFrame, videoFps_);
    // The format tried is worth knowing when its reader found nothing.
    if (load.ok || load.format)
        log_.line(formatLogLine(load.format));
    if (!load.ok) {
        // Nothing was read: the table, the caption and the display stay as they were.
        emit messageDue(load.error, Dialogs::Icon::Critical, QStringLiteral("ERROR"));
        return;
    }
    if (!load.error.isEmpty())
        emit messageDue(load.error, Dialogs::Icon::Critical, QStringLiteral("ERROR"));
    stopMovieSubtitle();
    setSubtitleTable(std::move(load.table));
    tracks_.setFile(path);
    tracks_.showSubtitle(TrackList::Choice::Kind::File, 0, path);
    setCaptions({captions_.video, captions_.audio, sublblCaption(path)});
    log_.line(QStringLiteral("Subs opened succesfully?"));
}

void PlayerSession::blankOverlay()
{
    if (!overlay_)
        return;
    if (prefs_.values().autoshow)
        overlay_->hideOverlay();
    else
        overlay_->setCaption(QString());
}

void PlayerSession::setSubtitleTable(SubtitleTable table)
{
    subClock_.setTable(std::move(table));
    subClock_.resyncSubtitles();
    emit subtitleTableChanged();
}

void PlayerSession::shiftSubtitles(double frames)
{
    shiftTable(subClock_.table(), frames);
    // The movie's own cues still to come move with those taken: the engine tells them that much
    // later, or earlier, so a cue brought forward arrives before its own time.
    if (cuesFromMovie_) {
        cueDelay_ += frames;
        MediaPlayer1.setSubtitleDelay(cueDelay_);
    }
    emit subtitleTableChanged();
}

void PlayerSession::chooseSubtitleTrack(int index)
{
    if (index < 0 || index >= tracks_.subtitles().size())
        return;
    const TrackList::Choice choice = tracks_.subtitles()[index];
    using Kind = TrackList::Choice::Kind;
    if (choice.kind == Kind::Movie) {
        if (movieOpen())
            showMovieSubtitle(choice.track);
        return;
    }
    tracks_.setSubtitleIndex(index);
    if (choice.kind == Kind::None) {
        stopMovieSubtitle();
        setSubtitleTable(SubtitleTable());
        blankOverlay();
        log_.line(QStringLiteral("subtitles off"));
        setCaptions({captions_.video, captions_.audio, QStringLiteral("SUB: NONE")});
        return;
    }
    // The subtitle file in use stays: a later disc without a default track goes back to it.
    loadSubtitles(choice.file);
    setCaptions({captions_.video, captions_.audio, QStringLiteral("SUB: ") + choice.name.toUpper()});
}
