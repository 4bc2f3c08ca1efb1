#pragma once
// The LCD segments of the default skin: hero, items, got, miss and target
// segments, digits, colon, miss marks and indicators (Image14..Image81).

#include <QString>

#include "SkinLayout.h"

namespace tavro::assets {

// Draws every segment, crops it to its own bounding box, writes it into
// skinDir and records its section with its place on the handheld.
void generateLcdSegments(const QString& skinDir, SkinLayout& layout);

}  // namespace tavro::assets
