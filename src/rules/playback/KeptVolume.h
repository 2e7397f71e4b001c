#pragma once
// The volume the user left the player at, kept in a file of its own beside the positions file (the
// settings file has no entry for it) so the next start plays at it. The file: a header line, then the
// attenuation in decibels as the volume slider gives it. A missing, damaged or foreign file keeps
// nothing, and the player starts at full volume as before.
#include <QByteArray>
#include <QString>
#include <optional>

namespace KeptVolume {

std::optional<float> read(const QByteArray &bytes);
QByteArray write(float db);
// The file at `path`; nothing when it is not a small regular file of this kind.
std::optional<float> load(const QString &path);

}  // namespace KeptVolume
