#include "startup/CommandLine.h"

#include "startup/AppState.h"

void GetCommandLine(AppState &state, const QString &commandLine, int max)
{
    state.argList = QStringList();
    for (int i = 0; i <= max; ++i)
        state.argList << QString();
    state.argCount = 0;
    bool inWord = false;
    for (const QChar c : commandLine) {
        const bool separator = c == QLatin1Char(' ') || c == QLatin1Char('\t');
        if (!separator && !inWord) {
            if (state.argCount == max)
                break;
            ++state.argCount;
        }
        inWord = !separator;
        if (inWord)
            state.argList[state.argCount] += c;
    }
    state.argList = state.argList.mid(0, state.argCount + 1);
}

QString commandLineText(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

bool isAutorunWord(const AppState &state)
{
    return state.argCount > 0 && state.argList.value(1).toUpper() == QLatin1String("AUTORUN");
}
