#include "skin/PixelBudget.h"

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
