// Where movies were left part-way: the session's side of the positions file.
#include "engine/MediaEngine.h"
#include "playback/PlayerSession.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "startup/SettingsFile.h"

#include <QFileInfo>
#include <cmath>

namespace {

// Beside the settings file, wherever that is written.
QString positionsFile(const AppState &app)
{
    return QFileInfo(SettingsFile::writePath(app.appPath)).absolutePath() + QStringLiteral("/kelmora.pos");
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
}
