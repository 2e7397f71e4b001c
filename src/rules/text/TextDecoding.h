#pragma once
// How text files of older systems are read: every line that is valid UTF-8 as UTF-8, every other one
// in the legacy code page of the user's language, which is what such a file was written in. Lines
// are taken one by one because hand-edited files mix the two.
#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>

namespace TextDecoding {

// The legacy code page of a language, as its older systems wrote text: Windows-1250 for Central
// European languages, 1251 for Cyrillic, 1253 Greek, 1254 Turkish, 1255 Hebrew, 1256 Arabic, 1257
// Baltic, 1258 Vietnamese, 874 Thai, Shift_JIS, GBK (Simplified Chinese), Big5 (Traditional
// Chinese), EUC-KR; Windows-1252 for any other.
QByteArray legacyCodePage(const QLocale &locale = QLocale());

// Whether every byte sequence is a whole, shortest-form UTF-8 character.
bool isUtf8(QByteArrayView bytes);

// One line: UTF-8 when it is valid UTF-8, else in `codePage` (Windows-1252 where that is unknown).
QString decodeLine(QByteArrayView line, const QByteArray &codePage);

// A whole text, line by line as decodeLine does; a UTF-8 byte-order mark is dropped. Line ends are
// kept as they are.
QString decode(QByteArrayView bytes, const QByteArray &codePage = legacyCodePage());

}  // namespace TextDecoding
