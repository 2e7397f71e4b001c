#include "browse/FileKinds.h"

#include <gtest/gtest.h>

TEST(FileKinds, EachModeOffersItsEntriesAndSkinModeOnlyOne)
{
    for (int mode = 1; mode <= 4; ++mode) {
        const FileKinds::Filters f = FileKinds::filtersFor(mode);
        ASSERT_EQ(f.entries.size(), 2) << mode;
        EXPECT_EQ(f.entries[1], "all files (*.*)");
        EXPECT_EQ(f.patterns[1], "*.*");
    }
    const FileKinds::Filters skin = FileKinds::filtersFor(FileKinds::Skin);
    EXPECT_EQ(skin.entries, QStringList{"images (*.gif,*.jpg,*.bmp)"});
    EXPECT_EQ(skin.patterns, QStringList{"*.gif;*.jpg;*.bmp"});
    EXPECT_EQ(FileKinds::filtersFor(FileKinds::QuickIni).entries[0], "Quick ini file (*.ini,*.mdv,*mvd)");
}

TEST(FileKinds, PatternsMatchWithoutRegardToCase)
{
    struct Case {
        const char *name;
        int mode;
        bool match;
    } cases[] = {
        {"MOVIE.AVI", FileKinds::Video, true},  {"/home/u/a b/film.Mpeg", FileKinds::Video, true},
        {"clip.mp4", FileKinds::Video, false},   {"Film.SRT", FileKinds::Subtitles, true},
        {"notes.txt", FileKinds::Subtitles, true}, {"song.MP3", FileKinds::Audio, true},
        {"song.mp3", FileKinds::Video, false},   {"DISC.MVD", FileKinds::QuickIni, true},
        {"skin.JPG", FileKinds::Skin, true},     {"skin.png", FileKinds::Skin, false},
        {"avi", FileKinds::Video, false},        {"Film.ASS", FileKinds::Subtitles, true},
        {"film.ssa", FileKinds::Subtitles, true}, {"film.en.vtt", FileKinds::Subtitles, true},
        {"film.vtt", FileKinds::Video, false},    {"film.assx", FileKinds::Subtitles, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FileKinds::matches(c.name, FileKinds::filtersFor(c.mode).patterns[0]), c.match) << c.name;
    EXPECT_TRUE(FileKinds::matches("README", "*.*"));
}
