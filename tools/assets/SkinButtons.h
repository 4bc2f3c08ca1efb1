#pragma once
// The button pictures (Image3..Image13): pressed images as whole bitmaps,
// top images as PNGs that are see-through over the cap.

#include <QString>

#include "SkinLayout.h"

namespace tavro::assets {

void generateButtons(const QString& skinDir, SkinLayout& layout);

}  // namespace tavro::assets
