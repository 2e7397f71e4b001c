#pragma once
// Whether a picture file holds the whole of its picture. Image decoders take a PNG, GIF, BMP or JPEG
// file that was cut short and fill the missing part with black or grey; the structure of the file
// tells that it ends too early.
#include <QIODevice>

namespace PictureFile {

// False when the file ends before the picture's data does, or its structure is broken; a GIF whose
// first frame does not fill its screen, or whose frame reaches past it, counts as broken, as the
// decoder would make the picture larger than the size it tells. A GIF without its last byte (the trailer) but with whole pictures
// counts as whole. Formats not known here count as whole: their decoder is the judge. The device's
// position is left anywhere.
bool isWhole(QIODevice &file);

}  // namespace PictureFile
