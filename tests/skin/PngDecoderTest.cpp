// PNG decoding: colour types, depths, transparency, interlacing and bad files.

#include <gtest/gtest.h>
#include <png.h>

#include <QBuffer>
#include <stdexcept>

#include "PictureFiles.h"
#include "skin/Picture.h"

namespace tavro {
namespace {

using testing::Bytes;
using testing::makePng;
using testing::PngFile;

Picture decode(const Bytes& bytes) {
  return decodePng(bytes.data(), bytes.size());
}

std::string errorOf(const Bytes& bytes) {
  try {
    decode(bytes);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

PngFile rgb(int width, int height) {
  PngFile f;
  f.width = width;
  f.height = height;
  f.colorType = PNG_COLOR_TYPE_RGB;
  for (int y = 0; y < height; ++y) {
    Bytes row;
    for (int x = 0; x < width; ++x) {
      row.insert(row.end(), {static_cast<unsigned char>(x * 40), static_cast<unsigned char>(y * 40),
                             static_cast<unsigned char>(x + y)});
    }
    f.rows.push_back(row);
  }
  return f;
}

// Pixels are put in memory order several at a time: every width comes out
// exactly, with and without alpha.
TEST(PngDecoder, RowsOfEveryWidth) {
  for (int width = 1; width <= 9; ++width) {
    SCOPED_TRACE(width);
    const Picture opaque = decode(makePng(rgb(width, 2)));
    PngFile rgba;
    rgba.width = width;
    rgba.colorType = PNG_COLOR_TYPE_RGBA;
    rgba.rows.emplace_back();
    for (int x = 0; x < width; ++x) {
      const auto v = static_cast<unsigned char>(x * 25);
      rgba.rows[0].insert(rgba.rows[0].end(), {v, 7, static_cast<unsigned char>(255 - v), 200});
    }
    const Picture translucent = decode(makePng(rgba));
    for (int x = 0; x < width; ++x) {
      EXPECT_EQ(opaque.image.pixel(x, 1), qRgb(x * 40, 40, x + 1)) << x;
      EXPECT_EQ(translucent.image.pixel(x, 0), qRgba(x * 25, 7, 255 - x * 25, 200)) << x;
    }
  }
}

// A file's checksums are checked; a built-in picture, part of the program,
// is decoded without checking them.
TEST(PngDecoder, FileChecksumsAreCheckedBuiltInOnesTrusted) {
  Bytes png = makePng(rgb(4, 4));
  // The IDAT chunk's CRC: the 4 bytes before the IEND chunk (12 bytes).
  png[png.size() - 13] ^= 0x5A;
  EXPECT_FALSE(errorOf(png).empty());
  const Picture trusted = decodePng(png.data(), png.size(), PngChecksums::Trust);
  EXPECT_EQ(trusted.image.pixel(2, 3), qRgb(80, 120, 5));
}

TEST(PngDecoder, TrueColourWithAndWithoutAlpha) {
  PngFile rgba;
  rgba.width = 2;
  rgba.colorType = PNG_COLOR_TYPE_RGBA;
  rgba.rows = {{255, 0, 0, 255, 0, 0, 255, 128}};
  const Picture withAlpha = decode(makePng(rgba));
  EXPECT_EQ(withAlpha.kind, PictureKind::Png);
  EXPECT_EQ(withAlpha.image.format(), QImage::Format_ARGB32);
  EXPECT_EQ(withAlpha.image.pixel(0, 0), qRgba(255, 0, 0, 255));
  EXPECT_EQ(withAlpha.image.pixel(1, 0), qRgba(0, 0, 255, 128));

  const Picture opaque = decode(makePng(rgb(3, 2)));
  EXPECT_EQ(opaque.image.format(), QImage::Format_RGB32);
  EXPECT_EQ(opaque.image.pixel(2, 1), qRgb(80, 40, 3));
  EXPECT_FALSE(opaque.monochrome);

  PngFile deep;
  deep.width = 1;
  deep.colorType = PNG_COLOR_TYPE_RGBA;
  deep.bitDepth = 16;
  deep.rows = {{0xFF, 0xFF, 0x00, 0x00, 0x80, 0x80, 0x80, 0x00}};
  EXPECT_EQ(decode(makePng(deep)).image.pixel(0, 0), qRgba(255, 0, 128, 128));
}

TEST(PngDecoder, PaletteWithTransparencyEntries) {
  PngFile f;
  f.width = 3;
  f.colorType = PNG_COLOR_TYPE_PALETTE;
  f.bitDepth = 2;
  f.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  f.transparency = {255, 0};  // entry 1 invisible, entry 2 without an alpha: opaque
  f.rows = {{0b00011000}};
  const Picture p = decode(makePng(f));
  EXPECT_EQ(p.image.format(), QImage::Format_ARGB32);
  EXPECT_EQ(p.image.pixel(0, 0), qRgba(255, 0, 0, 255));
  EXPECT_EQ(qAlpha(p.image.pixel(1, 0)), 0);
  EXPECT_EQ(p.image.pixel(2, 0), qRgba(0, 0, 255, 255));
}

TEST(PngDecoder, GreyDepthsAndGreyTransparency) {
  PngFile grey16;
  grey16.width = 2;
  grey16.colorType = PNG_COLOR_TYPE_GRAY;
  grey16.bitDepth = 16;
  grey16.rows = {{0x80, 0x80, 0xFF, 0xFF}};
  const Picture deep = decode(makePng(grey16));
  EXPECT_EQ(deep.image.format(), QImage::Format_RGB32);
  EXPECT_EQ(deep.image.pixel(0, 0), qRgb(128, 128, 128));
  EXPECT_EQ(deep.image.pixel(1, 0), qRgb(255, 255, 255));

  PngFile greyAlpha;
  greyAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  greyAlpha.rows = {{100, 50}};
  EXPECT_EQ(decode(makePng(greyAlpha)).image.pixel(0, 0), qRgba(100, 100, 100, 50));

  PngFile keyed;
  keyed.width = 2;
  keyed.colorType = PNG_COLOR_TYPE_GRAY;
  keyed.bitDepth = 1;
  keyed.transparentGrey = 1;
  keyed.rows = {{0b10000000}};
  const Picture p = decode(makePng(keyed));
  EXPECT_EQ(p.image.format(), QImage::Format_ARGB32);
  EXPECT_EQ(qAlpha(p.image.pixel(0, 0)), 0);
  EXPECT_EQ(p.image.pixel(1, 0), qRgba(0, 0, 0, 255));
}

TEST(PngDecoder, InterlacedMatchesPlain) {
  PngFile f = rgb(9, 7);
  const QImage plain = decode(makePng(f)).image;
  f.interlaced = true;
  EXPECT_EQ(decode(makePng(f)).image, plain);
}

TEST(PngDecoder, ReadsWhatQtWrites) {
  QImage source(4, 3, QImage::Format_ARGB32);
  source.fill(qRgba(10, 200, 30, 255));
  source.setPixel(3, 2, qRgba(0, 0, 0, 0));
  source.setPixel(0, 0, qRgba(250, 0, 5, 255));
  QByteArray data;
  QBuffer buffer(&data);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
  ASSERT_TRUE(source.save(&buffer, "PNG"));
  const Picture p = decodePng(reinterpret_cast<const unsigned char*>(data.constData()),
                              static_cast<std::size_t>(data.size()));
  EXPECT_EQ(p.image.pixel(0, 0), qRgba(250, 0, 5, 255));
  EXPECT_EQ(p.image.pixel(1, 1), qRgba(10, 200, 30, 255));
  EXPECT_EQ(qAlpha(p.image.pixel(3, 2)), 0);
}

TEST(PngDecoder, GarbageAndDamagedFilesGiveLibpngsMessage) {
  EXPECT_FALSE(errorOf({}).empty());
  EXPECT_EQ(errorOf(Bytes(200, 'A')), "Not a PNG file");

  Bytes badCrc = makePng(rgb(2, 2));
  badCrc[29] ^= 0xFF;  // the IHDR checksum
  EXPECT_NE(errorOf(badCrc).find("CRC"), std::string::npos) << errorOf(badCrc);

  EXPECT_THROW(decodePng(nullptr, 100), std::runtime_error);
}

TEST(PngDecoder, EveryTruncationBeforeTheEndChunkFails) {
  const Bytes full = makePng(rgb(16, 16));
  const std::size_t endChunk = full.size() - 12;  // IEND: length, type, checksum
  for (std::size_t length = 0; length < endChunk; ++length) {
    SCOPED_TRACE(length);
    EXPECT_FALSE(errorOf(Bytes(full.begin(), full.begin() + static_cast<long>(length))).empty());
  }
  // Only the end chunk missing: the picture is complete and shown.
  EXPECT_EQ(decode(Bytes(full.begin(), full.begin() + static_cast<long>(endChunk))).image,
            decode(full).image);
}

TEST(PngDecoder, HugeSizesAreRefused) {
  const Bytes small = makePng(rgb(1, 1));
  for (auto [width, height] : {std::pair<uint32_t, uint32_t>{20000, 1},
                               {1, 20000},
                               {10000, 10000},
                               {0x7FFFFFFF, 0x7FFFFFFF}}) {
    Bytes huge = small;
    testing::patchPngSize(huge, width, height);
    EXPECT_FALSE(errorOf(huge).empty()) << width << " x " << height;
  }
  Bytes tooManyPixels = small;
  testing::patchPngSize(tooManyPixels, 10000, 10000);
  EXPECT_EQ(errorOf(tooManyPixels), "PNG image is too large");
}

TEST(PngDecoder, BuiltinBlobsArePngs) {
  const Bytes png = makePng(rgb(2, 2));
  const Picture p = decodeBuiltin(builtin::Blob{png.data(), png.size()});
  EXPECT_EQ(p.kind, PictureKind::Png);
  EXPECT_EQ(p.image.size(), QSize(2, 2));
  EXPECT_THROW(decodeBuiltin(builtin::Blob{}), std::runtime_error);
}

}  // namespace
}  // namespace tavro
