#pragma once
// The handheld's body picture (Image1) and the glass over the LCD (Image2).

#include <QImage>
#include <QString>

#include "SkinLayout.h"

namespace tavro::assets {

// The body, already keyed: every pixel outside the shell is exactly the key
// colour, no pixel inside is. Without caps it shows the empty button wells.
// At scale 2 the same body at twice the resolution.
QImage bodyPicture(bool withCaps, int scale = 1);

// Writes body.bmp and screen_top.png (and their @2x pictures) into skinDir and
// records Image1 and Image2.
void generateBody(const QString& skinDir, SkinLayout& layout);

}  // namespace tavro::assets
