// What the command line asks for before any window exists, and where a file handed over from outside
// is dropped.
#include "support/PanelFixture.h"
#include "support/SessionFixture.h"

#include "engine/MediaEngine.h"
#include "startup/Invocation.h"
#include "startup/OpenedFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

}  // namespace

TEST(Invocation, HelpVersionAndTheFileArguments)
{
    const QString help = Invocation::requestText({"vistrel", "--help"});
    EXPECT_TRUE(help.startsWith(QStringLiteral("Usage: vistrel")));
    EXPECT_EQ(Invocation::requestText({"vistrel", "-h"}), help);
    EXPECT_EQ(Invocation::requestText({"vistrel", "--version"}), QStringLiteral("Vistrel " VISTREL_VERSION "\n"));
    // Only as the first argument; anything else starts the player.
    EXPECT_TRUE(Invocation::requestText({"vistrel", "movie.avi", "--help"}).isEmpty());
    EXPECT_TRUE(Invocation::requestText({"vistrel"}).isEmpty());

    QTemporaryDir dir;
    const QString withBlanks = dir.filePath(QStringLiteral("My Movie (1999).avi"));
    touch(withBlanks);
    touch(dir.filePath(QStringLiteral("AUTORUN")));
    touch(dir.filePath(QStringLiteral("-dash.srt")));
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto in = [&](const char *name) { return dir.filePath(QString::fromUtf8(name)); };
    const struct {
        QStringList args;
        QStringList files;
    } cases[] = {
        {{"vistrel", withBlanks}, {withBlanks}},
        {{"vistrel", "My Movie (1999).avi"}, {withBlanks}},  // relative to where it was started
        {{"vistrel", withBlanks, "second.srt"}, {withBlanks, in("second.srt")}},
        {{"vistrel", "AUTORUN"}, {}},  // keeps its meaning even beside a file of that name
        {{"vistrel", "autorun", withBlanks}, {}},
        {{"vistrel", "x.avi", "AUTORUN"}, {in("x.avi"), in("AUTORUN")}},  // a word only in first place
        // Missing files and folders are handed on too: the panel tells what is wrong with them.
        {{"vistrel", dir.path()}, {dir.path()}},
        {{"vistrel", "My"}, {in("My")}},
        {{"vistrel", "line\nbreak.avi"}, {in("line\nbreak.avi")}},
        {{"vistrel", "-dash.srt"}, {in("-dash.srt")}},
        {{"vistrel", ""}, {}},
        {{"vistrel"}, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Invocation::fileArguments(c.args), c.files) << c.args.join(QLatin1Char('|')).toStdString();

    // An option the program does not know is refused at once, before any window or hand-over.
    const struct {
        QStringList args;
        bool refused;
    } options[] = {
        {{"vistrel", "--bogus-option"}, true},
        {{"vistrel", withBlanks, "-x"}, true},
        {{"vistrel", "-dash.srt"}, false},  // a file of that name
        {{"vistrel", "-"}, false},
        {{"vistrel", withBlanks}, false},
        {{"vistrel", "AUTORUN"}, false},
    };
    for (const auto &c : options) {
        const QString complaint = Invocation::usageError(c.args);
        EXPECT_EQ(!complaint.isEmpty(), c.refused) << c.args.join(QLatin1Char('|')).toStdString();
        if (c.refused)
            EXPECT_TRUE(complaint.contains(c.args.last())) << complaint.toStdString();
    }
    QDir::setCurrent(oldCwd);
}

TEST(Invocation, WaylandSessionsRunThroughXWaylandUnlessThePlatformWasChosen)
{
    const struct {
        const char *qpa, *session, *wayland, *x11, *choice;
    } cases[] = {
        {"", "wayland", "wayland-0", ":0", "xcb"},
        {"", "", "wayland-0", ":0", "xcb"},     // session type unknown, compositor present
        {"", "wayland", "wayland-0", "", ""},   // no XWayland: Qt's own choice
        {"wayland", "wayland", "wayland-0", ":0", ""},
        {"offscreen", "x11", "", ":0", ""},
        {"", "x11", "", ":0", ""},
        {"", "tty", "", "", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Invocation::platformChoice(c.qpa, c.session, c.wayland, c.x11), QByteArray(c.choice))
            << c.qpa << "/" << c.session << "/" << c.wayland << "/" << c.x11;
}

TEST(OpenedFile, EachKindGoesToItsButton)
{
    using B = OpenedFile::Button;
    const struct {
        const char *name;
        bool videoOpen;
        B button;
    } cases[] = {
        {"a.srt", false, B::Sub},   {"A.SUB", true, B::Sub},    {"notes.txt", false, B::Sub},
        {"mdvd.ini", false, B::CD}, {"DISC.MDV", true, B::CD},  {"x.mvd", false, B::CD},
        {"song.mp3", true, B::Audio}, {"SONG.WAV", true, B::Audio},
        {"song.mp3", false, B::Video},  // nothing to lay it under: it plays as the movie
        {"dub.avi", true, B::Video},    // a movie container replaces the movie
        {"clip.mkv", false, B::Video}, {"noextension", true, B::Video},
    };
    for (const auto &c : cases)
        EXPECT_EQ(OpenedFile::buttonFor(QString::fromLatin1(c.name), c.videoOpen), c.button)
            << c.name << " video open " << c.videoOpen;
}

TEST(OpenedFile, OpensAsIfDroppedOnItsButton)
{
    PanelFixture f;
    const QString movie = f.path(QStringLiteral("my movie.avi"));
    const QString sound = f.path(QStringLiteral("dub track.mp3"));
    const QString subs = f.path(QStringLiteral("my movie.srt"));
    touch(subs);

    OpenedFile::open(f.session, {sound});  // no movie yet: the sound file is the movie
    EXPECT_EQ(f.mp1.fileName(), sound);
    OpenedFile::open(f.session, {movie});
    EXPECT_EQ(f.mp1.fileName(), movie);
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), QStringLiteral("Play"));  // AutoPlay is off
    OpenedFile::open(f.session, {sound});
    EXPECT_EQ(f.mp2.fileName(), sound);
    EXPECT_TRUE(f.session.audioSeparate());
    OpenedFile::open(f.session, {subs});
    EXPECT_EQ(f.session.subFilePath(), subs);
    const QString ini = f.path(QStringLiteral("my disc.ini"));
    touch(ini);
    OpenedFile::open(f.session, {ini});
    EXPECT_EQ(f.session.disc().iniFile, ini);
}

TEST(OpenedFile, FilesGivenTogetherOpenAsMovieThenSoundThenSubtitles)
{
    const QByteArray srt = "1\r\n00:00:02,000 --> 00:00:03,000\r\nHello\r\n\r\n";
    const struct {
        const char *what;
        QStringList names;
    } cases[] = {
        {"movie, sound, subtitles", {"movie.mkv", "dub.mp3", "movie.srt"}},
        {"sound first", {"dub.mp3", "movie.mkv"}},
        {"subtitles first", {"movie.srt", "dub.mp3", "movie.mkv"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SessionFixture f;
        f.mp1.holdOpens = true;
        f.mp2.holdOpens = true;
        QStringList paths;
        for (const QString &name : c.names)
            paths << (name.endsWith(".srt") ? f.file(name, srt) : f.path(name));
        OpenedFile::open(f.session, paths);
        EXPECT_EQ(f.mp1.calls, QStringList{"open " + f.path("movie.mkv")});
        EXPECT_TRUE(f.mp2.calls.isEmpty()) << "the sound waits for the movie";
        f.mp1.finishOpen();
        f.mp2.finishOpen();
        EXPECT_EQ(f.mp1.fileName(), f.path("movie.mkv"));
        EXPECT_EQ(f.mp2.fileName(), f.path("dub.mp3"));
        EXPECT_TRUE(f.session.audioSeparate());
        EXPECT_TRUE(f.mp1.mute());
        if (c.names.contains("movie.srt"))
            EXPECT_EQ(f.session.subClock().table().subCount, 3);
    }
}
