#pragma once
// The handheld's body picture (Image1) and the glass over the LCD (Image2).

#include <QImage>
#include <QString>

#include "SkinLayout.h"

namespace tavro::assets {

// The body, already keyed: every pixel outside the shell is exactly the key
// colour, no pixel inside is. Without caps it shows the empty button wells.
QImage bodyPicture(bool withCaps);

// Writes body.bmp and screen_top.png into skinDir and records Image1 and Image2.
void generateBody(const QString& skinDir, SkinLayout& layout);

}  // namespace tavro::assets
