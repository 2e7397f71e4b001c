// One QApplication for the whole test process; widgets and timers need it. Each test starts from the
// same state whatever ran before it, so the tests pass in any order and side by side.
#include "support/UserFolders.h"

#include <QApplication>
#include <QLocale>
#include <QMouseEvent>
#include <QProcessEnvironment>
#include <QTest>
#include <QWidget>
#include <clocale>
#include <gtest/gtest.h>
#include <optional>

namespace {

// What a test may change for the whole process is put back before the next test: the environment,
// the working folder, the default locale and the mouse buttons the test library counts as held (a
// press without its release would still be held in the next test's clicks). The per-user folders are
// new for every test.
class EachTestApart : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo &) override
    {
        environment_ = QProcessEnvironment::systemEnvironment();
        folder_ = QDir::currentPath();
        locale_ = QLocale();
        user_.emplace();
    }

    void OnTestEnd(const ::testing::TestInfo &) override
    {
        user_.reset();
        releaseHeldButtons();
        const QProcessEnvironment now = QProcessEnvironment::systemEnvironment();
        for (const QString &name : now.keys()) {
            if (!environment_.contains(name))
                qunsetenv(name.toLocal8Bit().constData());
        }
        for (const QString &name : environment_.keys()) {
            if (!now.contains(name) || now.value(name) != environment_.value(name))
                qputenv(name.toLocal8Bit().constData(), environment_.value(name).toLocal8Bit());
        }
        QDir::setCurrent(folder_);
        QLocale::setDefault(locale_);
    }

    static void releaseHeldButtons()
    {
        struct Sink : QWidget {
            void mouseReleaseEvent(QMouseEvent *e) override { e->accept(); }
        } sink;
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (QTestPrivate::qtestMouseButtons & button)
                QTest::mouseRelease(&sink, button);
        }
    }

    QProcessEnvironment environment_;
    QString folder_;
    QLocale locale_;
    std::optional<UserFolders> user_;
};

}  // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Test processes that run side by side never meet as two instances of the player.
    UserFolders::runtimeFolder();
    QApplication app(argc, argv);
    // libmpv needs the C numeric locale; Qt set the user's one while starting.
    std::setlocale(LC_NUMERIC, "C");
    ::testing::UnitTest::GetInstance()->listeners().Append(new EachTestApart);
    return RUN_ALL_TESTS();
}
