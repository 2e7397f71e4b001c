// A Matroska movie with two sound tracks, two text subtitle tracks, a picture subtitle track and three
// chapters (tests/media/tracks.mkv), with the real engine and the real picture: every track is chosen
// from the Preferences lists and from the pop-up menu and is heard (the engine's audio track) or seen
// (the overlay's text, the picture's pixels); the chapters are listed and seek; the text track's cues
// show from the first second, after a seek, while the rate steps and with the delay.
#include "support/FakeDialogs.h"
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"
#include "support/RealPicture.h"

#include "disc/SelectFrm.h"
#include "engine/MpvVideoView.h"
#include "menu/menufrm.h"
#include "playback/player.h"
#include "prefs/Settings.h"
#include "startup/Program.h"
#include "subtitles/subtitles.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct TracksMovie {
    QTemporaryDir folder;
    FakeDialogs dialogs;
    Program program{folder.path(), QString(), dialogs};
    Panelfrm &panel = program.panel;

    TracksMovie()
    {
        PanelFixture::privateRuntimeFolder();
        panel.Form_Load();
        RealPicture::dropFiles(ctl(panel, "openfile"), {QStringLiteral(VISTREL_MEDIA_DIR "/tracks.mkv")});
    }
    ~TracksMovie() { panel.Form_Unload(0); }

    double frame() const { return program.MediaPlayer1.currentPosition(); }
    QString shown() const
    {
        return panel.overlay()->isVisible() ? panel.overlay()->Label1->text() : QString();
    }
    bool shows(const QString &text, int ms = 10000) const
    {
        return QTest::qWaitFor([&] { return shown() == text; }, ms);
    }
    static QString items(const QComboBox *box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << (i == box->currentIndex() ? "[" + box->itemText(i) + "]" : box->itemText(i));
        return out.join('|');
    }
    static void choose(QComboBox *box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // Right-clicks the picture and takes entry `index` of the sub-menu `name`, as a mouse would.
    void fromMenu(const char *name, int index)
    {
        emit program.MediaPlayer1.MouseDown(2, 0, 100, 100);
        menufrm *menu = panel.videoMenu();
        QMenu *sub = QString::fromLatin1(name) == QLatin1String("subs") ? menu->subsMenu : menu->audioMenu;
        sub->actions().at(index)->trigger();
        menu->Videomnu->hide();
    }
    QString engine(const char *property) const { return program.MediaPlayer1.property(property); }
};

}  // namespace

TEST(MovieTracksEndToEnd, EachTrackIsChosenFromTheListsAndTheMenuAndIsHeardOrSeen)
{
    TracksMovie m;
    ASSERT_TRUE(opensEnded(m.program.session));
    Settings *prefs = m.panel.preferencesWindow();
    EXPECT_EQ(TracksMovie::items(prefs->LangCombo), "[DEFAULT]|fre");
    EXPECT_EQ(TracksMovie::items(prefs->SubCombo), QStringLiteral("None|[eng]|fre Fran\u00e7ais|eng Pictures"));
    EXPECT_EQ(ctl(m.panel, "Sublbl")->text(), "SUB: ENG");
    EXPECT_EQ(m.engine("aid"), "1");

    // The first cue (0.5 s to 2 s) on time.
    m.panel.vplay_Click();
    ASSERT_TRUE(m.shows("One")) << "at frame " << m.frame();
    EXPECT_GE(m.frame(), 12);
    EXPECT_LE(m.frame(), 20);
    m.panel.vplay_Click();

    // A seek into the middle of a cue (3 s to 9 s) shows it at once, the movie standing.
    m.program.session.seek(150);
    ASSERT_TRUE(m.shows("Two long")) << "at frame " << m.frame();

    TracksMovie::choose(prefs->LangCombo, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m.engine("aid") == "2"; }, 5000)) << m.engine("aid").toStdString();
    EXPECT_EQ(ctl(m.panel, "audiolbl")->text(), "AUDIO: FRE");
    EXPECT_EQ(m.engine("current-tracks/audio/lang"), "fre");

    m.fromMenu("subs", 2);
    EXPECT_EQ(ctl(m.panel, "Sublbl")->text(), QStringLiteral("SUB: FRE FRAN\u00c7AIS"));
    EXPECT_EQ(TracksMovie::items(prefs->SubCombo), QStringLiteral("None|eng|[fre Fran\u00e7ais]|eng Pictures"));
    m.program.session.seek(140);
    ASSERT_TRUE(m.shows("Deux")) << "at frame " << m.frame();

    // The picture track: drawn in the picture at its own place, the overlay empty.
    m.panel.videoWindow().show();
    TracksMovie::choose(prefs->SubCombo, 3);
    EXPECT_EQ(ctl(m.panel, "Sublbl")->text(), "SUB: ENG PICTURES");
    EXPECT_EQ(m.shown(), QString());
    m.program.session.seek(20);
    MpvVideoView *video = m.program.MediaPlayer1.videoView();
    const auto boxAt = [&](double x, double y) {
        const QImage p = video->picture();
        if (p.isNull())
            return QStringLiteral("none");
        const QRgb c = p.pixel(int(x / 320 * p.width()), int(y / 240 * p.height()));
        if (qRed(c) > 160 && qGreen(c) < 100 && qBlue(c) > 160)
            return QStringLiteral("magenta");
        return RealPicture::colourName(c);
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return boxAt(90, 190) == "magenta"; }, 15000)) << boxAt(90, 190).toStdString();
    EXPECT_EQ(boxAt(250, 190), "yellow") << "only the box is drawn";
    EXPECT_EQ(m.shown(), QString());
    // None again: the picture is the movie's own.
    m.fromMenu("subs", 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return boxAt(90, 190) == "blue"; }, 15000)) << boxAt(90, 190).toStdString();

    m.fromMenu("audio", 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m.engine("aid") == "1"; }, 5000));
    EXPECT_EQ(ctl(m.panel, "audiolbl")->text(), "AUDIO: DEFAULT");

    // The chapters, titled or numbered, each seeking to its start.
    m.panel.LblScenes_Click();
    QListView *list = m.panel.selection()->ListSelect;
    QStringList chapters;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        chapters << list->model()->index(i, 0).data().toString();
    EXPECT_EQ(chapters, (QStringList{"Opening", "Middle", "Chapter 3"}));
    list->setCurrentIndex(list->model()->index(1, 0));
    m.panel.selection()->Command1->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return RealPicture::frameNumber(video->picture()) == 100; }, 15000))
        << RealPicture::frameNumber(video->picture());
    EXPECT_EQ(m.frame(), 100);
    EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST(MovieTracksEndToEnd, CuesShowWhileTheRateStepsAndWithTheDelay)
{
    TracksMovie m;
    ASSERT_TRUE(opensEnded(m.program.session));
    // 4x steps the standing movie by four seconds each second: from the start into the long cue.
    m.panel.vplay_Click();
    ASSERT_TRUE(m.program.session.setRate(1));
    ASSERT_TRUE(m.shows("Two long", 15000)) << "at frame " << m.frame();
    EXPECT_GE(m.frame(), 75);
    EXPECT_LE(m.frame(), 226);
    m.panel.vplay_Click();
    ASSERT_FALSE(m.program.session.moving());

    // Two seconds earlier: the cue from 10 s to 11 s shows at 8.5 s, which the engine alone would not
    // tell before 10 s.
    m.program.session.shiftSubtitles(-50);
    m.program.session.seek(212);
    EXPECT_TRUE(m.shows("Three")) << "at frame " << m.frame() << ": " << m.shown().toStdString();
}
