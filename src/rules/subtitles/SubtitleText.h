#pragma once
// The text of a subtitle file: its encoding and its lines. A file on disk is read piece by piece, so
// the load never holds the whole file beside the table it builds.
#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

// The text without a byte-order mark: `bytes`, or, when `file` is named, `length` bytes of that file
// from `offset` on.
struct SubtitleSource {
    QByteArray bytes;
    // Empty for UTF-8, else the characters of the bytes of a single-byte code page.
    QString codePage;
    QString file;
    qint64 offset = 0;
    qint64 length = 0;
};

// UTF-8 with or without a byte-order mark and UTF-16 with one, or without one but told by its zero
// bytes, are taken as such. Anything else is in the code page uchardet names, line by line where
// lines are UTF-8 (hand edits); a multibyte one is turned into UTF-8 in memory.
SubtitleSource decodeSubtitleBytes(const QByteArray &raw);
QString decodePiece(const SubtitleSource &source, QByteArrayView piece);
// Whether the text holds anything but blanks and line ends.
bool hasText(const SubtitleSource &source);

// The same for a file that says its size: one pass in pieces to learn the encoding, the text stays on
// disk. UTF-16 and multibyte code pages are turned into UTF-8 in memory. False when the file cannot
// be read.
bool scanSubtitleFile(QFile &file, SubtitleSource &source);

// The text without blanks and line-end characters at either end, as trimmed() gives it, without the
// call that makes it count in a large file's load.
inline QByteArrayView trimmedText(QByteArrayView text)
{
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    qsizetype begin = 0, end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

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
};
