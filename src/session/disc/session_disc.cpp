// Disc mode in the session: a Quick ini file read into the lists of sound, subtitles, specials and
// chapters, its movie opened, and the choices made from those lists.
#include "engine/MediaEngine.h"
#include "playback/PlayerSession.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "subtitles/SubtitleOverlay.h"

void PlayerSession::playDisc(const QString &iniPath, bool chosenByPath, const QString &driveRoot)
{
    disc_.iniFile = iniPath;
    if (!chosenByPath)
        disc_.root = driveRoot;
    emit discChanged();
    runDisc(iniPath, discBase(iniPath, chosenByPath));
}

QString PlayerSession::discBase(const QString &iniPath, bool chosenByPath) const
{
    return QuickIni::mediaBase(app_.autorunMode, chosenByPath, app_.appPath, iniPath, disc_.root);
}

void PlayerSession::runDisc(const QString &iniPath, const QString &mediaBase)
{
    if (ended_)
        return;
    log_.line(QStringLiteral("INI mode"));
    const QuickDisc disc = QuickIni::read(iniPath, mediaBase);

    using Kind = TrackList::Choice::Kind;
    QList<TrackList::Choice> audio;
    for (int i = 0; i < disc.langNames.size(); ++i)
        audio.append({i == 0 ? Kind::Own : Kind::Disc, disc.langNames[i], i == 0 ? QString() : disc.audioFiles.value(i - 1), 0, false});
    QList<TrackList::Choice> subtitles;
    for (int i = 0; i < disc.subNames.size(); ++i)
        subtitles.append({Kind::Disc, disc.subNames[i], disc.subFiles.value(i), 0, false});
    tracks_.setDisc(audio, subtitles, disc.defaultSub);
    // Without a default track the subtitle file in use stays: the last disc's, or one the user chose.
    if (disc.defaultSub >= 0)
        subFilePath_ = disc.subFiles[disc.defaultSub];

    // "MAIN MOVIE" leads back to the disc in use, also from one of its specials.
    QList<Special> specials{{QStringLiteral("MAIN MOVIE"), disc_.iniFile}};
    for (int i = 0; i < disc.specialNames.size(); ++i)
        specials.append({disc.specialNames[i], disc.specialInis.value(i)});
    specials_.set(specials);
    discChapters_.clear();
    for (const QuickDisc::Chapter &c : disc.chapters)
        discChapters_.append({c.name, double(c.number)});
    chapters_.set(discChapters_);

    discRun_ = DiscRun{disc.title, disc.specialsListed};
    startMovieOpen(disc.moviePath, true);
}

void PlayerSession::showDiscLabels()
{
    const int sub = tracks_.subtitleIndex();
    const int audio = tracks_.audioIndex();
    Captions next;
    next.video = QStringLiteral("VIDEO: ") + discRun_->title.toUpper();
    next.sub = QStringLiteral("SUB: ") + tracks_.subtitles().value(sub).name.toUpper();
    if (discRun_->specialsListed)
        log_.line(QStringLiteral("Ini opened succesfully?"));
    next.audio = QStringLiteral("AUDIO: ") + (audio >= 0 ? tracks_.audio()[audio].name : QStringLiteral("DEFAULT")).toUpper();
    setCaptions(next);
}

void PlayerSession::chooseScene(int index)
{
    const QList<Special> &specials = specials_.list();
    const QList<Chapter> &chapters = chapters_.list();
    if (index < 0)
        return;
    if (index < specials.size()) {
        const QString ini = specials[index].iniFile;
        runDisc(ini, discBase(ini, true));
        if (overlay_)
            overlay_->setCaption(QString());
    } else if (index - specials.size() < chapters.size()) {
        // The movie moves to the chapter and keeps playing or standing as it was.
        seek(chapters[index - specials.size()].frame);
    }
}
