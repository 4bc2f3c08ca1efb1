#pragma once
// Writing pictures in the exact formats the skin needs, and small helpers on
// images that every drawing module uses.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

namespace tavro::assets {

// An empty ARGB32 premultiplied canvas, fully transparent.
QImage transparentCanvas(int w, int h);

// Every picture is also drawn at twice the resolution, for screens of device
// pixel ratio 2: the same drawing in logical coordinates on a canvas twice the
// size, written beside the picture as "name@2x.ext".
inline constexpr int kHiResScale = 2;
QString hiResName(const QString& fileName);

// A 24-bit uncompressed Windows bitmap (BITMAPINFOHEADER, bottom-up rows).
QByteArray bmp24Bytes(const QImage& image);
// deflateLevel: zlib's 0 (stored, nothing to inflate) to 9 (smallest).
QByteArray pngBytes(const QImage& image, int deflateLevel = 9);

// Write a file, creating its folder; throws std::runtime_error on failure.
void writeFile(const QString& path, const QByteArray& bytes);
void writeBmp24(const QString& path, const QImage& image);
// Skin files are stored without compression: the program decodes each at
// every start and fullscreen switch, and inflating them was most of that
// work; the files stay small (tens of kilobytes each).
void writePng(const QString& path, const QImage& image);
void writeJpeg(const QString& path, const QImage& image, int quality);

// Bounding box of the pixels whose alpha is above zero; null when none.
QRect opaqueBounds(const QImage& image);

// Flattens an image with alpha for a keyed bitmap: pixels at least half
// covered take their colour made opaque, the rest become the key colour.
QImage flattenOnKey(const QImage& image, const QColor& key);

}  // namespace tavro::assets
