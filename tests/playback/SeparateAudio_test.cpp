#include "playback/SeparateAudio.h"
#include "support/FakeEngine.h"

#include <gtest/gtest.h>

TEST(SeparateAudio, OnlyWholeSecondsAreCompared)
{
    EXPECT_FALSE(SeparateAudio::needsRealign(10.1, 10.4));
    EXPECT_FALSE(SeparateAudio::needsRealign(9.6, 10.4));                         // 0.8 s kept
    EXPECT_TRUE(SeparateAudio::needsRealign(10.4, 10.6));                         // 0.2 s corrected
    EXPECT_FALSE(SeparateAudio::needsRealign(2.5, 2.0));                          // halves to even
    EXPECT_TRUE(SeparateAudio::needsRealign(3.5, 3.0));
}

TEST(SeparateAudio, RealignMovesTheAudioToTheMoviesExactSecond)
{
    FakeEngine movie, audio;
    movie.setFileName("/m.avi");
    audio.setFileName("/a.mp3");
    movie.setPositionQuietly(265);  // 10.6 s at 25 fps
    audio.setPositionQuietly(10.4);
    EXPECT_TRUE(SeparateAudio::realign(movie, audio, 25, true));
    EXPECT_DOUBLE_EQ(audio.currentPosition(), 10.6);

    movie.setPositionQuietly(260);  // 10.4 s, audio 9.6: same rounded second
    audio.setPositionQuietly(9.6);
    EXPECT_FALSE(SeparateAudio::realign(movie, audio, 25, true));
    EXPECT_DOUBLE_EQ(audio.currentPosition(), 9.6);
}

TEST(SeparateAudio, NothingMovesWithoutSeparateAudioAtTheStartOrWithoutRate)
{
    FakeEngine movie, audio;
    audio.setPositionQuietly(30);
    movie.setPositionQuietly(500);
    EXPECT_FALSE(SeparateAudio::realign(movie, audio, 25, false));
    EXPECT_FALSE(SeparateAudio::realign(movie, audio, 0, true));
    movie.setPositionQuietly(0);
    EXPECT_FALSE(SeparateAudio::realign(movie, audio, 25, true));
    EXPECT_DOUBLE_EQ(audio.currentPosition(), 30);
}
