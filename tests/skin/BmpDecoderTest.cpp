// Bitmap decoding: every depth, the compressions, row order, and bad files.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "PictureFiles.h"
#include "skin/Picture.h"

namespace tavro {
namespace {

using testing::BmpFile;
using testing::bottomUpRows;
using testing::Bytes;
using testing::makeBmp;

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

Picture decode(const Bytes& bytes) {
  return decodeBmp(bytes.data(), bytes.size());
}

// Checks a picture against rows of expected colours, top row first.
void expectPixels(const Picture& p, const std::vector<std::vector<QRgb>>& rows) {
  ASSERT_EQ(p.kind, PictureKind::Bitmap);
  ASSERT_EQ(p.image.height(), static_cast<int>(rows.size()));
  ASSERT_EQ(p.image.width(), static_cast<int>(rows[0].size()));
  for (int y = 0; y < p.image.height(); ++y) {
    for (int x = 0; x < p.image.width(); ++x) {
      EXPECT_EQ(p.image.pixel(x, y), rows[y][x]) << "at " << x << "," << y;
    }
  }
}

void expectInvalid(const Bytes& bytes) {
  try {
    decode(bytes);
    ADD_FAILURE() << "decoded a bad bitmap";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid");
  }
}

BmpFile truecolor24() {
  BmpFile f;
  f.width = 3;
  f.height = 2;
  f.pixels = bottomUpRows({{0, 0, 255, 0, 255, 0, 255, 0, 0}, {255, 255, 255, 0, 0, 0, 1, 2, 3}});
  return f;
}

TEST(BmpDecoder, PalettedDepths) {
  BmpFile one;
  one.width = 3;
  one.height = 2;
  one.bpp = 1;
  one.palette = {0xFF0000, 0x0000FF};
  one.pixels = bottomUpRows({{0b10100000}, {0b01000000}});
  const Picture mono = decode(makeBmp(one));
  expectPixels(mono, {{kBlue, kRed, kBlue}, {kRed, kBlue, kRed}});
  EXPECT_TRUE(mono.monochrome);

  BmpFile four;
  four.width = 3;
  four.height = 2;
  four.bpp = 4;
  four.palette.assign(16, 0);
  four.palette[1] = 0xFF0000;
  four.palette[2] = 0x00FF00;
  four.palette[15] = 0xFFFFFF;
  four.pixels = bottomUpRows({{0x12, 0xF0}, {0x0F, 0x10}});
  const Picture nibbles = decode(makeBmp(four));
  expectPixels(nibbles, {{kRed, kGreen, kWhite}, {kBlack, kWhite, kRed}});
  EXPECT_FALSE(nibbles.monochrome);

  BmpFile eight;
  eight.width = 3;
  eight.height = 1;
  eight.bpp = 8;
  eight.colorsUsed = 3;
  eight.palette = {0x0000FF, 0x00FF00, 0xFF0000};
  eight.pixels = bottomUpRows({{2, 0, 200}});  // 200 lies past the short palette
  expectPixels(decode(makeBmp(eight)), {{kRed, kBlue, kBlack}});
}

TEST(BmpDecoder, CoreHeaderWithThreeBytePalette) {
  BmpFile f;
  f.infoSize = 12;
  f.width = 2;
  f.height = 1;
  f.bpp = 8;
  f.palette.assign(256, 0);
  f.palette[1] = 0x00FF00;
  f.pixels = bottomUpRows({{1, 0}});
  expectPixels(decode(makeBmp(f)), {{kGreen, kBlack}});
}

TEST(BmpDecoder, SixteenBitsDefaultAndBitfields) {
  BmpFile rgb555;
  rgb555.width = 4;
  rgb555.height = 1;
  rgb555.bpp = 16;
  rgb555.pixels = bottomUpRows({{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42}});
  expectPixels(decode(makeBmp(rgb555)), {{kRed, kGreen, kBlue, qRgb(132, 132, 132)}});

  BmpFile rgb565 = rgb555;
  rgb565.compression = 3;
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  rgb565.pixels = bottomUpRows({{0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x20, 0x00}});
  // 0x0020 is the lowest green step of six bits: 255 / 63 rounds to 4.
  expectPixels(decode(makeBmp(rgb565)), {{kRed, kGreen, kBlue, qRgb(0, 4, 0)}});
}

TEST(BmpDecoder, TwentyFourAndThirtyTwoBits) {
  const Picture p = decode(makeBmp(truecolor24()));
  expectPixels(p, {{kRed, kGreen, kBlue}, {kWhite, kBlack, qRgb(3, 2, 1)}});
  EXPECT_EQ(p.image.format(), QImage::Format_RGB32);

  BmpFile plain;
  plain.width = 2;
  plain.height = 1;
  plain.bpp = 32;
  plain.pixels = {0, 0, 255, 0x80, 10, 20, 30, 0};  // the fourth byte is ignored
  expectPixels(decode(makeBmp(plain)), {{kRed, qRgb(30, 20, 10)}});

  BmpFile masked = plain;
  masked.compression = 3;
  masked.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the first byte
  expectPixels(decode(makeBmp(masked)), {{kBlue, qRgb(10, 20, 30)}});

  BmpFile v5 = masked;
  v5.infoSize = 124;
  expectPixels(decode(makeBmp(v5)), {{kBlue, qRgb(10, 20, 30)}});
}

// 24-bit rows of every width, the last one without its padding (allowed):
// read several bytes at a time, they must never reach past the data.
TEST(BmpDecoder, TwentyFourBitRowsOfEveryWidth) {
  for (int width = 1; width <= 9; ++width) {
    SCOPED_TRACE(width);
    std::vector<Bytes> rows(2);
    std::vector<std::vector<QRgb>> expected(2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < width; ++x) {
        const auto b = static_cast<unsigned char>(x * 20 + y);
        const auto g = static_cast<unsigned char>(255 - x);
        const auto r = static_cast<unsigned char>(x * 7 + 100 * y);
        rows[y].insert(rows[y].end(), {b, g, r});
        expected[y].push_back(qRgb(r, g, b));
      }
    }
    BmpFile f;
    f.width = width;
    f.height = 2;
    f.pixels = bottomUpRows(rows);
    Bytes bytes = makeBmp(f);
    bytes.resize(bytes.size() - (4 - width * 3 % 4) % 4);  // the top row's padding
    expectPixels(decode(bytes), expected);
  }
}

TEST(BmpDecoder, NegativeHeightMeansTopDownRows) {
  BmpFile f = truecolor24();
  f.height = -2;
  expectPixels(decode(makeBmp(f)), {{kWhite, kBlack, qRgb(3, 2, 1)}, {kRed, kGreen, kBlue}});
}

TEST(BmpDecoder, RunLengthEightBits) {
  BmpFile f;
  f.width = 5;
  f.height = 2;
  f.bpp = 8;
  f.compression = 1;
  f.colorsUsed = 3;
  f.palette = {0x000000, 0xFF0000, 0x00FF00};
  f.pixels = {2, 1,              // two of colour 1
              0, 3, 2, 0, 1, 0,  // three literal pixels, padded
              0, 0,              // end of line
              0, 2, 1, 0,        // move one right
              1, 2,              // one of colour 2
              7, 1,              // a run past the right edge is cut off
              0, 1};             // end of bitmap
  expectPixels(decode(makeBmp(f)),
               {{kBlack, kGreen, kRed, kRed, kRed}, {kRed, kRed, kGreen, kBlack, kRed}});
}

TEST(BmpDecoder, RunLengthFourBits) {
  BmpFile f;
  f.width = 5;
  f.height = 2;
  f.bpp = 4;
  f.compression = 2;
  f.palette.assign(16, 0);
  f.palette[1] = 0xFF0000;
  f.palette[2] = 0x00FF00;
  f.palette[3] = 0x0000FF;
  f.pixels = {5, 0x12,              // alternating 1 2 1 2 1
              0, 0,                 // end of line
              0, 3,    0x32, 0x10,  // literal 3 2 1, padded to a word
              0, 1};
  expectPixels(decode(makeBmp(f)),
               {{kBlue, kGreen, kRed, kBlack, kBlack}, {kRed, kGreen, kRed, kGreen, kRed}});
}

TEST(BmpDecoder, RunLengthEndingEarlyOrOverrunningIsInvalid) {
  BmpFile f;
  f.width = 4;
  f.height = 2;
  f.bpp = 8;
  f.compression = 1;
  f.palette = {0, 0xFFFFFF};
  f.colorsUsed = 2;
  f.pixels = {4, 1};  // first row only, then the data stops
  expectInvalid(makeBmp(f));
  f.pixels = {0, 9, 1, 1};  // a literal run longer than the data
  expectInvalid(makeBmp(f));
  f.pixels = {0, 2, 1};  // a delta without its offsets
  expectInvalid(makeBmp(f));
  // All rows written: a missing end-of-bitmap code is tolerated.
  f.pixels = {4, 1, 0, 0, 4, 1, 0, 0};
  expectPixels(decode(makeBmp(f)),
               {{kWhite, kWhite, kWhite, kWhite}, {kWhite, kWhite, kWhite, kWhite}});
  // A delta far beyond the picture is harmless.
  f.pixels = {0, 2, 255, 255, 4, 1, 0, 2, 255, 255, 0, 1};
  expectPixels(decode(makeBmp(f)),
               {{kBlack, kBlack, kBlack, kBlack}, {kBlack, kBlack, kBlack, kBlack}});
}

TEST(BmpDecoder, BadHeadersAreInvalid) {
  expectInvalid({});
  expectInvalid({'B', 'M'});
  expectInvalid(Bytes(200, 0x41));

  Bytes wrongMagic = makeBmp(truecolor24());
  wrongMagic[0] = 'P';
  expectInvalid(wrongMagic);

  auto with = [](auto change) {
    BmpFile f = truecolor24();
    change(f);
    return makeBmp(f);
  };
  expectInvalid(with([](BmpFile& f) { f.bpp = 7; }));
  expectInvalid(with([](BmpFile& f) { f.width = 0; }));
  expectInvalid(with([](BmpFile& f) { f.width = -3; }));
  expectInvalid(with([](BmpFile& f) { f.height = 0; }));
  expectInvalid(with([](BmpFile& f) { f.height = INT32_MIN; }));
  expectInvalid(with([](BmpFile& f) { f.compression = 1; }));  // RLE8 needs 8 bits
  expectInvalid(with([](BmpFile& f) { f.compression = 4; }));  // embedded JPEG
  expectInvalid(with([](BmpFile& f) { f.infoSize = 20; }));
  expectInvalid(with([](BmpFile& f) { f.infoSize = 1000; }));

  BmpFile rleTopDown;
  rleTopDown.width = 1;
  rleTopDown.height = -1;
  rleTopDown.bpp = 8;
  rleTopDown.compression = 1;
  rleTopDown.palette = {0};
  rleTopDown.colorsUsed = 1;
  rleTopDown.pixels = {1, 0, 0, 1};
  expectInvalid(makeBmp(rleTopDown));

  Bytes offsetPastEnd = makeBmp(truecolor24());
  offsetPastEnd[10] = 0xFF;
  offsetPastEnd[11] = 0xFF;
  expectInvalid(offsetPastEnd);

  Bytes shortPalette = makeBmp([] {
    BmpFile f;
    f.width = 1;
    f.height = 1;
    f.bpp = 8;
    f.colorsUsed = 200;
    return f;
  }());
  expectInvalid(shortPalette);
}

TEST(BmpDecoder, HugeSizesAreRefusedBeforeAllocating) {
  auto header = [](int32_t width, int32_t height) {
    BmpFile f;
    f.width = width;
    f.height = height;
    f.pixels = {0, 0, 0, 0};
    return makeBmp(f);
  };
  expectInvalid(header(16385, 1));
  expectInvalid(header(1, -16385));
  expectInvalid(header(10000, 10000));  // 100 Mpixels
  expectInvalid(header(INT32_MAX, INT32_MAX));
  // Within the limits but without its pixels.
  expectInvalid(header(16384, 4096));
}

TEST(BmpDecoder, EveryTruncationIsInvalid) {
  BmpFile f = truecolor24();
  f.width = 4;  // rows without padding, so every byte counts
  f.pixels = Bytes(24, 0x7F);
  const Bytes full = makeBmp(f);
  ASSERT_NO_THROW(decode(full));
  for (std::size_t length = 0; length < full.size(); ++length) {
    SCOPED_TRACE(length);
    expectInvalid(Bytes(full.begin(), full.begin() + static_cast<long>(length)));
  }
}

BmpFile rle4() {
  BmpFile rle;
  rle.width = 6;
  rle.height = 3;
  rle.bpp = 4;
  rle.compression = 2;
  rle.palette.assign(16, 0x123456);
  rle.pixels = {6, 0x12, 0, 0, 0, 4, 0x12, 0x34, 0, 2, 1, 1, 2, 0x55, 0, 1};
  return rle;
}

// The original with three bytes overwritten, `rounds` times over.
std::vector<Bytes> corrupted(const Bytes& original, int rounds) {
  std::vector<Bytes> out;
  uint32_t seed = 12345;
  for (int round = 0; round < rounds; ++round) {
    Bytes bytes = original;
    for (int flips = 0; flips < 3; ++flips) {
      seed = seed * 1103515245 + 12345;
      bytes[(seed >> 8) % bytes.size()] = static_cast<unsigned char>(seed >> 20);
    }
    out.push_back(std::move(bytes));
  }
  return out;
}

TEST(BmpDecoder, CorruptedBytesNeverCrash) {
  for (const Bytes& original : {makeBmp(truecolor24()), makeBmp(rle4())}) {
    for (const Bytes& bytes : corrupted(original, 3000)) {
      try {
        const Picture p = decode(bytes);
        EXPECT_FALSE(p.isNull());
      } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
      }
    }
  }
}

// The check made before decoding (manual pages) finds exactly what decoding
// would find: the same error for the same files, the size for the others.
TEST(BmpDecoder, TheCheckAgreesWithTheDecoder) {
  std::vector<Bytes> files;
  for (const Bytes& original : {makeBmp(truecolor24()), makeBmp(rle4())}) {
    for (std::size_t length = 0; length <= original.size(); ++length) {
      files.emplace_back(original.begin(), original.begin() + static_cast<long>(length));
    }
    for (Bytes& bytes : corrupted(original, 3000)) files.push_back(std::move(bytes));
  }
  int valid = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    const Bytes& bytes = files[i];
    std::string decodeError;
    std::string checkError;
    QSize decoded;
    QSize checked;
    try {
      decoded = decode(bytes).image.size();
    } catch (const std::runtime_error& e) {
      decodeError = e.what();
    }
    try {
      checked = checkBmp(bytes.data(), bytes.size());
    } catch (const std::runtime_error& e) {
      checkError = e.what();
    }
    EXPECT_EQ(checkError, decodeError);
    EXPECT_EQ(checked, decoded);
    valid += decodeError.empty() ? 1 : 0;
  }
  EXPECT_GT(valid, 100);  // the corruptions leave many files that still decode
}

}  // namespace
}  // namespace tavro
