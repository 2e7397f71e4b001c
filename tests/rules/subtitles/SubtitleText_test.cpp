// A file is read from disk in pieces; whatever falls on a piece boundary (a CR LF, a UTF-8 sequence, a
// SubRip number line and its timing line) must give the same table as the same bytes read at once.
#include "subtitles/SubtitleReaders.h"
#include "support/UserLocale.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int piece = 64 * 1024;

struct Disk {
    QTemporaryDir dir;
    int n = 0;
    QString write(const QByteArray &bytes)
    {
        QFile f(dir.filePath(QString::number(++n)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
};

void expectSameTable(const SubtitleLoad &a, const SubtitleLoad &b)
{
    ASSERT_EQ(a.ok, b.ok);
    ASSERT_EQ(a.format, b.format);
    ASSERT_EQ(a.table.subCount, b.table.subCount);
    EXPECT_EQ(a.table.subStart, b.table.subStart);
    EXPECT_EQ(a.table.subEnd, b.table.subEnd);
    EXPECT_EQ(a.table.subText, b.table.subText);
}

void expectFileReadsLikeBytes(Disk &disk, const QByteArray &bytes)
{
    const auto fromFile = loadSubtitleFile(disk.write(bytes), std::nullopt, "30", 25);
    const auto fromBytes = loadSubtitleBytes(bytes, std::nullopt, "30", 25);
    expectSameTable(fromFile, fromBytes);
}

// Entries with text lines of every length up to a few hundred bytes, some with accents.
QByteArray document(int format, std::mt19937 &random)
{
    std::uniform_int_distribution<int> length(0, 300);
    auto text = [&] {
        QByteArray t(length(random), 'a');
        if (!t.isEmpty() && random() % 3 == 0)
            t.append("\xC3\xA9");
        return t;
    };
    QByteArray out = format == 2 ? "[INFORMATION]\r\n[END INFORMATION]\r\n[SUBTITLE]\r\n[COLF]&HFFFFFF\r\n" : "";
    for (int i = 1; i <= 1500; ++i) {
        const QByteArray s = QByteArray::number(i % 60);
        if (format == 0)
            out += "{" + QByteArray::number(i * 10) + "}{" + QByteArray::number(i * 10 + 5) + "}" + text() + "\r\n";
        else if (format == 1)
            out += QByteArray::number(i) + "\r\n00:00:" + s + ",500 --> 00:01:" + s + ",000\r\n" + text() + "\r\n" +
                   text() + "\r\n\r\n";
        else
            out += "00:00:" + s + ".50,00:01:" + s + ".00\r\n" + text() + "\r\n\r\n";
    }
    return out;
}

}  // namespace

TEST(SubtitleText, LargeFilesReadInPiecesGiveTheSameTable)
{
    Disk disk;
    std::mt19937 random(7);
    for (int format : {0, 1, 2}) {
        const QByteArray crlf = document(format, random);
        ASSERT_GT(crlf.size(), 3 * piece);
        for (const char *eol : {"\r\n", "\n", "\r"}) {
            QByteArray bytes = crlf;
            bytes.replace("\r\n", eol);
            SCOPED_TRACE(testing::Message() << "format " << format << " eol " << int(eol[0]) << strlen(eol));
            expectFileReadsLikeBytes(disk, bytes);
            expectFileReadsLikeBytes(disk, "\xEF\xBB\xBF" + bytes);
        }
    }
}

TEST(SubtitleText, WhatStraddlesAPieceBoundary)
{
    Disk disk;
    for (int shift = -3; shift <= 3; ++shift) {
        SCOPED_TRACE(shift);
        // A CR LF, then a two-byte UTF-8 letter, falling across the first boundary.
        const QByteArray head = "{1}{2}" + QByteArray(piece - 7 + shift, 'x');
        expectFileReadsLikeBytes(disk, head + "\r\n{3}{4}next\r\n");
        const auto accent = loadSubtitleFile(disk.write(head + "\xC3\xA9\r\n{3}{4}b"), std::nullopt, "30", 25);
        ASSERT_EQ(accent.table.subCount, 4);
        EXPECT_TRUE(accent.table.subText[1].endsWith(QString::fromUtf8("x\xC3\xA9")));
        // A SubRip number line at the end of a piece, its timing line in the next.
        const QByteArray srt = "1\r\n00:00:01,000 --> 00:00:02,000\r\n" + QByteArray(piece - 40 + shift, 'y') +
                               "\r\n7\r\n00:00:03,000 --> 00:00:04,000\r\nlast\r\n";
        const auto blocks = loadSubtitleFile(disk.write(srt), std::nullopt, "30", 25);
        ASSERT_EQ(blocks.table.subCount, 4);
        EXPECT_EQ(blocks.table.subText[2], "last");
        EXPECT_EQ(blocks.table.subText[1].size(), piece - 40 + shift);
    }
}

TEST(SubtitleText, EncodingIsDecidedByTheWholeFile)
{
    const UserLocale user{QLocale(QLocale::English, QLocale::UnitedStates)};
    Disk disk;
    // One Windows-1252 byte far into the file makes it a Windows-1252 file, whose lines that are
    // UTF-8 (hand edits) stay UTF-8.
    const QByteArray early = "{1}{2}caf\xC3\xA9\r\n" + QByteArray(3 * piece, ' ') + "\r\n{3}{4}na\xEFve\r\n";
    const auto l = loadSubtitleFile(disk.write(early), std::nullopt, "30", 25);
    ASSERT_EQ(l.table.subCount, 4);
    EXPECT_EQ(l.table.subText[1], QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(l.table.subText[2], QString::fromUtf8("na\xC3\xAFve"));
    // A line longer than a piece is read whole.
    const auto longLine = loadSubtitleFile(disk.write("{1}{2}" + QByteArray(3 * piece, 'z')), std::nullopt, "30", 25);
    ASSERT_EQ(longLine.table.subCount, 3);
    EXPECT_EQ(longLine.table.subText[1].size(), 3 * piece);
    // Blanks only, however many pieces, is an empty file.
    EXPECT_FALSE(loadSubtitleFile(disk.write(QByteArray(2 * piece, ' ') + "\r\n\t"), std::nullopt, "30", 25).ok);
}
