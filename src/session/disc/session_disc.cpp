// Disc mode in the session: a Quick ini file read on a thread into the lists of sound, subtitles,
// specials and chapters, its movie opened, and the choices made from those lists.
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

// A disc's lists as the session keeps them, made on the reading thread: thousands of entries, and the
// file's own copy of them, are neither built nor freed on the UI thread.
struct PlayerSession::DiscEntries {
    QList<TrackList::Choice> audio;
    QList<TrackList::Choice> subtitles;
    int defaultSub = -1;
    QList<Special> specials;  // without "MAIN MOVIE"
    QList<Chapter> chapters;
    QString title;
    bool specialsListed = false;
    QString moviePath;

    explicit DiscEntries(const QuickDisc &disc)
        : defaultSub(disc.defaultSub), title(disc.title), specialsListed(disc.specialsListed), moviePath(disc.moviePath)
    {
        using Kind = TrackList::Choice::Kind;
        audio.reserve(disc.langNames.size());
        for (int i = 0; i < disc.langNames.size(); ++i)
            audio.append({i == 0 ? Kind::Own : Kind::Disc, disc.langNames[i],
                          i == 0 ? QString() : disc.audioFiles.value(i - 1), 0, false});
        subtitles.reserve(disc.subNames.size());
        for (int i = 0; i < disc.subNames.size(); ++i)
            subtitles.append({Kind::Disc, disc.subNames[i], disc.subFiles.value(i), 0, false});
        for (int i = 0; i < disc.specialNames.size(); ++i)
            specials.append({disc.specialNames[i], disc.specialInis.value(i)});
        chapters.reserve(disc.chapters.size());
        for (const QuickDisc::Chapter &c : disc.chapters)
            chapters.append({c.name, double(c.number)});
    }
};

void PlayerSession::runDisc(const QString &iniPath, const QString &mediaBase)
{
    if (!beginMovieOpen(true))
        return;
    log_.line(QStringLiteral("INI mode"));
    // The disc's open has begun: the movie open until now goes, as another open would replace it.
    MediaPlayer1.close();
    movieAsked_.clear();
    subChosenInDiscOpen_ = false;
    iniRead_.run([iniPath, mediaBase] { return DiscEntries(QuickIni::read(iniPath, mediaBase)); },
                 [this](const DiscEntries &disc) { takeDisc(disc); });
}

void PlayerSession::takeDisc(const DiscEntries &disc)
{
    tracks_.setDisc(disc.audio, disc.subtitles, disc.defaultSub);
    // Without a default track the subtitle file in use stays: the last disc's, or one the user chose,
    // also while this disc was read.
    if (disc.defaultSub >= 0 && !subChosenInDiscOpen_)
        subFilePath_ = disc.subtitles[disc.defaultSub].file;

    // "MAIN MOVIE" leads back to the disc in use, also from one of its specials.
    specials_.set(QList<Special>{{QStringLiteral("MAIN MOVIE"), disc_.iniFile}} + disc.specials);
    discChapters_ = disc.chapters;
    chapters_.set(discChapters_);

    discRun_ = DiscRun{disc.title, disc.specialsListed};
    emit discRead();
    startMovieOpen(disc.moviePath, true);
}

void PlayerSession::showDiscLabels()
{
    const int sub = tracks_.subtitleIndex();
    const int audio = tracks_.audioIndex();
    Captions next;
    next.video = QStringLiteral("VIDEO: ") + discRun_->title.toUpper();
    // A file the user chose while the disc opened is the one shown, and its name stays.
    next.sub = subChosenInDiscOpen_ ? captions_.sub
                                    : QStringLiteral("SUB: ") + tracks_.subtitles().value(sub).name.toUpper();
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
