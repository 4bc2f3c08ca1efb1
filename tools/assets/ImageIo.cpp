#include "ImageIo.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csetjmp>
#include <stdexcept>
#include <vector>

#include <png.h>

namespace tavro::assets {

namespace {

void put16(QByteArray& out, int v) {
  out.append(char(v & 0xFF));
  out.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

QString hiResName(const QString& fileName) {
  const int dot = fileName.lastIndexOf('.');
  return dot < 0 ? fileName + "@2x" : fileName.left(dot) + "@2x" + fileName.mid(dot);
}

QImage transparentCanvas(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

QByteArray bmp24Bytes(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const int w = image.width();
  const int h = image.height();
  const int stride = (w * 3 + 3) & ~3;
  const quint32 pixelBytes = quint32(stride) * quint32(h);
  QByteArray out;
  out.reserve(int(54 + pixelBytes));
  out.append("BM");
  put32(out, 54 + pixelBytes);
  put32(out, 0);
  put32(out, 54);
  put32(out, 40);  // BITMAPINFOHEADER
  put32(out, quint32(w));
  put32(out, quint32(h));  // positive: bottom-up
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);  // BI_RGB
  put32(out, pixelBytes);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      out.append(char(qBlue(line[x])));
      out.append(char(qGreen(line[x])));
      out.append(char(qRed(line[x])));
    }
    for (int pad = w * 3; pad < stride; ++pad) out.append('\0');
  }
  return out;
}

// Rows are stored without a PNG filter: the pictures are small and flat, so
// they compress as well, and the program decodes them without undoing a
// filter at every byte (a third of the decoding's work at start-up).
QByteArray pngBytes(const QImage& image, int deflateLevel) {
  const bool alpha = image.hasAlphaChannel();
  const QImage in = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  const int channels = alpha ? 4 : 3;
  std::vector<unsigned char> rows(static_cast<std::size_t>(in.width()) * channels * in.height());
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < in.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(in.constScanLine(y));
    unsigned char* out = rows.data() + static_cast<std::size_t>(y) * in.width() * channels;
    rowPointers.push_back(out);
    for (int x = 0; x < in.width(); ++x) {
      *out++ = static_cast<unsigned char>(qRed(line[x]));
      *out++ = static_cast<unsigned char>(qGreen(line[x]));
      *out++ = static_cast<unsigned char>(qBlue(line[x]));
      if (alpha) *out++ = static_cast<unsigned char>(qAlpha(line[x]));
    }
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("PNG encoding failed");
  }
  QByteArray bytes;
  png_set_write_fn(
      png, &bytes,
      [](png_structp p, png_bytep data, png_size_t length) {
        static_cast<QByteArray*>(png_get_io_ptr(p))
            ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
      },
      nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(in.width()),
               static_cast<png_uint_32>(in.height()), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, deflateLevel);
  png_write_info(png, info);
  png_write_image(png, rowPointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    throw std::runtime_error("cannot write " + path.toStdString());
  }
}

void writeBmp24(const QString& path, const QImage& image) {
  writeFile(path, bmp24Bytes(image));
}

void writePng(const QString& path, const QImage& image) {
  writeFile(path, pngBytes(image, 0));
}

void writeJpeg(const QString& path, const QImage& image, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG", quality)) {
    throw std::runtime_error("JPEG encoding failed");
  }
  writeFile(path, bytes);
}

QRect opaqueBounds(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(line[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage flattenOnKey(const QImage& source, const QColor& key) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  QImage out(image.size(), QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      line[x] = qAlpha(in[x]) >= 128 ? (in[x] | 0xFF000000u) : key.rgb();
    }
  }
  return out;
}

}  // namespace tavro::assets
