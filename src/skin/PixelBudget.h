#pragma once
// The decoded pixels one load may still bring in. A picture is charged from
// its file's header before it is decoded, so a picture that does not fit is
// never decoded. Once a picture has not fit, what it took stays taken: every
// later picture of the load is refused as well.

#include <QSize>
#include <cstdint>
#include <optional>
#include <string>

#include "skin/Picture.h"

namespace tavro {

class PixelBudget {
 public:
  explicit PixelBudget(int64_t pixels) : left_(pixels) {}

  // Takes a picture's pixels; false when they went over what was left.
  bool charge(QSize size);
  // Gives back what charge() took for a picture that was then not loaded.
  void refund(QSize size);
  int64_t left() const { return left_; }

  // Reads the file and decodes it when its pixels fit; nullopt, with nothing
  // decoded, when they do not. Throws the reading and decoding errors of
  // loadPicture (a picture that fails to decode gives its pixels back).
  std::optional<Picture> load(const std::string& hostPath);

 private:
  int64_t left_;
};

}  // namespace tavro
