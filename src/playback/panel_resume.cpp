// Where movies were left part-way: the panel's side of the positions file.
#include "platform/MediaEngine.h"
#include "playback/Panelfrm.h"
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

void Panelfrm::keepPosition()
{
    // A movie the engine lost tells no position; its kept one stays.
    if (!openMovie_ || app.autorunMode || MediaPlayer1.fileName().isEmpty())
        return;
    const double frame = MediaPlayer1.currentPosition();
    const QString file = positionsFile(app);
    ResumePositions positions = ResumePositions::load(file);
    if (worthResuming(frame, MediaPlayer1.duration(), videoFps))
        positions.keep(*openMovie_, std::llround(frame));
    else if (positions.frameOf(*openMovie_))
        positions.forget(*openMovie_);
    else
        return;
    if (!ResumePositions::save(file, positions.write()))
        log.line(QStringLiteral("positions not saved in ") + file);
}

void Panelfrm::resumePosition(const QString &movie)
{
    openMovie_ = movieKey(movie);
    if (!openMovie_)
        return;
    const auto frame = ResumePositions::load(positionsFile(app)).frameOf(*openMovie_);
    if (!frame || !worthResuming(double(*frame), MediaPlayer1.duration(), videoFps))
        return;
    MediaPlayer1.setCurrentPosition(double(*frame));
    updateBarTime();
    log.line(QStringLiteral("resumed at frame ") + QString::number(*frame));
}
