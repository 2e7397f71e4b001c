#include "platform/Dialogs.h"
#include "startup/Program.h"

#include <QApplication>
#include <clocale>

int main(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistrel"));
    QApplication::setApplicationVersion(QStringLiteral(VISTREL_VERSION));
    // libmpv reads numbers in the C locale; Qt has just set the user's.
    std::setlocale(LC_NUMERIC, "C");

    // The command line as one text, as the start-up splits it: quotes have no meaning there.
    QStringList words = QCoreApplication::arguments();
    words.removeFirst();
    QtDialogs dialogs;
    Program program(QCoreApplication::applicationDirPath(), words.join(QLatin1Char(' ')), dialogs);
    return program.run();
}
