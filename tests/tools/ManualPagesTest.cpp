// The eight manual pages: 415 x 270 bitmaps with text, and free corners for
// the viewer's buttons.

#include <gtest/gtest.h>

#include "DistFolder.h"

namespace tavro::assets_test {
namespace {

QImage page(int n) {
  const std::string dir = config().readString("Manual", "ManualDir", "Graphics\\Manual\\");
  const Picture p = loadPicture(distFile(dir, std::to_string(n) + ".bmp"));
  EXPECT_EQ(p.kind, PictureKind::Bitmap) << n;
  return p.image.convertToFormat(QImage::Format_RGB32);
}

bool uniform(const QImage& image, const QRect& area) {
  const QRgb first = image.pixel(area.topLeft());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) != first) return false;
    }
  }
  return true;
}

class ManualPage : public testing::TestWithParam<int> {};

TEST_P(ManualPage, IsAFullPageWithFreeButtonCorners) {
  const QImage image = page(GetParam());
  ASSERT_EQ(image.size(), QSize(415, 270));
  // where the viewer's 16 x 14 buttons sit, 4 pixels in from the edges
  EXPECT_TRUE(uniform(image, QRect(0, 246, 24, 24))) << "bottom-left";
  EXPECT_TRUE(uniform(image, QRect(391, 246, 24, 24))) << "bottom-right";
  EXPECT_TRUE(uniform(image, QRect(391, 0, 24, 24))) << "top-right";
  // printed: a good share of the page differs from the paper
  const QRgb paper = image.pixel(0, 0);
  int ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ink += image.pixel(x, y) != paper;
  }
  EXPECT_GT(ink, 415 * 270 / 20);
}

INSTANTIATE_TEST_SUITE_P(Pages, ManualPage, testing::Range(1, 9));

TEST(ManualPages, AreAllDifferent) {
  for (int a = 1; a <= 8; ++a) {
    for (int b = a + 1; b <= 8; ++b) EXPECT_NE(page(a), page(b)) << a << " " << b;
  }
}

}  // namespace
}  // namespace tavro::assets_test
