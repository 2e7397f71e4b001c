// Paths of a disc found under this system's separator and letter case, one at a time and through a
// resolver that lists each folder once for a whole disc description.
#include "disc/DiscPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DiscPaths, NamesAreFoundWhateverTheirCase)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Movie/Extras")));
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("SUBS")));
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("subs")));
    for (const char *file : {"Movie/Film.AVI", "Movie/Extras/Trailer.avi", "SUBS/en.srt", "subs/EN.SRT"}) {
        QFile f(root + QString::fromLatin1(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const struct {
        const char *relative;
        const char *found;
    } cases[] = {
        {"Movie\\Film.AVI", "Movie/Film.AVI"},
        {"MOVIE\\film.avi", "Movie/Film.AVI"},
        {"movie\\extras\\TRAILER.AVI", "Movie/Extras/Trailer.avi"},
        {".\\movie\\\\film.avi", "Movie/Film.AVI"},
        {"SUBS\\en.srt", "SUBS/en.srt"},       // each exact name where it exists
        {"subs\\en.srt", "subs/EN.SRT"},
        {"Subs\\x.srt", "SUBS/x.srt"},         // else the first in name order
        {"gone\\MOVIE\\film.avi", "gone/MOVIE/film.avi"},  // from the first part not found, as written
        {"movie\\gone\\Film.avi", "Movie/gone/Film.avi"},
        {"", ""},
    };
    DiscPaths::Resolver resolver;
    for (int round = 0; round < 2; ++round) {
        for (const auto &c : cases) {
            const QString relative = QString::fromLatin1(c.relative), found = root + QString::fromLatin1(c.found);
            EXPECT_EQ(DiscPaths::resolve(root, relative), found) << c.relative;
            EXPECT_EQ(resolver.resolve(dir.path(), relative), found) << c.relative << " round " << round;
        }
    }
}
