#include "subtitles/SubtitleDelay.h"

#include "subtitles/SubtitleTable.h"

double leadingNumber(const QString &text)
{
    QString digits;
    bool point = false;
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            continue;
        if (digits.isEmpty() && (c == QLatin1Char('-') || c == QLatin1Char('+'))) {
            digits += c;
            continue;
        }
        if (c == QLatin1Char('.') && !point) {
            point = true;
            digits += c;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        digits += c;
    }
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok ? v : 0;
}

void shiftTable(SubtitleTable &table, double frames)
{
    for (int i = 0; i < table.subCount; ++i) {
        table.subStart[static_cast<size_t>(i)] += frames;
        table.subEnd[static_cast<size_t>(i)] += frames;
    }
}
