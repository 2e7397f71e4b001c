// Subtitles in the session: the file in use, read into the table the display loop shows, and the delay
// that moves it.
#include "engine/MediaEngine.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "startup/RunLog.h"
#include "subtitles/SubtitleDelay.h"
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
    setSubtitleTable(std::move(load.table));
    setCaptions({captions_.video, captions_.audio, sublblCaption(path)});
    log_.line(QStringLiteral("Subs opened succesfully?"));
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
    emit subtitleTableChanged();
}
