// Gfx_Load_Manual against a recording target: the order of its steps, the
// Manual section's values and bad values.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "skin/ManualLoader.h"

namespace tavro {
namespace {

class RecordingTarget : public ManualTarget {
 public:
  void setClientHeight(int h) override { steps.push_back("height " + std::to_string(h)); }
  void setClientWidth(int w) override { steps.push_back("width " + std::to_string(w)); }
  void placePageTop(int w, int h) override {
    steps.push_back("top " + std::to_string(w) + "x" + std::to_string(h));
  }
  void setPage(int n, Picture p) override {
    steps.push_back("page " + std::to_string(n));
    pages[n] = p;
  }
  void sizePage(int n, int w, int h) override {
    steps.push_back("size " + std::to_string(n) + " " + std::to_string(w) + "x" +
                    std::to_string(h));
  }
  std::vector<std::string> steps;
  Picture pages[kManualPageCount + 1];
};

class ManualLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
  }
  void TearDown() override { QDir::setCurrent(previous_); }
  std::string config(const QByteArray& text) {
    QFile f(dir_.filePath("Config.ini"));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return dir_.filePath("Config.ini").toStdString();
  }
  QTemporaryDir dir_;
  QString previous_;
};

TEST_F(ManualLoaderTest, SizesFirstThenLoadsEveryPageInOrder) {
  RecordingTarget target;
  Gfx_Load_Manual(target, config("[manual]\nmanualwidth=600\nMANUALHEIGHT=$190\n"));
  ASSERT_EQ(target.steps.size(), 3u + 2 * kManualPageCount);
  EXPECT_EQ(target.steps[0], "height 400");
  EXPECT_EQ(target.steps[1], "width 600");
  EXPECT_EQ(target.steps[2], "top 600x400");
  EXPECT_EQ(target.steps[3], "page 1");
  EXPECT_EQ(target.steps[4], "size 1 600x400");
  EXPECT_EQ(target.steps.back(), "size 8 600x400");
}

TEST_F(ManualLoaderTest, MissingFileAndInvalidNumbersGiveDefaults) {
  RecordingTarget target;
  Gfx_Load_Manual(target, dir_.filePath("nowhere/Config.ini").toStdString());
  EXPECT_EQ(target.steps[0], "height 270");
  EXPECT_EQ(target.steps[1], "width 415");

  RecordingTarget garbled;
  Gfx_Load_Manual(garbled, config("[Manual]\nManualWidth=wide\nManualHeight=\n"));
  EXPECT_EQ(garbled.steps[0], "height 270");
  EXPECT_EQ(garbled.steps[1], "width 415");
}

TEST_F(ManualLoaderTest, AbsurdSizesAreBroughtIntoRange) {
  RecordingTarget target;
  Gfx_Load_Manual(target, config("[Manual]\nManualWidth=-5\nManualHeight=2000000000\n"));
  EXPECT_EQ(target.steps[0], "height " + std::to_string(kManualMaxSize));
  EXPECT_EQ(target.steps[1], "width " + std::to_string(kManualMinSize));
}

TEST_F(ManualLoaderTest, PagesComeFromTheFolderOrBecomeMarkers) {
  QDir().mkpath("Book/Pages");
  QImage page(30, 20, QImage::Format_RGB32);
  page.fill(Qt::blue);
  ASSERT_TRUE(page.save("Book/Pages/2.bmp", "BMP"));
  RecordingTarget target;
  Gfx_Load_Manual(target, config("[Manual]\nManualDir=Book\\Pages\n"));
  EXPECT_EQ(target.pages[2].kind, PictureKind::Bitmap);
  EXPECT_EQ(target.pages[2].image.size(), QSize(30, 20));
  EXPECT_EQ(QColor(target.pages[2].image.pixel(3, 3)), QColor(Qt::blue));
  const Picture marker = missingImageMarker();
  for (int n : {1, 3, 8}) {
    EXPECT_EQ(target.pages[n].image, marker.image) << n;
  }
}

TEST_F(ManualLoaderTest, InvalidBitmapThrowsAndLeavesTheRestUnloaded) {
  QDir().mkpath("Graphics/Manual");
  QFile bad("Graphics/Manual/2.bmp");
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("BM garbage");
  bad.close();
  RecordingTarget target;
  try {
    Gfx_Load_Manual(target, config(""));
    FAIL() << "no error";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid");
  }
  EXPECT_EQ(target.steps.back(), "size 1 415x270");
}

}  // namespace
}  // namespace tavro
