#pragma once
// The fullscreen backdrop (a JPEG night sky) and the logo (a PNG wordmark).

#include <QImage>
#include <QString>

namespace tavro::assets {

QImage logoPicture();
void generateBackdrops(const QString& backdropDir);

}  // namespace tavro::assets
