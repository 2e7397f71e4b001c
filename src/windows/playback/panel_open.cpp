// Opening media: the movie into MediaPlayer1, a separate sound track into MediaPlayer2, from the
// "Video" and "Audio" buttons' drops and from the other windows that call these methods. The session
// opens; the panel shows the end of it.
#include "engine/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "playback/player.h"
#include "prefs/Preferences.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "subtitles/subtitles.h"

void Panelfrm::openVideo(const QString &filename)
{
    session.openMovie(filename);
}

void Panelfrm::showOpenedMovie(const QString &filename)
{
    if (trackWidth > 0)
        posPerTwip = session.movie().duration() / trackWidth;
    playerForm->setWindowTitle(filename);
    // The new movie stands halted.
    showPlayCaption(false);

    const Prefs &p = prefs.values();
    zoom(p.fullscreen ? 1 : 0);

    if (subtitlesForm && p.autoshow)
        subtitlesForm->hideOverlay();

    if (p.autoplay) {
        playerForm->show();
        session.togglePlay();
        log.line(QStringLiteral("Video opened"));
    }
}

void Panelfrm::showCaptions()
{
    const Captions &c = session.captions();
    namelbl->setText(c.video);
    audiolbl->setText(c.audio);
    Sublbl->setText(c.sub);
}

void Panelfrm::openAudio(const QString &filename)
{
    session.openSound(filename);
}

void Panelfrm::openfile_Drop(const QStringList &paths)
{
    if (paths.size() != 1)
        return;
    openVideo(paths.first());
}

void Panelfrm::sndopen_Drop(const QStringList &paths)
{
    if (paths.size() != 1 || session.movie().fileName().isEmpty())
        return;
    openAudio(paths.first());
}
