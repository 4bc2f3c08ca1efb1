#pragma once
// The eight pages of the instruction leaflet, written as 24-bit bitmaps
// 1.bmp to 8.bmp.

#include <QImage>
#include <QString>
#include <vector>

namespace tavro::assets {

std::vector<QImage> manualPages();
void generateManual(const QString& manualDir);

}  // namespace tavro::assets
