#pragma once
// The program folder and the folder for the files the program keeps (settings, log).
// Every folder returned here ends in '/', so file names are simply appended.
#include <QString>

namespace ProgramFolder {

// `folder` with a trailing separator added when it lacks one.
QString withSeparator(const QString &folder);

// The folder holding the running binary, with a trailing separator: the value of appPath.
QString appPath();

// The per-user data folder (created when missing), with a trailing separator; empty when it cannot
// be created.
QString userFolder();

// The per-user config folder (created when missing), with a trailing separator; empty when it
// cannot be created.
QString configFolder();

// True when appPath is the program folder of an installed copy (a bin folder beside share/, with the
// program's desktop entry): that folder is shared by other programs and not the place for its files.
bool installed(const QString &appPath);

// Where a file the program keeps should be written: appPath itself when a file can be created there
// and the program is not installed, otherwise the per-user data folder.
QString writableFolder(const QString &appPath);

}  // namespace ProgramFolder
