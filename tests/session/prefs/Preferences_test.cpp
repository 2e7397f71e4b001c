// The preferences' owner: a change is told once, with what stood before; places change as one.
#include "prefs/Preferences.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(Preferences, AChangeIsToldOnceWithWhatStoodBefore)
{
    Preferences prefs;
    QList<Prefs> told;
    QObject::connect(&prefs, &Preferences::changed, [&](const Prefs &was) { told << was; });
    prefs.set(&Prefs::autoplay, true);
    prefs.set(&Prefs::autoplay, true);
    prefs.setKey(KeyMap::Mute, QStringLiteral("u"));
    prefs.setKey(KeyMap::Mute, QStringLiteral("u"));
    prefs.setKey(99, QStringLiteral("x"));
    ASSERT_EQ(told.size(), 2);
    EXPECT_FALSE(told[0].autoplay);
    EXPECT_EQ(told[1].keys[KeyMap::Mute], "U");
    EXPECT_EQ(prefs.values().keys[KeyMap::Mute], "u");
}

TEST(Preferences, ADragMovesTheOverlayAndLeavesItsRememberedPlace)
{
    Preferences prefs;
    QSignalSpy changed(&prefs, &Preferences::changed);
    prefs.placeOverlay(1500, 3000);
    prefs.overlayMoved(75, 75);
    EXPECT_EQ(changed.size(), 2);
    EXPECT_EQ(prefs.values().overlayLeft, 75);
    EXPECT_EQ(prefs.values().overlayHomeLeft, 1500);
    EXPECT_EQ(prefs.values().overlayHomeTop, 3000);
    prefs.placePanel(-300, 40);
    EXPECT_EQ(prefs.values().panelLeft, -300);
    EXPECT_EQ(changed.size(), 3);
}
