// Boxes for what the session tells come after the event that told them, one after another in order,
// also when one is told while another is on screen.
#include "playback/MessageQueue.h"
#include "support/FakeDialogs.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

TEST(MessageQueue, BoxesComeAfterTheEventInTheOrderTold)
{
    FakeDialogs dialogs;
    MessageQueue queue(dialogs);
    queue.post(QStringLiteral("first"), Dialogs::Icon::None, QString());
    queue.post(QStringLiteral("second"), Dialogs::Icon::Critical, QStringLiteral("ERROR"));
    EXPECT_TRUE(dialogs.shown.empty()) << "not inside the event that told them";
    // One told while the first is on screen waits behind the ones told before it.
    dialogs.whileShown = [&] { queue.post(QStringLiteral("third"), Dialogs::Icon::None, QString()); };
    EXPECT_EQ(dialogs.texts(), (QStringList{"first", "second", "third"}));
    EXPECT_EQ(dialogs.shown[1].title, "ERROR");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    EXPECT_EQ(dialogs.shown.size(), 3u);
}
