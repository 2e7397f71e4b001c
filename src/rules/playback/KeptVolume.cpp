#include "playback/KeptVolume.h"

#include "playback/VolumeSteps.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace {

const QByteArray kHeader = "vistrel volume 1";

}  // namespace

namespace KeptVolume {

std::optional<float> read(const QByteArray &bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < 2 || lines[0].trimmed() != kHeader)
        return std::nullopt;
    bool ok = false;
    const float db = lines[1].trimmed().toFloat(&ok);
    // Only what the slider can set: a silent or out-of-range value would start the player mute.
    if (!ok || !std::isfinite(db) || db < 0 || !VolumeSteps::setsVolume(db))
        return std::nullopt;
    return db;
}

QByteArray write(float db)
{
    return kHeader + '\n' + QByteArray::number(db, 'g', 9) + '\n';
}

std::optional<float> load(const QString &path)
{
    const QFileInfo info(path);
    QFile file(path);
    // A folder or a pipe in its place keeps nothing, and a pipe would wait for a writer.
    if (!info.isFile() || info.size() > 1024 || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return read(file.readAll());
}

}  // namespace KeptVolume
