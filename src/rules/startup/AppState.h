#pragma once
// What the program was started with and the facts start-up derives from it. One instance lives for
// the whole run and is handed to every window by reference.
#include <QString>
#include <QStringList>

struct AppState {
    // What the process was started with: the binary's folder and the command-line text after the
    // program name. Start-up derives appPath and argList from them.
    QString programFolder;
    QString commandLine;

    // Program folder with a trailing separator; base of the settings file, the run log and, in
    // autorun mode, the disc description.
    QString appPath;
    bool autorunMode = false;
    QStringList argList;  // index 0 stays empty, words from index 1
    int argCount = 0;

    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
};
