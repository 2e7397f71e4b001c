#include "subtitles/subtitles.h"

#include "prefs/Preferences.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct OverlayRig {
    Preferences prefs;
    FakeDesktop desktop;
    FakeDialogs dialogs;
    subtitles window{prefs, desktop, dialogs};
    OverlayRig()
    {
        prefs.set(&Prefs::transparent, true);
        prefs.placeOverlay(1500, 3000);  // 100 px, 200 px
    }
    // The first entry of the run is due and shows.
    void firstCue() { window.showCue(QString()); }
    QColor background() const { return window.palette().color(QPalette::Window); }
};

}  // namespace

TEST(SubtitlesWindow, LabelsFillTheWindowAndShowLineBreaks)
{
    OverlayRig r;
    EXPECT_TRUE(r.window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(r.window.size(), QSize(600, 100));
    r.window.show();
    r.window.resize(640, 120);
    EXPECT_EQ(r.window.Label1->geometry(), QRect(0, 0, 640, 120));
    EXPECT_EQ(r.window.Label2->geometry(), QRect(0, 0, 640, 120));
    r.window.setCaption("Hello\rWorld");
    EXPECT_EQ(r.window.Label1->text(), "Hello\nWorld");
    r.window.setCaption("<i>kept</i>");
    EXPECT_EQ(r.window.Label1->textFormat(), Qt::PlainText);
    EXPECT_TRUE(r.window.Label2->text().isEmpty());
    EXPECT_TRUE(r.window.Label1->font().bold());
    EXPECT_EQ(r.window.Label1->font().pointSize(), 18);
    // The design's face by its name, drawn in a serif the install script installs where it is missing.
    EXPECT_EQ(r.window.Label1->font().family(), "MS Serif");
    const QString drawnIn = QFontInfo(r.window.Label1->font()).family();
    EXPECT_TRUE(drawnIn == "MS Serif" || drawnIn == "Liberation Serif") << drawnIn.toStdString();
    EXPECT_EQ(r.window.Label1->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(r.background(), QColor(Qt::black));
}

TEST(SubtitlesWindow, MouseAndKeysReachThePanel)
{
    OverlayRig r;
    r.window.show();
    QSignalSpy restore(&r.window, &subtitles::restorePanel);
    QSignalSpy forward(&r.window, &subtitles::bringPanelForward);
    QTest::mouseClick(r.window.Label1, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(r.desktop.calls, QStringList{"move"});
    QTest::mouseClick(r.window.Label1, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(restore.count(), 2);
    EXPECT_EQ(r.desktop.calls.size(), 1);  // only the left button drags
    QTest::keyClick(&r.window, Qt::Key_P);
    EXPECT_EQ(forward.count(), 1);
    r.window.hideOverlay();
    EXPECT_FALSE(r.window.isVisible());
}

TEST(SubtitlesWindow, TransparencySetUpRunsOnceWithTheCentrePixel)
{
    OverlayRig r;
    r.prefs.set(&Prefs::autoplay, true);
    QSignalSpy minimise(&r.window, &subtitles::minimisePanel);
    r.window.showOverlay();  // no entry due yet: nothing
    EXPECT_EQ(r.window.overlayState(), 1);
    EXPECT_FALSE(r.window.windowFlags() & Qt::WindowStaysOnTopHint);
    r.window.move(5, 5);  // a drag before the first entry
    EXPECT_EQ(r.prefs.values().overlayLeft, 75);  // kept for the next run, the remembered place staying
    r.firstCue();
    EXPECT_EQ(r.window.overlayState(), 3);
    EXPECT_TRUE(r.window.isVisible());
    EXPECT_TRUE(r.window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(r.window.pos(), QPoint(100, 200));
    EXPECT_EQ(r.background(), QColor(10, 20, 30));
    EXPECT_EQ(minimise.count(), 1);
    EXPECT_TRUE(r.dialogs.shown.empty());
    r.desktop.pixel = qRgb(1, 2, 3);
    r.window.showOverlay();
    EXPECT_EQ(r.background(), QColor(10, 20, 30));  // never again
    r.window.setCaption("over the colour");
    EXPECT_EQ(r.background(), QColor(10, 20, 30));
}

TEST(SubtitlesWindow, NoSetUpWithoutTransparentSubtitles)
{
    OverlayRig r;
    r.prefs.set(&Prefs::transparent, false);
    r.firstCue();
    EXPECT_EQ(r.window.overlayState(), 2);
    EXPECT_FALSE(r.window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(r.background(), QColor(Qt::black));
}

TEST(SubtitlesWindow, UnreadableScreenGivesBlackAndTheMessage)
{
    OverlayRig r;
    r.desktop.pixel = std::nullopt;
    r.window.setPalette(QPalette(Qt::white, Qt::red));
    r.firstCue();
    ASSERT_EQ(r.dialogs.shown.size(), 1u);
    EXPECT_EQ(r.dialogs.shown[0].text, "ERROR 0 : Transparent subtitles could not be initialized");
    EXPECT_EQ(r.dialogs.shown[0].icon, Dialogs::Icon::Critical);
    EXPECT_TRUE(r.dialogs.shown[0].title.isEmpty());
    EXPECT_EQ(r.background(), QColor(Qt::black));
    EXPECT_EQ(r.window.overlayState(), 3);
}

namespace {

void sendMouse(QWidget *w, QEvent::Type type, QPoint local, QPoint global, Qt::MouseButtons held)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(local), QPointF(local), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Counts the times a window is raised or lowered.
struct StackingChanges : QObject {
    int count = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        count += e->type() == QEvent::ZOrderChange;
        return false;
    }
};

}  // namespace

TEST(SubtitlesWindow, WhereTheSystemWillNotMoveItTheOverlayFollowsTheMouseAndADragIsNoClick)
{
    OverlayRig r;
    r.desktop.systemMoves = false;
    r.window.show();
    r.window.move(200, 300);
    QSignalSpy restore(&r.window, &subtitles::restorePanel);
    const QPoint start = r.window.pos();
    sendMouse(r.window.Label1, QEvent::MouseButtonPress, {20, 20}, start + QPoint(20, 20), Qt::LeftButton);
    sendMouse(r.window.Label1, QEvent::MouseMove, {45, 10}, start + QPoint(45, 10), Qt::LeftButton);
    EXPECT_EQ(r.window.pos(), start + QPoint(25, -10));
    sendMouse(r.window.Label1, QEvent::MouseButtonRelease, {20, 20}, r.window.pos() + QPoint(20, 20), Qt::NoButton);
    EXPECT_EQ(restore.count(), 0);
    // A press and release in one place is still a click.
    const QPoint here = r.window.pos();
    sendMouse(r.window.Label1, QEvent::MouseButtonPress, {20, 20}, here + QPoint(20, 20), Qt::LeftButton);
    sendMouse(r.window.Label1, QEvent::MouseButtonRelease, {20, 20}, here + QPoint(20, 20), Qt::NoButton);
    EXPECT_EQ(restore.count(), 1);
    EXPECT_EQ(r.window.pos(), here);
    EXPECT_EQ(r.desktop.calls, QStringList({"move", "move"}));
}

TEST(SubtitlesWindow, ACueChangesTheTextNotTheStackingUnlessTransparentMakesItTopmost)
{
    for (const bool transparent : {false, true}) {
        OverlayRig r;
        r.prefs.set(&Prefs::transparent, transparent);
        // The first cue shows the window (and, with "Transparent Subtiles", makes it topmost).
        r.firstCue();
        StackingChanges raised;
        r.window.installEventFilter(&raised);
        for (int cue = 0; cue < 4; ++cue) {
            r.window.setCaption(QStringLiteral("line %1").arg(cue));
            r.window.showOverlay();
        }
        EXPECT_EQ(raised.count, 0) << transparent;
        EXPECT_EQ(bool(r.window.windowFlags() & Qt::WindowStaysOnTopHint), transparent);
        EXPECT_TRUE(r.window.isVisible());
    }
}
