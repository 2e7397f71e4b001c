// The demo disc the build generates beside the binary, started as "vistrel AUTORUN" starts it: the
// movie plays at once and the default subtitle track shows in the overlay.
#include "support/FakeDialogs.h"
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"

#include "engine/MediaEngine.h"
#include "prefs/Settings.h"
#include "startup/Program.h"
#include "subtitles/subtitles.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>
#include <algorithm>

TEST(DiscEndToEnd, AutorunPlaysTheDemoDiscWithItsDefaultSubtitles)
{
    PanelFixture::privateRuntimeFolder();
    FakeDialogs dialogs;
    Program program(QStringLiteral(VISTREL_BIN_DIR), QStringLiteral("AUTORUN"), dialogs);
    Panelfrm &panel = program.panel;
    panel.Form_Load();
    ASSERT_TRUE(opensEnded(program.session));
    ASSERT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" / ").toStdString();
    EXPECT_TRUE(program.MediaPlayer1.fileName().endsWith(QStringLiteral("/demo/movie.mp4")));
    EXPECT_EQ(program.MediaPlayer1.playState(), 2);
    EXPECT_EQ(ctl(panel, "namelbl")->text(), QStringLiteral("VIDEO: VISTREL DEMO"));
    EXPECT_EQ(ctl(panel, "Sublbl")->text(), QStringLiteral("SUB: ENGLISH"));

    QLabel *text = panel.overlay()->Label1;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return panel.overlay()->isVisible() && text->text() == QLatin1String("Welcome to the Vistrel demo disc"); },
        15000))
        << "at frame " << program.MediaPlayer1.currentPosition() << ": " << text->text().toStdString();

    // The second track (after "None") is UTF-8 with accents.
    panel.preferencesWindow()->SubCombo->setCurrentIndex(2);
    emit panel.preferencesWindow()->SubCombo->activated(2);
    EXPECT_EQ(ctl(panel, "Sublbl")->text(), QStringLiteral("SUB: FRAN\u00c7AIS"));
    const auto &texts = program.session.subClock().table().subText;
    EXPECT_NE(std::find(texts.begin(), texts.end(), QStringLiteral("Bienvenue sur le disque de d\u00e9monstration")),
              texts.end());
    panel.Form_Unload(0);
}
