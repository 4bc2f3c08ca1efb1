// Loading picture files by extension, the errors of unreadable files, the
// transparent colour and the missing-image marker.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <stdexcept>

#include "PictureFiles.h"
#include "skin/Picture.h"

namespace tavro {
namespace {

using testing::BmpFile;
using testing::Bytes;
using testing::makeBmp;

std::string errorOf(const std::string& path) {
  try {
    loadPicture(path);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

Bytes tinyBmp(int bpp) {
  BmpFile f;
  f.width = 2;
  f.height = 2;
  f.bpp = bpp;
  if (bpp == 1) {
    f.palette = {0x000000, 0xFFFFFF};
    f.pixels = testing::bottomUpRows({{0b10000000}, {0b01000000}});
  } else {
    // Top row blue, green; bottom row red, black.
    f.pixels = testing::bottomUpRows({{255, 0, 0, 0, 255, 0}, {0, 0, 255, 0, 0, 0}});
  }
  return makeBmp(f);
}

class PictureFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  std::string write(const QString& name, const Bytes& bytes) {
    const std::string path = dir_.filePath(name).toStdString();
    testing::writeFile(path, bytes);
    return path;
  }
  QTemporaryDir dir_;
};

TEST_F(PictureFileTest, DecoderIsChosenByExtensionWithoutRegardToCase) {
  const Bytes bmp = tinyBmp(24);
  EXPECT_EQ(loadPicture(write("a.bmp", bmp)).kind, PictureKind::Bitmap);
  EXPECT_EQ(loadPicture(write("b.BMP", bmp)).kind, PictureKind::Bitmap);
  // The extension decides, not the content: a bitmap named .png is a bad PNG.
  EXPECT_EQ(errorOf(write("c.Png", bmp)), "Not a PNG file");
  EXPECT_EQ(errorOf(write("d.JpEg", bmp)).rfind("Not a JPEG file", 0), 0u);
  EXPECT_EQ(errorOf(write("e.jpg", bmp)).rfind("Not a JPEG file", 0), 0u);
}

TEST_F(PictureFileTest, UnknownExtensionsNameTheExtensionAsWritten) {
  const Bytes bmp = tinyBmp(24);
  EXPECT_EQ(errorOf(write("a.GIF", bmp)), "Unknown picture file extension (.GIF)");
  EXPECT_EQ(errorOf(write("noextension", bmp)), "Unknown picture file extension (.)");
  EXPECT_EQ(errorOf(write("trailingdot.", bmp)), "Unknown picture file extension (.)");
  EXPECT_EQ(errorOf(write("double.bmp.txt", bmp)), "Unknown picture file extension (.txt)");
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.v2"));
  EXPECT_EQ(errorOf(write("folder.v2/plain", bmp)), "Unknown picture file extension (.)");
  // The extension is checked before the file is opened.
  EXPECT_EQ(errorOf("/no/such/file.ico"), "Unknown picture file extension (.ico)");
}

TEST_F(PictureFileTest, UnreadableFilesNameTheFile) {
  const std::string missing = dir_.filePath("absent.bmp").toStdString();
  const std::string error = errorOf(missing);
  EXPECT_NE(error.find(missing), std::string::npos) << error;
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.png"));
  const std::string folder = dir_.filePath("folder.png").toStdString();
  EXPECT_NE(errorOf(folder).find(folder), std::string::npos);
  EXPECT_EQ(errorOf(write("empty.bmp", {})), "Bitmap image is not valid");
}

TEST(Picture, TransparentColourIsTheBottomLeftPixelOrWhite) {
  const Bytes colour = tinyBmp(24);
  const Picture p = decodeBmp(colour.data(), colour.size());
  EXPECT_EQ(p.image.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(p.transparentColor(), qRgb(255, 0, 0));

  // Monochrome: white, even though the bottom-left pixel is black.
  const Bytes mono = tinyBmp(1);
  const Picture m = decodeBmp(mono.data(), mono.size());
  ASSERT_TRUE(m.monochrome);
  EXPECT_EQ(m.image.pixel(0, 1), qRgb(0, 0, 0));
  EXPECT_EQ(m.transparentColor(), qRgb(255, 255, 255));
}

TEST(Picture, MissingImageMarkerIsARedSquareInABlackBorder) {
  const Picture marker = missingImageMarker();
  EXPECT_EQ(marker.kind, PictureKind::Bitmap);
  EXPECT_FALSE(marker.monochrome);
  ASSERT_EQ(marker.image.size(), QSize(10, 10));
  int red = 0;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool border = x == 0 || y == 0 || x == 9 || y == 9;
      EXPECT_EQ(marker.image.pixel(x, y), border ? qRgb(0, 0, 0) : qRgb(255, 0, 0))
          << x << "," << y;
      red += border ? 0 : 1;
    }
  }
  EXPECT_EQ(red, 64);
  // Drawn transparent, the black border is keyed out.
  EXPECT_EQ(marker.transparentColor(), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace tavro
