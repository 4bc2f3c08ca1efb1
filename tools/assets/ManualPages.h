#pragma once
// The eight pages of the instruction leaflet, written as 24-bit bitmaps
// 1.bmp to 8.bmp, and 1@2x.bmp to 8@2x.bmp at twice the resolution.

#include <QImage>
#include <QString>
#include <vector>

namespace tavro::assets {

std::vector<QImage> manualPages(int scale = 1);
void generateManual(const QString& manualDir);

}  // namespace tavro::assets
