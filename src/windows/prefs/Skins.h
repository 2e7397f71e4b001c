#pragma once
// The panel's pictures: the built-in one, drawn at two sizes so it stays sharp on screens with two
// device pixels to a pixel, and a user's skin file, read by its content whatever its name says.
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace Skins {

// The built-in picture: the twice-size drawing where any screen has more than one device pixel to a
// pixel (the panel smooths it down on a plain screen beside a sharp one), the plain one otherwise.
QPixmap builtinPicture();

// True when `skinFile` names a file to load: not "NONE", and a file is there (not a folder).
bool isSkinFile(const QString &skinFile);

struct Picture {
    QImage image;   // null when the file cannot be read whole and decoded
    QString error;  // then the reason
};
// The skin's top left part that the panel shows (`visible`, in pixels); the rest is never decoded
// into memory where the format allows. A file cut short, a read error or a picture too large to
// decode (a decompression bomb) gives no picture.
Picture read(const QString &file, QSize visible);

}  // namespace Skins
