// The panel's place on a desktop of two screens, with Qt's own screens: its ctest entry runs these on
// the offscreen platform configured with a 1024 x 768 primary screen and a 1280 x 1024 one to its
// right (two_screens.json).
#include "support/FakeDialogs.h"
#include "support/FakeDrives.h"
#include "support/FakeEngine.h"
#include "support/PanelFixture.h"
#include "support/TestFiles.h"

#include "desktop/Desktop.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

#define REQUIRE_TWO_SCREENS()                                                     \
    if (QGuiApplication::screens().size() != 2)                                   \
    GTEST_SKIP() << "needs the two screens of its ctest entry"

// The panel as the program builds it, on the real desktop.
struct RealDesktopPanel {
    bool runtimeSet = PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    AppState app;
    FakeEngine mp1, mp2;
    QtDesktop desktop;
    FakeDialogs dialogs;
    FakeDrives drives;
    RunLog log{app};
    Preferences prefs;
    PlayerSession session{app, mp1, mp2, log, prefs};
    Settings settings{SettingsContext{prefs, session, desktop, dialogs}, 15, 15};
    Panelfrm panel{PanelContext{app, session, prefs, desktop, dialogs, log, drives}};

    RealDesktopPanel()
    {
        app.programFolder = folder.path();
        app.appPath = folder.path() + QLatin1Char('/');
        panel.attachSettings(&settings);
    }
    QString path(const char *name) const { return app.appPath + QString::fromLatin1(name); }
};

QByteArray placeEntries(int topTwips, int leftTwips)
{
    return QStringLiteral("Vistrel top,%1\r\nVistrel left,%2\r\n").arg(topTwips).arg(leftTwips).toLatin1();
}

}  // namespace

TEST(TwoScreens, ThePanelComesBackOnTheScreenItWasLeftOn)
{
    REQUIRE_TWO_SCREENS();
    const struct {
        const char *what;
        QPoint stored;  // pixels; the file holds twips, 15 to the pixel
        QPoint restored;
        const char *screen;
    } cases[] = {
        {"on the primary screen", {100, 200}, {100, 200}, "primary"},
        {"on the second screen", {1500, 600}, {1500, 600}, "second"},
        {"on the second screen, below the primary's bottom", {1100, 850}, {1100, 850}, "second"},
        {"partly past the second screen's bottom", {1500, 1000}, {1500, -1}, "second"},
        {"on no screen", {-4000, 300}, {0, 300}, "primary"},
    };
    for (const auto &c : cases) {
        RealDesktopPanel f;
        writeFile(f.path("kelmora.cfg"), placeEntries(c.stored.y() * 15, c.stored.x() * 15));
        f.panel.Form_Load();
        const QSize size = f.panel.frameGeometry().size();
        QPoint expected = c.restored;
        if (expected.y() < 0)
            expected.setY(1024 - size.height());
        EXPECT_EQ(f.panel.frameGeometry().topLeft(), expected) << c.what;
        EXPECT_EQ(f.panel.screen()->name(), QString::fromLatin1(c.screen)) << c.what;
        f.panel.Form_Unload(0);
        // And it is kept there for the next run.
        EXPECT_TRUE(readAll(f.path("kelmora.cfg")).startsWith(placeEntries(expected.y() * 15, expected.x() * 15)))
            << c.what;
    }
}
