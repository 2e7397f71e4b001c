#pragma once
#include <QString>

namespace FontFamily {

// A font name as the player lists and stores it: the family alone, without the foundry tag the font
// database adds where two foundries make one family ("C059 [urw]" and "C059 [UKWN]" are "C059").
QString familyName(const QString &name);

}  // namespace FontFamily
