#include "prefs/Skins.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace Skins {

QPixmap builtinPicture()
{
    if (qGuiApp->devicePixelRatio() > 1) {
        QPixmap sharp(QStringLiteral(":/skin/builtin@2x.jpg"));
        sharp.setDevicePixelRatio(2);
        return sharp;
    }
    return QPixmap(QStringLiteral(":/skin/builtin.jpg"));
}

bool isSkinFile(const QString &skinFile)
{
    return skinFile != QLatin1String("NONE") && QFileInfo(skinFile).isFile();
}

Picture read(const QString &file, QSize visible)
{
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    const QSize full = reader.size();
    if (full.isValid())
        reader.setClipRect(QRect(QPoint(0, 0), full.boundedTo(visible)));
    Picture picture;
    if (!reader.read(&picture.image))
        picture.error = reader.errorString();
    return picture;
}

}  // namespace Skins
