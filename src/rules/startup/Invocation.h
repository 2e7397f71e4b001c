#pragma once
// What the process was asked for before any window exists: a short text to print (--help, --version),
// the file a file manager hands over, and the windowing platform to run on.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Invocation {

// The text to print and end with when the first argument is --help, -h or --version; empty
// otherwise. `arguments` include the program name.
QString requestText(const QStringList &arguments);

// The complaint to print on the error output, ending with status 2, when an argument looks like an
// option the program does not know and names no file; empty otherwise.
QString usageError(const QStringList &arguments);

// The files the arguments name, as absolute paths in their order: each argument arrives whole even
// with blanks in it. Whether they exist is for the panel to find out and tell. None after the word
// AUTORUN as the first argument.
QStringList fileArguments(const QStringList &arguments);

// The platform to ask Qt for, or empty for Qt's own choice. A Wayland session runs the program
// through XWayland when there is an X display, because the windows place themselves on the screen;
// a platform the user set in QT_QPA_PLATFORM always stands.
QByteArray platformChoice(const QByteArray &qpaPlatform, const QByteArray &sessionType,
                          const QByteArray &waylandDisplay, const QByteArray &x11Display);

}  // namespace Invocation
