#include "startup/OpenedFile.h"

#include "browse/FileKinds.h"
#include "playback/PlayerSession.h"

#include <algorithm>

namespace OpenedFile {

namespace {

QString patternsOf(FileKinds::Mode mode)
{
    return FileKinds::filtersFor(mode).patterns.value(0);
}

}  // namespace

Button buttonFor(const QString &path, bool videoOpen)
{
    if (FileKinds::matches(path, patternsOf(FileKinds::Subtitles)))
        return Button::Sub;
    if (FileKinds::matches(path, patternsOf(FileKinds::QuickIni)))
        return Button::CD;
    // The audio patterns include the movie containers; only what no video pattern takes is sound only.
    const bool soundOnly = FileKinds::matches(path, patternsOf(FileKinds::Audio))
                           && !FileKinds::matches(path, patternsOf(FileKinds::Video));
    return soundOnly && videoOpen ? Button::Audio : Button::Video;
}

void open(PlayerSession &session, const QStringList &paths)
{
    // Sorted as if a movie were open: a sound file given alone still opens as the movie.
    QStringList ordered = paths;
    const auto rank = [](const QString &path) {
        const Button b = buttonFor(path, true);
        return b == Button::Sub ? 2 : b == Button::Audio ? 1 : 0;
    };
    std::stable_sort(ordered.begin(), ordered.end(),
                     [&](const QString &a, const QString &b) { return rank(a) < rank(b); });
    for (const QString &path : ordered) {
        // A movie still opening counts: its sound waits for it.
        switch (buttonFor(path, session.movieOpen() || session.openingMovie())) {
        case Button::Sub:
            session.chooseSubtitles(path);
            break;
        case Button::CD:
            session.playDisc(path, true);
            break;
        case Button::Audio:
            session.openSound(path);
            break;
        case Button::Video:
            session.openMovie(path);
            break;
        }
    }
}

}  // namespace OpenedFile
