// PNG decoding of arbitrary bytes: a picture or a runtime_error, nothing else.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "skin/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const tavro::Picture picture = tavro::decodePng(data, size);
    if (!tavro::pictureSizeAllowed(picture.image.width(), picture.image.height())) __builtin_trap();
    if (!picture.image.isNull()) (void)picture.transparentColor();
  } catch (const std::runtime_error&) {
  }
  return 0;
}
