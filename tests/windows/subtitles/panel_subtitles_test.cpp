// The panel's subtitle handlers against the engine double: loading through the "Sub" button, the
// display timer writing into the overlay window, and the re-find after each kind of seek.
#include "support/PanelFixture.h"

#include "browse/Browsefrm.h"

#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Two entries at 25 fps: "Hello" frames 50..75, "Two\rlines" frames 100..150.
const QByteArray kSrt = "1\r\n00:00:02,000 --> 00:00:03,000\r\nHello\r\n\r\n"
                        "2\r\n00:00:04,000 --> 00:00:06,000\r\nTwo\r\nlines\r\n\r\n";

struct SubsRig : PanelFixture {
    SubsRig()
    {
        panel.Form_Load();
        // The double's clip: 90 s, 2250 frames, so 25 fps.
        panel.openfile_Drop({path("clip.avi")});
    }
    ~SubsRig() { panel.Form_Unload(0); }

    QString file(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    void dropSub(const QStringList &paths) { emit ctl(panel, "subopen")->Dropped(paths); }
    QByteArray logText() const
    {
        QFile f(app.appPath + "kelmora.log");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    const SubtitleTable &table() { return session.subClock().table(); }
    subtitles &overlay() { return *panel.overlay(); }
    QString shown() { return overlay().isVisible() ? overlay().Label1->text() : QStringLiteral("<hidden>"); }
    QString tickAt(double frame)
    {
        mp1.setPositionQuietly(frame);
        session.subTimer_Timer();
        return shown();
    }
};

}  // namespace

TEST(PanelSubtitles, DropOfOneFileLoadsItWithTheCaptionAndTheLog)
{
    SubsRig r;
    const QString srt = r.file("Movie.En.srt", kSrt);
    r.dropSub({srt});
    EXPECT_EQ(r.session.subFilePath(), srt);
    EXPECT_EQ(ctl(r.panel, "Sublbl")->text(), "SUB: MOVIE.EN.SRT");
    ASSERT_EQ(r.table().subCount, 4);
    EXPECT_EQ(r.table().subStart[0], 30);
    EXPECT_EQ(r.table().subStart[1], 50);
    EXPECT_EQ(r.table().subEnd[2], 150);
    EXPECT_EQ(r.table().subText[2], "Two\rlines");
    EXPECT_TRUE(r.logText().contains("\r\nOpening Subs " + srt.toUtf8() +
                                     "\r\nformat is 1\r\nSubs opened succesfully?\r\n"));
    EXPECT_TRUE(r.dialogs.due().empty());

    // Two files at once: nothing at all.
    const QString other = r.file("other.sub", "{1}{2}x\r\n");
    r.dropSub({other, srt});
    EXPECT_EQ(r.session.subFilePath(), srt);
    EXPECT_EQ(r.table().subCount, 4);
}

TEST(PanelSubtitles, TheOverlayFrameTextMovesTheLeadIn)
{
    SubsRig r;
    r.settings.OverlayFrame->setText("45");
    r.dropSub({r.file("a.sub", "{100}{200}x\r\n")});
    EXPECT_EQ(r.table().subStart[0], 45);
    EXPECT_EQ(r.table().subEnd[0], 55);
}

TEST(PanelSubtitles, WithoutAVideoTheDropOnlyKeepsThePathForTheNext)
{
    PanelFixture f;
    f.panel.Form_Load();
    QFile file(f.path("later.srt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kSrt);
    file.close();
    emit ctl(f.panel, "subopen")->Dropped({file.fileName()});
    EXPECT_EQ(f.session.subFilePath(), file.fileName());
    EXPECT_EQ(f.session.subClock().table().subCount, 0);
    EXPECT_EQ(ctl(f.panel, "Sublbl")->text(), "SUB:");

    // The next video reads it at that video's rate: 30 fps here.
    f.mp1.frames = 2700;
    f.panel.openfile_Drop({f.path("clip.avi")});
    ASSERT_EQ(f.session.subClock().table().subCount, 4);
    EXPECT_EQ(f.session.subClock().table().subStart[1], 60);
    EXPECT_EQ(ctl(f.panel, "Sublbl")->text(), "SUB: LATER.SRT");
    f.panel.Form_Unload(0);
}

TEST(PanelSubtitles, AFileThatCannotBeUsedKeepsThePreviousTable)
{
    SubsRig r;
    const QString good = r.file("good.srt", kSrt);
    r.dropSub({good});
    const QString emptyFile = r.file("empty.srt", "");
    r.dropSub({emptyFile});
    ASSERT_EQ(r.dialogs.due().size(), 1u);
    EXPECT_TRUE(r.dialogs.due()[0].text.contains("empty.srt"));
    EXPECT_EQ(r.dialogs.due()[0].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(r.table().subCount, 4);
    EXPECT_EQ(r.table().subText[1], "Hello");
    EXPECT_EQ(ctl(r.panel, "Sublbl")->text(), "SUB: GOOD.SRT");

    r.panel.getsubtitles(r.path("missing.srt"));
    ASSERT_EQ(r.dialogs.due().size(), 2u);
    EXPECT_TRUE(r.dialogs.due()[1].text.contains("missing.srt"));
    EXPECT_EQ(r.table().subCount, 4);

    // An empty path does nothing, without a message.
    r.panel.getsubtitles(QString());
    EXPECT_EQ(r.dialogs.due().size(), 2u);
}

TEST(PanelSubtitles, UnknownFormatIsReportedAndLeavesLeadInAndSentinel)
{
    SubsRig r;
    r.dropSub({r.file("notes.txt", "Hello there\r\n")});
    ASSERT_EQ(r.dialogs.due().size(), 1u);
    EXPECT_EQ(r.dialogs.due()[0].text, "UNKNOWN SUBTITLE FORMAT");
    EXPECT_EQ(r.dialogs.due()[0].title, "ERROR");
    EXPECT_EQ(r.dialogs.due()[0].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(r.table().subCount, 2);
    EXPECT_EQ(r.table().subStart[1], 10000000);
    EXPECT_EQ(ctl(r.panel, "Sublbl")->text(), "SUB: NOTES.TXT");
    EXPECT_TRUE(r.logText().contains("format is \r\nSubs opened succesfully?\r\n"));
}

TEST(PanelSubtitles, TheTickShowsEachTextAtItsFramesInTheOverlay)
{
    SubsRig r;
    r.dropSub({r.file("a.srt", kSrt)});
    EXPECT_EQ(r.shown(), "<hidden>");
    EXPECT_EQ(r.tickAt(20), "<hidden>");
    EXPECT_EQ(r.tickAt(32), "");  // the lead-in brings the window up, empty
    EXPECT_EQ(r.overlay().overlayState(), 2);
    EXPECT_EQ(r.tickAt(44), "");
    EXPECT_EQ(r.tickAt(49), "");
    EXPECT_EQ(r.tickAt(50), "Hello");
    EXPECT_EQ(r.tickAt(75), "Hello");
    EXPECT_EQ(r.tickAt(76), "");
    EXPECT_EQ(r.tickAt(100), "Two\nlines");
    // With "Autoshow Subtitles." the window goes between entries.
    r.settings.Autosub->setChecked(true);
    EXPECT_EQ(r.tickAt(151), "<hidden>");
    // "Hide Subtitles." leaves the window alone.
    r.settings.Hidesub->setChecked(true);
    r.mp1.setPositionQuietly(0);
    r.panel.vgos_Click();
    EXPECT_EQ(r.tickAt(60), "<hidden>");
}

TEST(PanelSubtitles, TheSubTimerDrivesTheTick)
{
    SubsRig r;
    r.dropSub({r.file("a.srt", kSrt)});
    r.mp1.setPositionQuietly(60);
    r.session.startDisplayLoop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return r.shown() == "Hello"; }, 2000));
}

TEST(PanelSubtitles, EverySeekFindsTheEntryAgain)
{
    SubsRig r;
    r.dropSub({r.file("a.srt", kSrt)});
    r.tickAt(35);
    r.tickAt(45);
    EXPECT_EQ(r.tickAt(60), "Hello");
    EXPECT_EQ(r.session.subClock().subIndex(), 1);

    // Back to the start: the lead-in is due again.
    r.panel.vgos_Click();
    EXPECT_EQ(r.session.subClock().subIndex(), 0);
    EXPECT_EQ(r.shown(), "");

    // Onto the track, inside "Two lines": it shows at once.
    r.panel.VideoPos_MouseDown(1, 0, 120 / r.panel.trackScale(), 0);
    EXPECT_EQ(r.mp1.currentPosition(), 120);
    EXPECT_EQ(r.session.subClock().subIndex(), 2);
    EXPECT_EQ(r.shown(), "Two\nlines");

    // Dragging back between the lead-in and "Hello".
    r.panel.VideoPos_MouseMove(1, 0, 45 / r.panel.trackScale(), 0);
    EXPECT_EQ(r.session.subClock().subIndex(), 1);

    // A backward step of the rate timer: from frame 110 (second 4) two seconds back lands on 50,
    // the first frame of "Hello", which shows at once.
    r.haltAtRate(8);
    r.mp1.setPositionQuietly(110);
    r.session.TimerMovieBack_Timer();
    EXPECT_EQ(r.mp1.currentPosition(), 50);
    EXPECT_EQ(r.session.subClock().subIndex(), 1);
    EXPECT_EQ(r.shown(), "Hello");

    r.panel.vgoe_Click();
    EXPECT_EQ(r.session.subClock().subIndex(), 3);
}

TEST(PanelSubtitles, TheDropPausesTheTimerOnlyWhileItLoads)
{
    SubsRig r;
    r.panel.vplay_Click();
    ASSERT_EQ(r.mp1.playState(), 2);
    ASSERT_TRUE(r.session.displayLoopRunning());
    r.dropSub({r.file("a.srt", kSrt)});
    EXPECT_TRUE(r.session.displayLoopRunning());
    r.panel.vplay_Click();
    ASSERT_FALSE(r.session.displayLoopRunning());
    r.dropSub({r.file("b.srt", kSrt)});
    EXPECT_FALSE(r.session.displayLoopRunning());
}

TEST(PanelSubtitles, LoadPlacesTheOverlayAndTiesItToThePanel)
{
    SubsRig r;
    ASSERT_NE(r.panel.overlay(), nullptr);
    // First-run place: centred at the bottom of the 1024 x 768 screen.
    EXPECT_EQ(r.overlay().pos(), QPoint(212, 668));
    EXPECT_EQ(r.settings.subsizeH->value(), 600);
    EXPECT_EQ(r.settings.subsizeV->value(), 100);

    r.panel.minim_Click();
    ASSERT_TRUE(r.panel.windowState() & Qt::WindowMinimized);
    QTest::mouseClick(r.overlay().Label1, Qt::RightButton);
    EXPECT_FALSE(r.panel.windowState() & Qt::WindowMinimized);

    // A key on the overlay brings the panel up and runs no command.
    r.panel.hide();
    r.overlay().show();
    QTest::keyClick(&r.overlay(), Qt::Key_X);
    EXPECT_TRUE(r.panel.isVisible());

    // The transparency set-up with AutoPlay minimises the panel.
    r.settings.Transsub->setChecked(true);
    r.settings.Autoplay->setChecked(true);
    r.dropSub({r.file("a.srt", kSrt)});
    r.tickAt(35);
    EXPECT_EQ(r.overlay().overlayState(), 3);
    EXPECT_TRUE(r.overlay().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(r.panel.windowState() & Qt::WindowMinimized);
}

TEST(PanelSubtitles, OpeningAVideoHidesTheOverlayWithAutoshow)
{
    SubsRig r;
    r.dropSub({r.file("a.srt", kSrt)});
    r.tickAt(35);
    ASSERT_TRUE(r.overlay().isVisible());
    r.settings.Autosub->setChecked(true);
    r.panel.openVideo(r.path("second.avi"));
    EXPECT_FALSE(r.overlay().isVisible());
}

TEST(PanelSubtitles, ClickSetsTheBrowseModeForSubtitles)
{
    SubsRig r;
    emit ctl(r.panel, "subopen")->Click();
    EXPECT_EQ(r.panel.browseDialog()->mode(), 4);
}
