// A movie left part-way opens where it was left: stopped, replaced or closed, on the panel with the
// engine double and movie files on disk.
#include "support/PanelFixture.h"
#include "support/TestFiles.h"

#include "playback/ResumePositions.h"

#include <QCheckBox>
#include <gtest/gtest.h>

namespace {

struct Resume : ::testing::Test {
    PanelFixture f;
    // Five minutes at 25 frames a second.
    static constexpr double kSeconds = 300, kFrames = 7500;

    QString movie(const char *name = "movie.mkv", const QByteArray &bytes = "movie bytes")
    {
        const QString path = f.path(QString::fromLatin1(name));
        if (!QFile::exists(path))
            writeFile(path, bytes);
        return path;
    }
    void open(const QString &path)
    {
        f.mp1.calls.clear();
        f.openMovie(QFileInfo(path).fileName(), kSeconds, kFrames);
    }
    // Playing, then the play button stops the movie at `frame`.
    void stopAt(double frame)
    {
        f.panel.vplay_Click();
        f.mp1.setPositionQuietly(frame);
        f.panel.vplay_Click();
    }
    bool seeked(double frame) const { return f.mp1.calls.contains(QStringLiteral("seek ") + QString::number(frame)); }
    QString positionsFile() const { return f.path("kelmora.pos"); }
};

}  // namespace

TEST_F(Resume, StoppedPartWayOpensThereAgain)
{
    struct Case {
        double stoppedAt;
        bool resumes;
    } cases[] = {{2250, true}, {1501, true}, {1500, false}, {5999, true}, {6000, false}, {7500, false}, {10, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stoppedAt);
        QFile::remove(positionsFile());
        const QString path = movie();
        open(path);
        stopAt(c.stoppedAt);
        open(path);
        EXPECT_EQ(seeked(c.stoppedAt), c.resumes);
        EXPECT_EQ(f.mp1.currentPosition(), c.resumes ? c.stoppedAt : 0);
    }
}

TEST_F(Resume, ReplacedOrClosedPartWayIsKeptToo)
{
    const QString first = movie("first.mkv"), second = movie("second.mkv");
    open(first);
    f.mp1.setPositionQuietly(3000);  // playing when the next movie replaces it
    open(second);
    EXPECT_FALSE(seeked(3000));
    EXPECT_EQ(ResumePositions::load(positionsFile()).frameOf(*movieKey(first)), 3000);

    open(first);
    EXPECT_TRUE(seeked(3000));
    // The start control still goes to the first frame, and the next stop keeps that: nothing to resume.
    f.panel.vgos_Click();
    EXPECT_EQ(f.mp1.currentPosition(), 0);
    stopAt(0);
    EXPECT_FALSE(ResumePositions::load(positionsFile()).frameOf(*movieKey(first)));

    open(second);
    f.mp1.setPositionQuietly(4000);
    f.panel.Form_Unload(0);
    EXPECT_EQ(ResumePositions::load(positionsFile()).frameOf(*movieKey(second)), 4000);
}

TEST_F(Resume, AChangedFileStartsFromTheBeginning)
{
    const QString path = movie();
    open(path);
    stopAt(3000);
    writeFile(path, "a different, longer movie under the same name");
    open(path);
    EXPECT_FALSE(seeked(3000));
    // Its old entry does not linger beside the new one.
    stopAt(4000);
    EXPECT_EQ(ResumePositions::load(positionsFile()).size(), 1);
}

TEST_F(Resume, TimerDrivenPlayStoppedKeepsThePosition)
{
    const QString path = movie();
    open(path);
    f.haltAtRate(9);  // -4x, stepped by the timer
    f.panel.vplay_Click();
    f.mp1.setPositionQuietly(2600);
    f.panel.vplay_Click();
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Play");
    EXPECT_EQ(ResumePositions::load(positionsFile()).frameOf(*movieKey(path)), 2600);
}

TEST_F(Resume, DamagedOrUnwritablePositionsFileIsNoError)
{
    const QString path = movie();
    writeFile(positionsFile(), "\x7F" "ELF not a positions file");
    open(path);
    EXPECT_FALSE(seeked(0));
    stopAt(3000);
    EXPECT_TRUE(f.dialogs.shown.empty());
    open(path);
    EXPECT_TRUE(seeked(3000));

    // A folder where the file should be: nothing is kept, nothing is said.
    QFile::remove(positionsFile());
    ASSERT_TRUE(QDir().mkpath(positionsFile()));
    stopAt(4000);
    open(path);
    EXPECT_FALSE(seeked(4000));
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST_F(Resume, AutorunWritesNoPositionsButResumes)
{
    const QString path = movie();
    open(path);
    stopAt(3000);
    const QByteArray before = readAll(positionsFile());
    f.app.autorunMode = true;
    open(path);
    EXPECT_TRUE(seeked(3000));
    stopAt(5000);
    f.panel.Form_Unload(0);
    EXPECT_EQ(readAll(positionsFile()), before);
}

TEST_F(Resume, AutoPlayStartsAtTheKeptFrame)
{
    const QString path = movie();
    open(path);
    stopAt(3000);
    f.settings.Autoplay->setChecked(true);
    open(path);
    const qsizetype seek = f.mp1.calls.indexOf(QStringLiteral("seek 3000"));
    ASSERT_GE(seek, 0);
    EXPECT_GT(f.mp1.calls.indexOf(QStringLiteral("play")), seek);
}
