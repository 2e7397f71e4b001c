// File managers offer the player for what the Browse dialog opens: every video, audio and subtitle
// pattern has a MIME type in the desktop entry, as the system's MIME database names it. Installed,
// the program keeps its files in the user's folder.
#include "browse/FileKinds.h"
#include "startup/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DesktopEntry, ListsTheMimeTypesOfEveryBrowsePattern)
{
    QFile entry(QStringLiteral(VISTREL_TEST_SOURCE_DIR "/../dist/vistrel.desktop.in"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    QStringList listed;
    for (const QByteArray &line : entry.readAll().split('\n'))
        if (line.startsWith("MimeType="))
            listed = QString::fromLatin1(line.mid(9)).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    ASSERT_FALSE(listed.isEmpty());

    // No type the database knows: ".mpv", ".mv2". Left out on purpose: ".txt" is every text file.
    const QStringList unlisted{QStringLiteral("*.mpv"), QStringLiteral("*.mv2"), QStringLiteral("*.txt")};
    const QMimeDatabase db;
    for (const int mode : {FileKinds::Video, FileKinds::Audio, FileKinds::Subtitles}) {
        for (const QString &pattern : FileKinds::nameFilters(FileKinds::filtersFor(mode).patterns.value(0))) {
            if (unlisted.contains(pattern))
                continue;
            const QString name = QString(pattern).replace(QLatin1Char('*'), QStringLiteral("file"));
            bool found = false;
            for (const QMimeType &type : db.mimeTypesForFileName(name))
                found = found || listed.contains(type.name());
            EXPECT_TRUE(found) << pattern.toStdString();
        }
    }
}

TEST(DesktopEntry, AnInstalledProgramKeepsItsFilesInTheUserFolder)
{
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin/"));
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(ProgramFolder::writableFolder(bin), bin);  // a build folder, say
    ASSERT_TRUE(QDir().mkpath(prefix.filePath(QStringLiteral("share/applications"))));
    QFile entry(prefix.filePath(QStringLiteral("share/applications/vistrel.desktop")));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.close();
    EXPECT_TRUE(ProgramFolder::installed(bin));
    EXPECT_EQ(ProgramFolder::writableFolder(bin), ProgramFolder::userFolder());
}
