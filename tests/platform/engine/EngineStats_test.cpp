#include "engine/EngineStats.h"

#include <QMap>
#include <gtest/gtest.h>

TEST(EngineStats, FormatsWhatTheEngineKnowsAndDashesTheRest)
{
    const QMap<QString, QString> known{
        {QStringLiteral("path"), QStringLiteral("/m/a.mp4")},
        {QStringLiteral("video-params/w"), QStringLiteral("1920")},
        {QStringLiteral("video-params/h"), QStringLiteral("1080")},
        {QStringLiteral("container-fps"), QStringLiteral("23.976025")},
        {QStringLiteral("video-bitrate"), QStringLiteral("1234567.000000")},
        {QStringLiteral("decoder-frame-drop-count"), QStringLiteral("3")},
        {QStringLiteral("vo-delayed-frame-count"), QStringLiteral("2")},
        {QStringLiteral("avsync"), QStringLiteral("-0.0123")},
    };
    const auto rows = EngineStats::rows([&](const char *name) { return known.value(QLatin1String(name)); });
    QMap<QString, QString> shown;
    for (const auto &r : rows)
        shown[r.first] = r.second;
    EXPECT_EQ(rows.size(), 12);
    EXPECT_EQ(shown[QStringLiteral("File")], QStringLiteral("/m/a.mp4"));
    EXPECT_EQ(shown[QStringLiteral("Resolution")], QStringLiteral("1920 x 1080"));
    EXPECT_EQ(shown[QStringLiteral("Frame rate")], QStringLiteral("23.976 fps"));
    EXPECT_EQ(shown[QStringLiteral("Video bitrate")], QStringLiteral("1235 kbit/s"));
    EXPECT_EQ(shown[QStringLiteral("Dropped frames")], QStringLiteral("3"));
    EXPECT_EQ(shown[QStringLiteral("Delayed frames")], QStringLiteral("2"));
    EXPECT_EQ(shown[QStringLiteral("A/V difference")], QStringLiteral("-12 ms"));
    EXPECT_EQ(shown[QStringLiteral("Audio codec")], QStringLiteral("-"));
    EXPECT_EQ(shown[QStringLiteral("Sample rate")], QStringLiteral("-"));
}
