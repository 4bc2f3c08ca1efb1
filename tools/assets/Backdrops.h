#pragma once
// The fullscreen backdrop (a JPEG night sky) and the logo (a PNG wordmark).

#include <QImage>
#include <QString>

namespace tavro::assets {

// At scale 2 the logo at twice the resolution.
QImage logoPicture(int scale = 1);
void generateBackdrops(const QString& backdropDir);

}  // namespace tavro::assets
