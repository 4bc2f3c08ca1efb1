#pragma once
// A picture file read into memory: the size its header claims, known without
// decoding a pixel, and the picture decoded from it on request. The loaders
// charge their pixel budgets from the header, so that a picture the budget
// refuses is never decoded.

#include <QSize>
#include <optional>
#include <string>

#include "skin/Picture.h"

namespace tavro {

class PictureFile {
 public:
  // Reads the file; throws std::runtime_error as loadPicture does for an
  // unknown extension or a file that cannot be read.
  static PictureFile read(const std::string& hostPath);

  // The size in the header, or nullopt when the decoder would refuse the
  // header (decode() then throws the decoder's own error).
  std::optional<QSize> headerSize() const;
  // The decoded picture (its size is headerSize()); throws the decoder's error.
  Picture decode() const;

 private:
  enum class Kind { Bmp, Png, Jpeg };
  PictureFile(Kind kind, std::string bytes) : kind_(kind), bytes_(std::move(bytes)) {}

  Kind kind_;
  std::string bytes_;
};

}  // namespace tavro
