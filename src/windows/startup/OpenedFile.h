#pragma once
// A file handed to the program from outside (its command line, or a later start that passed it on),
// opened as if the user had dropped it on the panel button for its kind.
#include <QString>

class PlayerSession;

namespace OpenedFile {

enum class Button { Video, Audio, Sub, CD };

// The button a file goes to, by the Browse dialog's patterns: subtitles on "Sub", a Quick ini file
// on the disc button, a sound-only file on "Audio" while a movie is open, anything else on "Video".
Button buttonFor(const QString &path, bool videoOpen);

// Opens files given together as their buttons would take them: movies and discs first, then sound,
// then subtitles, so that a sound file given with a movie plays with it and subtitles load into it once
// it has opened.
void open(PlayerSession &session, const QStringList &paths);

}  // namespace OpenedFile
