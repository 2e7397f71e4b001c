#pragma once
// Reading MicroDVD, SubRip, SubViewer 2.0, ASS/SSA and WebVTT files into the subtitle table. The readers work on the
// file's bytes (UTF-8 or a single-byte code page; UTF-16 and multibyte code pages are turned into
// UTF-8 first) and decode only the texts, so a large file never exists twice as wide text in memory,
// nor whole beside its table.
#include "subtitles/SubtitleTable.h"
#include "subtitles/SubtitleText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The format codes; "Open as" offers the first three.
constexpr int formatMicroDvd = 0, formatSubRip = 1, formatSubViewer = 2, formatAss = 3, formatWebVtt = 4;

// From the first non-empty line: a "[Script Info]" header is ASS/SSA, a "WEBVTT" header WebVTT; else its
// first character decides, "{" MicroDVD, "1" SubRip, "[" SubViewer 2.0.
std::optional<int> detectFormat(const SubtitleSource &source);

// The number at the start of a text (blanks before it allowed), 0 when there is none.
double leadingNumber(QByteArrayView text);

// Each reader appends the file's entries to the table in file order; lines that do not fit are skipped.
void readMicroDvd(const SubtitleSource &source, SubtitleTable &table);
void readSubRip(const SubtitleSource &source, double videoFps, SubtitleTable &table);
void readSubViewer(const SubtitleSource &source, double videoFps, SubtitleTable &table);
// In these two, entries with the same start and end, wherever they stand, become one entry.
void readAss(const SubtitleSource &source, double videoFps, SubtitleTable &table);
void readWebVtt(const SubtitleSource &source, double videoFps, SubtitleTable &table);

struct SubtitleLoad {
    // False when the file could not be read, is empty or holds no entry in its format: the previous
    // table stays, `error` says why.
    bool ok = false;
    // The text of the message box to show (title "ERROR", critical icon), empty when none is due.
    // An unknown format still gives ok with the lead-in and the end sentinel only.
    QString error;
    std::optional<int> format;  // as given, or as detected
    SubtitleTable table;
};

inline const QString unknownFormatMessage = QStringLiteral("UNKNOWN SUBTITLE FORMAT");
constexpr double sentinelStart = 10000000;
constexpr double sentinelEnd = 10000009;

// The whole load: lead-in entry from the OverlayFrame text, the file's entries in the order of their
// start (entries that start together as the file lists them), the end sentinel.
SubtitleLoad loadSubtitleBytes(const QByteArray &raw, std::optional<int> format, const QString &overlayFrameText,
                               double videoFps);
SubtitleLoad loadSubtitleFile(const QString &path, std::optional<int> format, const QString &overlayFrameText,
                              double videoFps);

// "SUB: " and the file's name without its folder, in upper case.
QString sublblCaption(const QString &path);
// The log line after detection: "format is " and the code (nothing after it when undetected).
QString formatLogLine(std::optional<int> format);
