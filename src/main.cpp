#include "dialogs/Dialogs.h"
#include "startup/Invocation.h"
#include "startup/Program.h"

#include <QApplication>
#include <clocale>
#include <cstdio>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString request = Invocation::requestText(arguments);
    if (!request.isEmpty()) {
        std::fputs(request.toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QString complaint = Invocation::usageError(arguments);
    if (!complaint.isEmpty()) {
        std::fputs(complaint.toLocal8Bit().constData(), stderr);
        return 2;
    }
    const QByteArray platform =
        Invocation::platformChoice(qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"),
                                   qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistrel"));
    QApplication::setApplicationVersion(QStringLiteral(VISTREL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("vistrel"));
    // libmpv reads numbers in the C locale; Qt has just set the user's.
    std::setlocale(LC_NUMERIC, "C");

    // The command line as one text, as the start-up splits it: quotes have no meaning there.
    QStringList words = QCoreApplication::arguments();
    words.removeFirst();
    QtDialogs dialogs;
    Program program(QCoreApplication::applicationDirPath(), words.join(QLatin1Char(' ')), dialogs);
    program.files = Invocation::fileArguments(arguments);
    return program.run();
}
