#pragma once
// Splits the command line into words the way the player always has: blanks and tabs separate words,
// quotes mean nothing, at most `max` words are kept.
#include <QString>
#include <QStringList>

struct AppState;

// Fills state.argList (index 0 empty, words from index 1) and state.argCount.
void GetCommandLine(AppState &state, const QString &commandLine, int max = 10);

// The command-line text of this process: the arguments after the program name, joined by blanks.
QString commandLineText(const QStringList &arguments);

// True when the first word, upper-cased, is AUTORUN.
bool isAutorunWord(const AppState &state);
