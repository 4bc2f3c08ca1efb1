#include "skin/PixelBudget.h"

#include "skin/BackdropPrefetch.h"
#include "skin/PictureFile.h"

namespace tavro {
namespace {

int64_t pixelsOf(QSize size) {
  return int64_t{size.width()} * size.height();
}

}  // namespace

bool PixelBudget::charge(QSize size) {
  left_ -= pixelsOf(size);
  return left_ >= 0;
}

void PixelBudget::refund(QSize size) {
  left_ += pixelsOf(size);
}

std::optional<Picture> PixelBudget::load(const std::string& hostPath) {
  if (std::optional<Picture> ready = backdropPrefetch::take(hostPath)) {
    // decoded ahead (its header was good): charged as at its step
    if (!charge(ready->image.size())) return std::nullopt;
    return ready;
  }
  const PictureFile file = PictureFile::read(hostPath);
  const std::optional<QSize> size = file.headerSize();
  if (!size) {
    // The decoder refuses the header: decoding gives its own error.
    Picture picture = file.decode();
    if (!charge(picture.image.size())) return std::nullopt;
    return picture;
  }
  if (!charge(*size)) return std::nullopt;
  try {
    return file.decode();
  } catch (...) {
    refund(*size);
    throw;
  }
}

}  // namespace tavro
