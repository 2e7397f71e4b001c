// The whole program with the real engine on a real display: a movie dropped on "Video" shows in the
// video window, and closing the panel ends the run with its log complete.
#include "support/FakeDialogs.h"
#include "support/PanelFixture.h"

#include "platform/MpvEngine.h"
#include "playback/player.h"
#include "startup/Program.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QOpenGLWidget>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

const QString kClip = QStringLiteral(VISTREL_MEDIA_DIR "/clip25.mp4");

void dropFiles(QWidget *target, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    const QPointF at = QRectF(target->rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

// Hue of a picture's pixel by its strongest channels, enough to tell the clip's four quarters apart.
QString colourName(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 160 && g > 160 && b < 100)
        return QStringLiteral("yellow");
    if (r > 160 && g < 100 && b < 100)
        return QStringLiteral("red");
    if (g > 160 && r < 100 && b < 100)
        return QStringLiteral("green");
    if (b > 160 && r < 100 && g < 100)
        return QStringLiteral("blue");
    return QStringLiteral("other");
}

}  // namespace

TEST(OpenVideoEndToEnd, DroppedMovieShowsInTheVideoWindowAndTheLogRecordsTheRun)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    QString logText;
    {
        Program program(folder.path(), QString(), dialogs);
        program.panel.Form_Load();
        ASSERT_TRUE(program.panel.isVisible());

        dropFiles(program.panel.openfile, {kClip});
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(program.panel.namelbl->text(), QStringLiteral("VIDEO: CLIP25.MP4"));
        ASSERT_TRUE(program.panel.playerForm->isVisible());

        // Window mode: the picture at its own size, its four coloured quarters where the clip has them.
        auto *video = qobject_cast<QOpenGLWidget *>(program.MediaPlayer1.videoWidget());
        ASSERT_NE(video, nullptr);
        QImage picture;
        const auto quarters = [&] {
            picture = video->grabFramebuffer();
            if (picture.isNull())
                return false;
            const int w = picture.width(), h = picture.height();
            return colourName(picture.pixel(w / 4, h * 2 / 5)) == QLatin1String("red")
                   && colourName(picture.pixel(w * 3 / 4, h * 2 / 5)) == QLatin1String("green")
                   && colourName(picture.pixel(w / 4, h * 4 / 5)) == QLatin1String("blue")
                   && colourName(picture.pixel(w * 3 / 4, h * 4 / 5)) == QLatin1String("yellow");
        };
        EXPECT_TRUE(QTest::qWaitFor(quarters, 20000)) << "picture " << picture.width() << "x" << picture.height();
        EXPECT_EQ(picture.width(), 320);
        EXPECT_EQ(picture.height(), 240);

        program.panel.close();
        EXPECT_FALSE(program.panel.isVisible());
        QFile log(folder.filePath(QStringLiteral("kelmora.log")));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        logText = QString::fromLatin1(log.readAll());
    }
    EXPECT_TRUE(logText.contains(QStringLiteral("opening video ") + kClip + QStringLiteral("\r\n")));
    EXPECT_TRUE(logText.contains(QStringLiteral("\r\nfps 25\r\n")));
    EXPECT_TRUE(logText.endsWith(QStringLiteral("Exiting\r\n")));
}
