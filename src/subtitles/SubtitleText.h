#pragma once
// The text of a subtitle file: its encoding and its lines. A file on disk is read piece by piece, so
// the load never holds the whole file beside the table it builds.
#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

enum class SubtitleEncoding { Utf8, Windows1252 };

// The text without a byte-order mark: `bytes`, or, when `file` is named, `length` bytes of that file
// from `offset` on.
struct SubtitleSource {
    QByteArray bytes;
    SubtitleEncoding encoding = SubtitleEncoding::Utf8;
    QString file;
    qint64 offset = 0;
    qint64 length = 0;
};

// UTF-8 with or without a byte-order mark and UTF-16 with one are taken as such, anything else as
// Windows-1252.
SubtitleSource decodeSubtitleBytes(const QByteArray &raw);
QString decodePiece(const SubtitleSource &source, QByteArrayView piece);
// Whether the text holds anything but blanks and line ends.
bool hasText(const SubtitleSource &source);

// The same for a file that says its size: one pass in pieces to learn the encoding, the text stays on
// disk. UTF-16 is turned into UTF-8 in memory. False when the file cannot be read.
bool scanSubtitleFile(QFile &file, SubtitleSource &source);

// How often `marker` occurs in the text; in a file, one cut by a piece boundary is missed.
qint64 countInText(const SubtitleSource &source, QByteArrayView marker);

// Lines end at CR LF, at a lone CR or at a lone LF. A line handed out stays valid until the next call.
class LineReader {
public:
    explicit LineReader(const SubtitleSource &source);
    bool next(QByteArrayView &line);
    // The line after the current one, without taking it. The current line may move: read it again
    // with current().
    bool peek(QByteArrayView &line);
    QByteArrayView current() const { return QByteArrayView(buffer_.constData() + current_, currentLength_); }

private:
    bool find(qsizetype &keep, qsizetype &from, qsizetype &length, int &lineEnd);
    qsizetype fill(qsizetype keep);
    qsizetype nextBreak(qsizetype from);

    QByteArray buffer_;
    QFile file_;
    qint64 left_ = 0;  // bytes of the file not yet in the buffer
    qsizetype position_ = 0;
    qsizetype current_ = 0;
    qsizetype currentLength_ = 0;
    // Where the next CR and LF stand in the buffer (its size when there is none), -1 when unknown.
    qsizetype nextCr_ = -1;
    qsizetype nextLf_ = -1;
};
