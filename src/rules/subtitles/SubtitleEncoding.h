#pragma once
// The code page of a subtitle file that is not UTF-8. Most such files are in a legacy 8-bit code page
// of their language, some in an East Asian multibyte one; uchardet names it from a sample of the
// file's lines, and Qt's codecs (iconv where Qt has none) decode it.
#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <optional>

// The lines of a text that hold a byte above 0x7F and are not UTF-8, one after another, until `room`
// bytes are gathered or the text ends. Returns false once the sample is full.
bool sampleLine(QByteArrayView line, QByteArray &sample, qsizetype room);

struct CodePage {
    QByteArray name;
    // The 256 characters of a single-byte code page in which ASCII stands for itself, so that lines can
    // be cut and parsed on the bytes; empty for any other code page, whose text is turned into UTF-8
    // whole.
    QString table;
};

// The code page to decode with: the detected one, or its Windows superset as web browsers take it.
// Where the sample is too thin to tell, the detector names nothing, or it names a Western code page
// (its guess for little text), the legacy code page of the user's language, or its ISO twin where
// that reads more of the sample as letters. Windows-1252 where the code page cannot be decoded here.
CodePage chooseCodePage(QByteArrayView sample, const QLocale &locale = QLocale());

// The whole text in UTF-8, for a code page without a table; lines that are UTF-8 stay as they are.
QByteArray toUtf8(QByteArrayView raw, const QByteArray &codePage);
