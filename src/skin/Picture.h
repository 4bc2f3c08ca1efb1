#pragma once
// A decoded picture and the kind of file it came from: drawing depends on it
// (a bitmap may key out its transparent colour, a PNG follows its own alpha,
// a JPEG is always drawn whole).

#include <QImage>
#include <QSize>
#include <cstdint>
#include <optional>
#include <string>

#include "skin/BuiltinPictures.h"

namespace tavro {

enum class PictureKind { None, Bitmap, Png, Jpeg };

struct Picture {
  QImage image;  // Format_ARGB32 (PNG with alpha) or Format_RGB32
  PictureKind kind = PictureKind::None;
  bool monochrome = false;  // a 1-bit bitmap: its transparent colour is white

  bool isNull() const { return kind == PictureKind::None || image.isNull(); }
  // The bitmap's transparent colour: its bottom-left pixel (white for monochrome).
  QRgb transparentColor() const;
};

// Decodes a file; the decoder is chosen by the extension without regard to
// case: bmp, png, jpg, jpeg. Throws std::runtime_error with
// "Unknown picture file extension (.%s)", "Bitmap image is not valid", or the
// PNG/JPEG decoder's own message. Pictures claiming absurd sizes are refused.
// A file that cannot be read: "Cannot open file "<path>". <reason>".
Picture loadPicture(const std::string& hostPath);

Picture decodeBmp(const unsigned char* data, std::size_t size);
// Everything decodeBmp checks, without decoding: the size decodeBmp would
// give, or its error.
QSize checkBmp(const unsigned char* data, std::size_t size);
// The same check from the file's head and its size, for a bitmap whose
// pixels need no reading to be checked (uncompressed rows: only their room
// counts); nullopt when the whole file is needed (run-length data, or a
// head that does not hold the headers).
std::optional<QSize> checkBmpHead(const unsigned char* head, std::size_t headSize,
                                  std::uint64_t fileSize);
// Reads a file and checks it as a bitmap: the size, or the error that
// loadPicture would give for the same file named *.bmp.
QSize checkBitmapFile(const std::string& hostPath);
// Checksums: a file's are checked; the pictures built into the program are
// part of it and need none.
enum class PngChecksums { Check, Trust };
Picture decodePng(const unsigned char* data, std::size_t size);
Picture decodePng(const unsigned char* data, std::size_t size, PngChecksums checksums);
Picture decodeJpeg(const unsigned char* data, std::size_t size);
Picture decodeBuiltin(builtin::Blob blob);  // a built-in PNG

// The size a file's header gives, read as far as the decoder reads before it
// allocates the pixels; nullopt where the decoder would fail by then.
std::optional<QSize> bmpHeaderSize(const unsigned char* data, std::size_t size);
std::optional<QSize> pngHeaderSize(const unsigned char* data, std::size_t size);
std::optional<QSize> jpegHeaderSize(const unsigned char* data, std::size_t size);

// The largest picture any decoder accepts: at most 16384 pixels a side and
// 64 Mpixels in all; larger claims are refused before anything is allocated.
bool pictureSizeAllowed(int64_t width, int64_t height);

// The missing-image marker: a 10 x 10 bitmap, red inside a one-pixel black
// border (a null picture when even that cannot be allocated).
Picture missingImageMarker();

}  // namespace tavro
