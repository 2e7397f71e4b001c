#include "playback/KeptVolume.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(KeptVolume, ReadsOnlyWhatTheSliderCanSet)
{
    struct Case {
        const char *what;
        QByteArray bytes;
        std::optional<float> expected;
    } cases[] = {
        {"as written", KeptVolume::write(12.5f), 12.5f},
        {"full volume", KeptVolume::write(0), 0.0f},
        {"CR LF line ends", "vistrel volume 1\r\n30\r\n", 30.0f},
        {"silent: the slider's bottom sets nothing", "vistrel volume 1\n100\n", std::nullopt},
        {"below zero", "vistrel volume 1\n-5\n", std::nullopt},
        {"not a number", "vistrel volume 1\nloud\n", std::nullopt},
        {"not finite", "vistrel volume 1\nnan\n", std::nullopt},
        {"another file's header", "vistrel positions 1\n12\n", std::nullopt},
        {"header only", "vistrel volume 1\n", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(KeptVolume::read(c.bytes), c.expected);
    }
}

TEST(KeptVolume, AFileThatIsNoneOfOursKeepsNothingAndNeverWaits)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kelmora.vol");
    EXPECT_EQ(KeptVolume::load(file), std::nullopt) << "missing";
    writeFile(file, KeptVolume::write(7));
    EXPECT_EQ(KeptVolume::load(file), 7.0f);
    writeFile(file, QByteArray(4096, '1'));
    EXPECT_EQ(KeptVolume::load(file), std::nullopt) << "too large";
    QFile::remove(file);
    QDir(dir.path()).mkdir("kelmora.vol");
    EXPECT_EQ(KeptVolume::load(file), std::nullopt) << "a folder";
    const QString fifo = dir.filePath("fifo.vol");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(KeptVolume::load(fifo), std::nullopt) << "a pipe, which would wait for a writer";
}
