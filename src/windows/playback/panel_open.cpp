// Opening media: the movie into MediaPlayer1, a separate sound track into MediaPlayer2, from the
// "Video" and "Audio" buttons' drops and from the other windows that call these methods. The session
// opens; the panel shows the end of it.
#include "dialogs/Dialogs.h"
#include "engine/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "playback/player.h"
#include "prefs/Preferences.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "subtitles/subtitles.h"

#include <QComboBox>
#include <QFileInfo>

namespace {

QString upperName(const QString &path)
{
    return QFileInfo(path).fileName().toUpper();
}

}  // namespace

void Panelfrm::openVideo(const QString &filename)
{
    session.openMovie(filename);
}

void Panelfrm::showOpenedMovie(const QString &filename)
{
    if (trackWidth > 0)
        posPerTwip = MediaPlayer1.duration() / trackWidth;
    const int imageHeight = MediaPlayer1.imageSourceHeight();
    app.videoAspect = imageHeight > 0 ? static_cast<double>(MediaPlayer1.imageSourceWidth()) / imageHeight : 0;
    playerForm->setWindowTitle(filename);
    // The new movie stands halted.
    vplay->setText(QStringLiteral("Play"));

    const Prefs &p = prefs.values();
    app.zoomMode = p.fullscreen ? 1 : 0;
    zoom();

    namelbl->setText(QStringLiteral("VIDEO: ") + upperName(filename));
    if (audiolbl->text() == QLatin1String("AUDIO:"))
        audiolbl->setText(QStringLiteral("AUDIO: DEFAULT"));
    if (subtitlesForm && p.autoshow)
        subtitlesForm->hideOverlay();

    if (p.autoplay) {
        playerForm->show();
        session.togglePlay();
        log.line(QStringLiteral("Video opened"));
    }
}

void Panelfrm::movieOpenEnded()
{
    if (!session.subFilePath().isEmpty())
        getsubtitles(session.subFilePath());
    else if (!MediaPlayer1.fileName().isEmpty())
        Sublbl->setText(QStringLiteral("SUB:"));  // the last movie's own track is gone with it
    if (discLabels_ && session.discMovie()) {
        namelbl->setText(QStringLiteral("VIDEO: ") + discLabels_->title.toUpper());
        Sublbl->setText(QStringLiteral("SUB: ") + discLabels_->sub.toUpper());
        if (discLabels_->specialsListed)
            log.line(QStringLiteral("Ini opened succesfully?"));
        audiolbl->setText(QStringLiteral("AUDIO: ") + discLabels_->audio.toUpper());
    }
    discLabels_.reset();
}

void Panelfrm::openAudio(const QString &filename, const QString &language)
{
    soundLanguage_ = language;
    soundLanguageFile_ = language.isEmpty() ? QString() : filename;
    session.openSound(filename);
}

void Panelfrm::showOpenedSound(const QString &filename)
{
    const bool fromLanguages = !soundLanguageFile_.isEmpty() && filename == soundLanguageFile_;
    audiolbl->setText(QStringLiteral("AUDIO: ") + (fromLanguages ? soundLanguage_.toUpper() : upperName(filename)));
}

void Panelfrm::showSoundFailed(const QString &filename)
{
    const bool fromLanguages = !soundLanguageFile_.isEmpty() && filename == soundLanguageFile_;
    audiolbl->setText(QStringLiteral("AUDIO: DEFAULT"));
    dialogs.msgBox(QStringLiteral("ERROR LOADING AUDIO FILE"));
    // A language whose file did not open is not what is heard: the list shows the movie's own.
    if (fromLanguages && settingsForm && settingsForm->LangCombo->count() > 0) {
        settingsForm->LangCombo->setCurrentIndex(0);
        audiolbl->setText(QStringLiteral("AUDIO: ") + settingsForm->LangCombo->currentText().toUpper());
    }
}

void Panelfrm::openfile_Drop(const QStringList &paths)
{
    if (paths.size() != 1)
        return;
    openVideo(paths.first());
}

void Panelfrm::sndopen_Drop(const QStringList &paths)
{
    if (paths.size() != 1 || MediaPlayer1.fileName().isEmpty())
        return;
    openAudio(paths.first());
}
