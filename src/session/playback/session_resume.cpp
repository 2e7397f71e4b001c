// What the session keeps per user beside the settings file: where movies were left part-way, and the
// volume.
#include "engine/MediaEngine.h"
#include "playback/KeptVolume.h"
#include "playback/VolumeSteps.h"
#include "playback/PlayerSession.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "startup/SettingsFile.h"

#include <QFileInfo>
#include <cmath>

namespace {

// Beside the settings file, wherever that is written.
QString keptFile(const AppState &app, const char *name)
{
    return QFileInfo(SettingsFile::writePath(app.appPath)).absolutePath() + QLatin1Char('/') + QLatin1String(name);
}

QString positionsFile(const AppState &app)
{
    return keptFile(app, "kelmora.pos");
}

}  // namespace

void PlayerSession::keepPosition()
{
    // A movie the engine lost tells no position; its kept one stays.
    if (!openMovie_ || app_.autorunMode || !movieOpen())
        return;
    const double frame = MediaPlayer1.currentPosition();
    const QString file = positionsFile(app_);
    ResumePositions positions = ResumePositions::load(file);
    if (worthResuming(frame, MediaPlayer1.duration(), videoFps_))
        positions.keep(*openMovie_, std::llround(frame));
    else if (positions.frameOf(*openMovie_))
        positions.forget(*openMovie_);
    else
        return;
    if (!ResumePositions::save(file, positions.write()))
        log_.line(QStringLiteral("positions not saved in ") + file);
}

void PlayerSession::resumePosition(const QString &path)
{
    openMovie_ = movieKey(path);
    if (!openMovie_)
        return;
    const auto frame = ResumePositions::load(positionsFile(app_)).frameOf(*openMovie_);
    if (!frame || !worthResuming(double(*frame), MediaPlayer1.duration(), videoFps_))
        return;
    MediaPlayer1.setCurrentPosition(double(*frame));
    log_.line(QStringLiteral("resumed at frame ") + QString::number(*frame));
    resumedAt_ = double(*frame);
}

void PlayerSession::restoreVolume()
{
    const std::optional<float> db = KeptVolume::load(keptFile(app_, "kelmora.vol"));
    if (!db)
        return;
    volumeDb_ = keptVolumeDb_ = *db;
    MediaPlayer1.setVolume(VolumeSteps::engineVolume(*db));
    MediaPlayer2.setVolume(MediaPlayer1.volume());
    emit volumeChanged(*db);
}

void PlayerSession::keepVolume()
{
    if (volumeDb_ == keptVolumeDb_)
        return;
    const QString file = keptFile(app_, "kelmora.vol");
    if (ResumePositions::save(file, KeptVolume::write(*volumeDb_)))
        keptVolumeDb_ = volumeDb_;
    else
        log_.line(QStringLiteral("volume not saved in ") + file);
}
