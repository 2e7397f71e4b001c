// The Browse dialog over a folder that holds a mount that never answers, as a hung network share does:
// listing that folder, moving on from it and ending the run never wait for the mount. Runs in a mount
// namespace of its own (ctest starts it through in_private_mounts.sh).
#include "support/PanelFixture.h"
#include "support/StuckMount.h"

#include "browse/Browsefrm.h"

#include <QDir>
#include <QTest>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Ends the test program with the step's name, rather than letting it hang, when a step waits on the mount.
class Watchdog {
public:
    explicit Watchdog(const char *step) : step_(step) {}
    ~Watchdog()
    {
        {
            const std::lock_guard lock(lock_);
            done_ = true;
        }
        over_.notify_one();
        thread_.join();
    }

private:
    const char *step_;
    std::mutex lock_;
    std::condition_variable over_;
    bool done_ = false;
    std::thread thread_{[this] {
        std::unique_lock lock(lock_);
        if (!over_.wait_for(lock, std::chrono::seconds(10), [this] { return done_; })) {
            std::fprintf(stderr, "waited on the stuck mount: %s\n", step_);
            std::_Exit(1);
        }
    }};
};

TEST(BrowseWithAStuckMount, ListingItMovingOnAndEndingTheRunNeverWait)
{
    if (!StuckMount::privateNamespace())
        GTEST_SKIP() << "needs a mount namespace of its own (ctest runs it under unshare --mount)";
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("net")));
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("films")));
    // Made first, so that it goes last: its end releases whatever still waits on it.
    StuckMount stuck(home.path() + QStringLiteral("/net"));
    ASSERT_TRUE(stuck.mounted());

    auto rig = std::make_unique<PanelFixture>();
    rig->panel.Form_Load();
    rig->drives.volumeList = {{QStringLiteral("Home"), home.path(), true}};
    rig->prefs.set(&Prefs::lastDir, home.path());
    {
        const Watchdog watch("showing the folder");
        rig->panel.showBrowse(2, QStringLiteral("Locate Video file"));
        // Long enough for the folder and file lists to reach the mount and wait there.
        QTest::qWait(300);
    }
    {
        const Watchdog watch("moving to another folder");
        ASSERT_TRUE(rig->panel.browseDialog()->setDirPath(home.path() + QStringLiteral("/films")));
        QTest::qWait(100);
        rig->panel.browseDialog()->hide();
    }
    {
        const Watchdog watch("ending the run");
        rig->panel.Form_Unload(0);
        rig.reset();
    }
}

}  // namespace
