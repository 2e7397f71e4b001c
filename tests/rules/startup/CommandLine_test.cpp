#include "startup/AppState.h"
#include "startup/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, SplitsOnBlanksAndTabsKeepingIndexZeroEmpty)
{
    AppState s;
    GetCommandLine(s, QStringLiteral("  one\ttwo \t three  "));
    EXPECT_EQ(s.argCount, 3);
    EXPECT_EQ(s.argList, (QStringList{QString(), "one", "two", "three"}));
}

TEST(CommandLine, EmptyTextGivesNoWords)
{
    AppState s;
    s.argList = QStringList{"stale", "words"};
    s.argCount = 1;
    GetCommandLine(s, QString());
    EXPECT_EQ(s.argCount, 0);
    EXPECT_EQ(s.argList, QStringList{QString()});
    GetCommandLine(s, QStringLiteral(" \t "));
    EXPECT_EQ(s.argCount, 0);
}

TEST(CommandLine, TwelveWordsKeepTheFirstTen)
{
    AppState s;
    GetCommandLine(s, QStringLiteral("a b c d e f g h i j k l"));
    EXPECT_EQ(s.argCount, 10);
    ASSERT_EQ(s.argList.size(), 11);
    EXPECT_EQ(s.argList[10], "j");
    GetCommandLine(s, QStringLiteral("a b c"), 2);
    EXPECT_EQ(s.argCount, 2);
    EXPECT_EQ(s.argList, (QStringList{QString(), "a", "b"}));
}

TEST(CommandLine, QuotesHaveNoMeaning)
{
    AppState s;
    GetCommandLine(s, QStringLiteral("\"C:/My Movies/a b.avi\""));
    EXPECT_EQ(s.argCount, 3);
    EXPECT_EQ(s.argList[1], "\"C:/My");
    EXPECT_EQ(s.argList[3], "b.avi\"");
}

TEST(CommandLine, ProcessArgumentsAreJoinedBeforeSplitting)
{
    AppState s;
    GetCommandLine(s, commandLineText({"/opt/vistrel", "/media/My Movie.avi", "x"}));
    EXPECT_EQ(s.argCount, 3);
    EXPECT_EQ(s.argList[2], "Movie.avi");
}

TEST(CommandLine, AutorunOnlyAsFirstWordInAnyCase)
{
    AppState s;
    for (const char *text : {"AUTORUN", "autorun", "AutoRun x"}) {
        GetCommandLine(s, QString::fromLatin1(text));
        EXPECT_TRUE(isAutorunWord(s)) << text;
    }
    for (const char *text : {"x AUTORUN", "", "AUTORUNX", "AUTO RUN"}) {
        GetCommandLine(s, QString::fromLatin1(text));
        EXPECT_FALSE(isAutorunWord(s)) << text;
    }
}
