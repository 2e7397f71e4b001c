// Opening media: the movie into MediaPlayer1, a separate sound track into MediaPlayer2, from the
// "Video" and "Audio" buttons' drops and from the other windows that call these methods.
#include "platform/Dialogs.h"
#include "platform/MediaEngine.h"
#include "platform/basic_numbers.h"
#include "playback/Panelfrm.h"
#include "playback/player.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QFileInfo>

namespace {

QString upperName(const QString &path)
{
    return QFileInfo(path).fileName().toUpper();
}

bool ticked(const QCheckBox *box)
{
    return box && box->isChecked();
}

// An open may wait a long while for a slow file; the panel shows the busy pointer meanwhile, and its
// own pointer again however the open ends.
class BusyPointer {
public:
    explicit BusyPointer(QWidget *w) : w_(w), was_(w->cursor()) { w_->setCursor(Qt::WaitCursor); }
    ~BusyPointer() { w_->setCursor(was_); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

private:
    QWidget *w_;
    QCursor was_;
};

void openIn(MediaEngine &engine, const QString &filename, QWidget *panel)
{
    const BusyPointer busy(panel);
    engine.setFileName(filename);
}

}  // namespace

void Panelfrm::openVideo(const QString &filename)
{
    keepPosition();
    openMovie_.reset();
    openIn(MediaPlayer1, filename, this);
    if (MediaPlayer1.fileName().isEmpty()) {
        dialogs.msgBox(QStringLiteral("ERROR LOADING MAIN A/V FILE"));
        return;
    }
    log.line(QStringLiteral("opening video ") + filename);

    // The frame rate is the length in frames over the length in seconds; from here on the movie's
    // engine counts in frames. A file without a length has no rate rather than an infinite one.
    MediaPlayer1.setDisplayMode(0);
    const double seconds = MediaPlayer1.duration();
    MediaPlayer1.setDisplayMode(1);
    const double frames = MediaPlayer1.duration();
    videoFps = seconds > 0 ? basic_numbers::roundEvenTo(frames / seconds, 3) : 0;
    if (MediaPlayer1.frameRateAssumed())
        log.line(QStringLiteral("no frame rate in the file, 25 assumed"));
    log.line(QStringLiteral("fps ") + basic_numbers::shortText(videoFps));

    if (trackWidth > 0)
        posPerTwip = frames / trackWidth;
    const int imageHeight = MediaPlayer1.imageSourceHeight();
    app.videoAspect = imageHeight > 0 ? static_cast<double>(MediaPlayer1.imageSourceWidth()) / imageHeight : 0;
    subTimer.start();
    playerForm->setWindowTitle(filename);

    // An earlier separate sound track stays loaded and in step, but silent.
    MediaPlayer1.setMute(false);
    MediaPlayer2.setMute(true);
    vplay->setText(QStringLiteral("Play"));
    // The new movie stands halted: with the caption at "Play" neither the stepping timer nor the
    // rate controls may go on acting for the old one.
    isPlaying = false;
    TimerMovieBack.stop();

    app.zoomMode = settingsForm && ticked(settingsForm->fullscreen) ? 1 : 0;
    zoom();

    namelbl->setText(QStringLiteral("VIDEO: ") + upperName(filename));
    if (audiolbl->text() == QLatin1String("AUDIO:"))
        audiolbl->setText(QStringLiteral("AUDIO: DEFAULT"));
    if (subtitlesForm && settingsForm && ticked(settingsForm->Autosub))
        subtitlesForm->hideOverlay();

    resumePosition(filename);
    showEmbeddedSubtitles(filename);

    if (settingsForm && ticked(settingsForm->Autoplay)) {
        playerForm->show();
        vplay_Click();
        log.line(QStringLiteral("Video opened"));
    }
}

void Panelfrm::openAudio(const QString &filename)
{
    openIn(MediaPlayer2, filename, this);
    if (MediaPlayer2.fileName().isEmpty()) {
        // Muting the movie for a track that did not open would leave the user in silence.
        app.audioSeparate = false;
        MediaPlayer1.setMute(false);
        audiolbl->setText(QStringLiteral("AUDIO: DEFAULT"));
        dialogs.msgBox(QStringLiteral("ERROR LOADING AUDIO FILE"));
        return;
    }
    MediaPlayer2.setVolume(MediaPlayer1.volume());
    MediaPlayer2.setMute(false);
    MediaPlayer1.setMute(true);
    app.audioSeparate = true;
    audiolbl->setText(QStringLiteral("AUDIO: ") + upperName(filename));
    // Its position follows the movie's on the next tick of the subtitle timer.
    if (MediaPlayer1.playState() == 2)
        MediaPlayer2.play();
    log.line(QStringLiteral("opened audio ") + filename);
}

void Panelfrm::openfile_Drop(const QStringList &paths)
{
    if (paths.size() != 1)
        return;
    if (!app.subsHidden)
        subTimer.stop();
    openVideo(paths.first());
    if (!app.subFilePath.isEmpty())
        getsubtitles(app.subFilePath);
    if (MediaPlayer1.playState() == 2 && !app.subsHidden)
        subTimer.start();
}

void Panelfrm::sndopen_Drop(const QStringList &paths)
{
    if (paths.size() != 1 || MediaPlayer1.fileName().isEmpty())
        return;
    if (!app.subsHidden)
        subTimer.stop();
    openAudio(paths.first());
    if (MediaPlayer1.playState() == 2 && !app.subsHidden)
        subTimer.start();
}
