// PNG decoding through libpng, from memory. Every colour type, bit depth,
// tRNS and interlacing end up as 32-bit Qt pixels; libpng's own message is
// the error text. Errors unwind with longjmp, so the work happens in a
// function whose only locals are plain C pointers.

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "skin/Picture.h"

namespace tavro {
namespace {

struct PngJob {
  bool trusted = false;  // no checksums to check
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  std::size_t position = 0;
  char message[256] = {};
  QSize headerSize;
  QImage image;
  std::vector<png_bytep> rows;
};

PngJob* jobOf(png_structp png) {
  return static_cast<PngJob*>(png_get_io_ptr(png));
}

void readData(png_structp png, png_bytep out, png_size_t length) {
  PngJob* job = jobOf(png);
  if (length > job->size - job->position) png_error(png, "Unexpected end of PNG data");
  std::memcpy(out, job->data + job->position, length);
  job->position += length;
}

[[noreturn]] void onError(png_structp png, png_const_charp message) {
  PngJob* job = static_cast<PngJob*>(png_get_error_ptr(png));
  std::snprintf(job->message, sizeof job->message, "%s", message);
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// R G B A bytes to B G R A, four pixels at a time (vector code); libpng's
// own swap goes byte by byte.
void swapRedAndBlue(uint32_t* __restrict row, int width) {
  auto swap = [](uint32_t p) { return (p & 0xff00ff00u) | (p >> 16 & 0xffu) | (p & 0xffu) << 16; };
  int x = 0;
  for (; x + 4 <= width; x += 4) {
    for (int j = 0; j < 4; ++j) row[x + j] = swap(row[x + j]);
  }
  for (; x < width; ++x) row[x] = swap(row[x]);
}

// Runs the decoder (with headerOnly, up to the size and pixel layout, before
// any pixel is allocated); false with job->message set on any error.
bool runPng(PngJob* job, bool headerOnly) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, job, onError, onWarning);
  if (png == nullptr) {
    std::snprintf(job->message, sizeof job->message, "Out of memory decoding PNG");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    std::snprintf(job->message, sizeof job->message, "Out of memory decoding PNG");
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }

  png_set_read_fn(png, job, readData);
  png_set_user_limits(png, 16384, 16384);
  // The chunks' checksums cover every byte of the compressed pixels already:
  // the compressed stream's own checksum adds nothing for a file.
  png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
  if (job->trusted) {
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
  }
  png_read_info(png, info);

  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (!pictureSizeAllowed(width, height)) png_error(png, "PNG image is too large");
  const int colorType = png_get_color_type(png, info);
  const bool alpha =
      (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;

  png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // R G B A; red and blue swapped below
#else
  png_set_swap_alpha(png);  // memory order A R G B
  png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
#endif
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != width * 4) png_error(png, "Unexpected PNG pixel layout");
  if (headerOnly) {
    job->headerSize = QSize(static_cast<int>(width), static_cast<int>(height));
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
  }

  job->image = QImage(static_cast<int>(width), static_cast<int>(height),
                      alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (job->image.isNull()) png_error(png, "Out of memory decoding PNG");
  job->rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) job->rows[y] = job->image.scanLine(static_cast<int>(y));
  png_read_image(png, job->rows.data());
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
  // memory order B G R A is 0xAARRGGBB on this machine
  for (png_uint_32 y = 0; y < height; ++y) {
    swapRedAndBlue(reinterpret_cast<uint32_t*>(job->rows[y]), static_cast<int>(width));
  }
#endif
  // The chunks after the image data are not read: a file that lacks only its
  // end chunk still shows its complete picture.
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

Picture decodePng(const unsigned char* data, std::size_t size, PngChecksums checksums) {
  PngJob job;
  job.trusted = checksums == PngChecksums::Trust;
  job.data = data;
  job.size = data == nullptr ? 0 : size;
  if (!runPng(&job, false)) throw std::runtime_error(job.message);
  Picture picture;
  picture.image = std::move(job.image);
  picture.kind = PictureKind::Png;
  return picture;
}

std::optional<QSize> pngHeaderSize(const unsigned char* data, std::size_t size) {
  PngJob job;
  job.data = data;
  job.size = data == nullptr ? 0 : size;
  if (!runPng(&job, true)) return std::nullopt;
  return job.headerSize;
}

Picture decodePng(const unsigned char* data, std::size_t size) {
  return decodePng(data, size, PngChecksums::Check);
}

}  // namespace tavro
