#include "desktop/ShutdownSignals.h"

#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

TEST(ShutdownSignals, TermAndIntArriveOnTheUiThreadAsOneRequestEach)
{
    ShutdownSignals bridge;
    QSignalSpy spy(&bridge, &ShutdownSignals::requested);
    std::raise(SIGTERM);
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_EQ(spy.count(), 1);
    std::raise(SIGINT);
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_EQ(spy.count(), 2);
}
