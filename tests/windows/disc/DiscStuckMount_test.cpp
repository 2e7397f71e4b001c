// A Quick ini file on a mount that never answers, as on a hung network share, dropped on the CD button:
// the drop, the next disc and the run's end never wait for it. Runs in a mount namespace of its own
// (ctest starts it through in_private_mounts.sh).
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"
#include "support/StuckMount.h"
#include "support/Watchdog.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

TEST(DiscWithAStuckMount, TheDropTheNextDiscAndTheRunsEndNeverWait)
{
    if (!StuckMount::privateNamespace())
        GTEST_SKIP() << "needs a mount namespace of its own (ctest runs it under unshare --mount)";
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("net")));
    // Made first, so that it goes last: its end releases whatever still waits on it.
    StuckMount stuck(home.filePath(QStringLiteral("net")));
    ASSERT_TRUE(stuck.mounted());

    auto rig = std::make_unique<PanelFixture>();
    rig->panel.Form_Load();
    const auto drop = [&](const QString &ini) { emit ctl(rig->panel, "CDplay")->Dropped({ini}); };
    {
        const Watchdog watch("dropping the stuck disc");
        drop(home.filePath(QStringLiteral("net/film.ini")));
        EXPECT_TRUE(rig->session.opening()) << "the busy pointer shows while it is read";
    }
    {
        const Watchdog watch("dropping another disc");
        QFile other(home.filePath(QStringLiteral("other.ini")));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("[MOVIE]\r\nAVIName=other.avi\r\n[MAIN]\r\nTitle=Other\r\n");
        other.close();
        drop(other.fileName());
        ASSERT_TRUE(discReadEnds(rig->session));
        EXPECT_EQ(rig->mp1.fileName(), home.filePath(QStringLiteral("other.avi")));
        EXPECT_EQ(ctl(rig->panel, "namelbl")->text(), "VIDEO: OTHER");
        EXPECT_FALSE(rig->session.opening());
    }
    {
        const Watchdog watch("dropping it again and ending the run");
        drop(home.filePath(QStringLiteral("net/film.ini")));
        rig->panel.Form_Unload(0);
        rig.reset();
    }
}
