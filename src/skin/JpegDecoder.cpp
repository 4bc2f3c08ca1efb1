// JPEG decoding through libjpeg, from memory. libjpeg's own message is the
// error text; data that ends before the last scanline is an error too, not a
// picture padded with grey. Errors unwind with longjmp, so the work happens in
// a function whose only locals are plain C values.

#include <csetjmp>
#include <cstddef>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include <stdexcept>
#include <vector>

#include "skin/Picture.h"

namespace tavro {
namespace {

struct JpegJob {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors{};
  std::jmp_buf jump{};
  bool readingPixels = false;
  bool reachedEnd = false;
  char message[JMSG_LENGTH_MAX] = {};
  QSize headerSize;
  QImage image;
  std::vector<JSAMPLE> cmykRow;
};

JpegJob* jobOf(j_common_ptr cinfo) {
  return static_cast<JpegJob*>(cinfo->client_data);
}

[[noreturn]] void onErrorExit(j_common_ptr cinfo) {
  JpegJob* job = jobOf(cinfo);
  (*cinfo->err->format_message)(cinfo, job->message);
  std::longjmp(job->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  // Warnings are ignored, except pixel data cut short by the end of the file.
  // Reaching the end is harmless by itself: a file that lacks only its end
  // marker still holds every pixel. It is an error when the decoder then runs
  // out of bits inside the picture.
  JpegJob* job = jobOf(cinfo);
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF) {
    job->reachedEnd = true;
  } else if (code == JWRN_HIT_MARKER && job->reachedEnd && job->readingPixels) {
    cinfo->err->msg_code = JWRN_JPEG_EOF;  // "Premature end of JPEG file"
    onErrorExit(cinfo);
  }
}

// Adobe CMYK (stored inverted) to RGB.
void cmykToRgb(const JSAMPLE* in, QRgb* out, JDIMENSION width) {
  for (JDIMENSION x = 0; x < width; ++x, in += 4) {
    const int k = in[3];
    out[x] = qRgb(in[0] * k / 255, in[1] * k / 255, in[2] * k / 255);
  }
}

// Runs the decoder (with headerOnly, up to the size check, before any pixel
// is read); false with job->message set on any error.
bool runJpeg(JpegJob* job, const unsigned char* data, unsigned long size, bool headerOnly) {
  j_decompress_ptr cinfo = &job->cinfo;
  cinfo->err = jpeg_std_error(&job->errors);
  job->errors.error_exit = onErrorExit;
  job->errors.emit_message = onMessage;
  cinfo->client_data = job;
  if (setjmp(job->jump)) {
    jpeg_destroy_decompress(cinfo);
    return false;
  }
  jpeg_create_decompress(cinfo);
  // Progressive pictures keep all their coefficients in memory: bound that
  // like the picture itself (64 Mpixels of 4 bytes).
  cinfo->mem->max_memory_to_use = 256L * 1024 * 1024;
  jpeg_mem_src(cinfo, data, size);
  jpeg_read_header(cinfo, TRUE);
  if (!pictureSizeAllowed(cinfo->image_width, cinfo->image_height)) {
    std::snprintf(job->message, sizeof job->message, "JPEG image is too large");
    jpeg_destroy_decompress(cinfo);
    return false;
  }
  if (headerOnly) {
    job->headerSize =
        QSize(static_cast<int>(cinfo->image_width), static_cast<int>(cinfo->image_height));
    jpeg_destroy_decompress(cinfo);
    return true;
  }
  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
#else
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_XRGB;
#endif
  // The faster of libjpeg's ways (integer transform, colour planes doubled
  // without smoothing): a screen-sized backdrop decodes at every fullscreen
  // start, and the difference does not show in a picture.
  cinfo->dct_method = JDCT_IFAST;
  cinfo->do_fancy_upsampling = FALSE;
  // A progressive picture reads all its pixel data here already.
  job->readingPixels = true;
  jpeg_start_decompress(cinfo);

  job->image = QImage(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height),
                      QImage::Format_RGB32);
  if (job->image.isNull()) {
    std::snprintf(job->message, sizeof job->message, "Out of memory decoding JPEG");
    jpeg_destroy_decompress(cinfo);
    return false;
  }
  if (cmyk) job->cmykRow.resize(static_cast<std::size_t>(cinfo->output_width) * 4);
  while (cinfo->output_scanline < cinfo->output_height) {
    uchar* line = job->image.scanLine(static_cast<int>(cinfo->output_scanline));
    JSAMPROW row = cmyk ? job->cmykRow.data() : line;
    jpeg_read_scanlines(cinfo, &row, 1);
    if (cmyk) cmykToRgb(row, reinterpret_cast<QRgb*>(line), cinfo->output_width);
  }
  job->readingPixels = false;
  // Anything after the last scanline (a missing end marker, say) is no error.
  jpeg_abort_decompress(cinfo);
  jpeg_destroy_decompress(cinfo);
  return true;
}

const unsigned char kNothing = 0;

}  // namespace

Picture decodeJpeg(const unsigned char* data, std::size_t size) {
  JpegJob job;
  if (!runJpeg(&job, data == nullptr ? &kNothing : data, data == nullptr ? 0 : size, false)) {
    throw std::runtime_error(job.message);
  }
  Picture picture;
  picture.image = std::move(job.image);
  picture.kind = PictureKind::Jpeg;
  return picture;
}

std::optional<QSize> jpegHeaderSize(const unsigned char* data, std::size_t size) {
  JpegJob job;
  if (!runJpeg(&job, data == nullptr ? &kNothing : data, data == nullptr ? 0 : size, true)) {
    return std::nullopt;
  }
  return job.headerSize;
}

}  // namespace tavro
