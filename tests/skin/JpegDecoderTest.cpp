// JPEG decoding: colour and grey pictures, damaged and oversized files.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "PictureFiles.h"
#include "skin/Picture.h"

namespace tavro {
namespace {

using testing::Bytes;

Bytes saveJpeg(const QImage& image, bool progressive = false) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "JPG");
  writer.setQuality(100);
  writer.setProgressiveScanWrite(progressive);
  writer.write(image);
  return Bytes(data.begin(), data.end());
}

Bytes quadrants(bool progressive = false) {
  QImage image(16, 16, QImage::Format_RGB32);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const QRgb colors[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                              qRgb(255, 255, 255)};
      image.setPixel(x, y, colors[(y / 8) * 2 + x / 8]);
    }
  }
  return saveJpeg(image, progressive);
}

// A picture whose file is mostly pixel data, not tables.
Bytes noise(bool progressive = false) {
  QImage image(64, 64, QImage::Format_RGB32);
  uint32_t seed = 7;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      seed = seed * 1103515245 + 12345;
      image.setPixel(x, y, seed >> 8);
    }
  }
  return saveJpeg(image, progressive);
}

Picture decode(const Bytes& bytes) {
  return decodeJpeg(bytes.data(), bytes.size());
}

std::string errorOf(const Bytes& bytes) {
  try {
    decode(bytes);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

void expectNear(QRgb actual, QRgb expected) {
  EXPECT_LE(std::abs(qRed(actual) - qRed(expected)), 12);
  EXPECT_LE(std::abs(qGreen(actual) - qGreen(expected)), 12);
  EXPECT_LE(std::abs(qBlue(actual) - qBlue(expected)), 12);
  EXPECT_EQ(qAlpha(actual), 255);
}

void expectQuadrants(const Picture& p) {
  EXPECT_EQ(p.kind, PictureKind::Jpeg);
  EXPECT_EQ(p.image.format(), QImage::Format_RGB32);
  ASSERT_EQ(p.image.size(), QSize(16, 16));
  expectNear(p.image.pixel(3, 3), qRgb(255, 0, 0));
  expectNear(p.image.pixel(12, 3), qRgb(0, 255, 0));
  expectNear(p.image.pixel(3, 12), qRgb(0, 0, 255));
  expectNear(p.image.pixel(12, 12), qRgb(255, 255, 255));
}

TEST(JpegDecoder, ColourPictureBaselineAndProgressive) {
  for (const bool progressive : {false, true}) {
    SCOPED_TRACE(progressive);
    const Bytes file = quadrants(progressive);
    const unsigned char progressiveFrame[] = {0xFF, 0xC2};
    ASSERT_EQ(
        std::search(file.begin(), file.end(), progressiveFrame, progressiveFrame + 2) != file.end(),
        progressive);
    expectQuadrants(decode(file));
  }
}

TEST(JpegDecoder, GreyPicture) {
  QImage grey(9, 5, QImage::Format_Grayscale8);
  grey.fill(100);
  const Picture p = decode(saveJpeg(grey));
  ASSERT_EQ(p.image.size(), QSize(9, 5));
  expectNear(p.image.pixel(8, 4), qRgb(100, 100, 100));
}

TEST(JpegDecoder, GarbageGivesLibjpegsMessage) {
  EXPECT_FALSE(errorOf({}).empty());
  EXPECT_EQ(errorOf(Bytes(100, 'A')).rfind("Not a JPEG file", 0), 0u) << errorOf(Bytes(100, 'A'));
  EXPECT_THROW(decodeJpeg(nullptr, 10), std::runtime_error);
}

TEST(JpegDecoder, TruncatedFilesFailButAMissingEndMarkerIsTolerated) {
  const Bytes full = noise();
  for (std::size_t length = 0; length < full.size() - 2; length += 7) {
    SCOPED_TRACE(length);
    EXPECT_FALSE(errorOf(Bytes(full.begin(), full.begin() + static_cast<long>(length))).empty());
  }
  for (const std::size_t length : {full.size() / 2, full.size() - 3}) {
    EXPECT_EQ(errorOf(Bytes(full.begin(), full.begin() + static_cast<long>(length))),
              "Premature end of JPEG file");
  }
  const Bytes withoutEnd(full.begin(), full.end() - 2);
  EXPECT_EQ(decode(withoutEnd).image, decode(full).image);

  const Bytes progressive = noise(true);
  EXPECT_EQ(errorOf(Bytes(progressive.begin(), progressive.begin() + progressive.size() / 2)),
            "Premature end of JPEG file");
}

TEST(JpegDecoder, HugeSizesAreRefused) {
  const Bytes small = quadrants();
  std::size_t frame = 0;
  for (std::size_t i = 0; i + 1 < small.size(); ++i) {
    if (small[i] == 0xFF && small[i + 1] == 0xC0) {
      frame = i;
      break;
    }
  }
  ASSERT_NE(frame, 0u);
  for (auto [width, height] : {std::pair<int, int>{20000, 8}, {8, 20000}, {10000, 10000}}) {
    Bytes huge = small;
    huge[frame + 5] = static_cast<unsigned char>(height >> 8);
    huge[frame + 6] = static_cast<unsigned char>(height);
    huge[frame + 7] = static_cast<unsigned char>(width >> 8);
    huge[frame + 8] = static_cast<unsigned char>(width);
    EXPECT_EQ(errorOf(huge), "JPEG image is too large") << width << " x " << height;
  }
}

TEST(JpegDecoder, CorruptedBytesNeverCrash) {
  const Bytes original = quadrants();
  uint32_t seed = 99;
  for (int round = 0; round < 500; ++round) {
    Bytes bytes = original;
    for (int flips = 0; flips < 4; ++flips) {
      seed = seed * 1103515245 + 12345;
      bytes[(seed >> 8) % bytes.size()] = static_cast<unsigned char>(seed >> 20);
    }
    try {
      EXPECT_FALSE(decode(bytes).isNull());
    } catch (const std::runtime_error& e) {
      EXPECT_STRNE(e.what(), "");
    }
  }
}

}  // namespace
}  // namespace tavro
