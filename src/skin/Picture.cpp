// Loading a picture file, and the pictures that come from no file (the
// missing-image marker, the built-in PNGs).

#include "skin/Picture.h"

#include "skin/PictureFile.h"

namespace tavro {
namespace {

constexpr int64_t kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t{64} * 1024 * 1024;

}  // namespace

bool pictureSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

QRgb Picture::transparentColor() const {
  if (monochrome) return qRgb(255, 255, 255);
  if (image.isNull()) return qRgb(0, 0, 0);
  return image.pixel(0, image.height() - 1);
}

Picture loadPicture(const std::string& hostPath) {
  return PictureFile::read(hostPath).decode();
}

Picture decodeBuiltin(builtin::Blob blob) {
  return decodePng(blob.data, blob.size, PngChecksums::Trust);
}

Picture missingImageMarker() {
  Picture marker;
  marker.image = QImage(10, 10, QImage::Format_RGB32);
  if (marker.image.isNull()) return {};
  marker.image.fill(qRgb(0, 0, 0));
  for (int y = 1; y < 9; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(marker.image.scanLine(y));
    for (int x = 1; x < 9; ++x) line[x] = qRgb(255, 0, 0);
  }
  marker.kind = PictureKind::Bitmap;
  return marker;
}

}  // namespace tavro
