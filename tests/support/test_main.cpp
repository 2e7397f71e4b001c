// One QApplication for the whole test process; widgets and timers need it.
#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // libmpv needs the C numeric locale; Qt set the user's one while starting.
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
