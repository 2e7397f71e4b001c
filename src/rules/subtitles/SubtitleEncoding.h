#pragma once
// The code page of a subtitle file that is not UTF-8. Most such files are in a legacy 8-bit code page
// of their language, some in an East Asian multibyte one; uchardet names it from a sample of the
// file's lines, and Qt's codecs (iconv where Qt has none) decode it.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The lines of a text that hold a byte above 0x7F, one after another, until `room` bytes are
// gathered or the text ends. Returns false once the sample is full.
bool sampleLine(QByteArrayView line, QByteArray &sample, qsizetype room);

struct CodePage {
    QByteArray name;
    // The 256 characters of a single-byte code page in which ASCII stands for itself, so that lines can
    // be cut and parsed on the bytes; empty for any other code page, whose text is turned into UTF-8
    // whole.
    QString table;
};

// The code page to decode with: the detected one, or its Windows superset as web browsers take it;
// Windows-1252 when the sample is too thin to tell or the code page cannot be decoded here.
CodePage chooseCodePage(QByteArrayView sample);

// The whole text in UTF-8, for a code page without a table.
QByteArray toUtf8(QByteArrayView raw, const QByteArray &codePage);
