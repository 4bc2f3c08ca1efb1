// The handheld's body and button pictures: the window's outline comes from
// the exact key colour, and the button pictures line up with the body.

#include <gtest/gtest.h>

#include <QPainter>
#include <vector>

#include "DistFolder.h"

namespace tavro::assets_test {
namespace {

constexpr QRgb kKey = 0xFF00FF;

bool isKey(QRgb c) {
  return (c & 0xFFFFFFu) == kKey;
}

QImage body() {
  return skinPicture(1).image.convertToFormat(QImage::Format_RGB32);
}

TEST(BodyPicture, FillsTheGameAreaWithTheKeyColourAsItsTransparentColour) {
  const Picture p = skinPicture(1);
  EXPECT_EQ(p.image.size(), QSize(561, 374));
  EXPECT_EQ(p.transparentColor() & 0xFFFFFFu, kKey);
  const IniFile& ini = config();
  EXPECT_EQ(parseIniInteger(ini.readString("VideoMode", "TranspColor", "")), 0x00ff00ff);
}

TEST(BodyPicture, OutsideIsExactlyTheKeyAndTheShellHasNoKeyColouredHoles) {
  const QImage image = body();
  const int w = image.width(), h = image.height();
  // every edge pixel of the picture lies outside the shell
  for (int x = 0; x < w; ++x) {
    ASSERT_TRUE(isKey(image.pixel(x, 0)) && isKey(image.pixel(x, h - 1))) << x;
  }
  for (int y = 0; y < h; ++y) {
    ASSERT_TRUE(isKey(image.pixel(0, y)) && isKey(image.pixel(w - 1, y))) << y;
  }
  // flood the outside from the edges: every key pixel must be reached, so no
  // key-coloured pixel lies inside the shell where it would punch a hole
  std::vector<char> outside(size_t(w) * h, 0);
  std::vector<QPoint> stack{{0, 0}};
  outside[0] = 1;
  while (!stack.empty()) {
    const QPoint p = stack.back();
    stack.pop_back();
    for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
      const QPoint q = p + d;
      if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h) continue;
      char& seen = outside[size_t(q.y()) * w + q.x()];
      if (seen || !isKey(image.pixel(q))) continue;
      seen = 1;
      stack.push_back(q);
    }
  }
  int inside = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (outside[size_t(y) * w + x]) continue;
      ASSERT_FALSE(isKey(image.pixel(x, y))) << "key colour inside the shell at " << x << "," << y;
      ++inside;
    }
  }
  EXPECT_GT(inside, w * h * 3 / 4);  // a body, not a sliver
  EXPECT_FALSE(isKey(image.pixel(w / 2, h / 2)));
}

TEST(BodyPicture, EdgeOfTheShellHasNoMagentaFringe) {
  const QImage image = body();
  for (int y = 1; y < image.height() - 1; ++y) {
    for (int x = 1; x < image.width() - 1; ++x) {
      const QRgb c = image.pixel(x, y);
      if (isKey(c)) continue;
      const bool nearOutside = isKey(image.pixel(x - 1, y)) || isKey(image.pixel(x + 1, y)) ||
                               isKey(image.pixel(x, y - 1)) || isKey(image.pixel(x, y + 1));
      if (!nearOutside) continue;
      const bool magentaish = qRed(c) > 150 && qBlue(c) > 150 && qGreen(c) < 100;
      ASSERT_FALSE(magentaish) << "fringe at " << x << "," << y;
    }
  }
}

TEST(ButtonPictures, PressedPicturesBlendIntoTheBodyAndShowAPushedCap) {
  const QImage image = body();
  for (int n : {3, 5, 7, 10, 12}) {
    const QImage down = skinPicture(n).image.convertToFormat(QImage::Format_RGB32);
    const QRect r = imageRect(n);
    ASSERT_EQ(down.size(), r.size()) << section(n);
    // the frame of the pressed picture is the body's own colour: no visible box
    for (int x = 0; x < r.width(); ++x) {
      for (int y : {0, r.height() - 1}) {
        ASSERT_EQ(down.pixel(x, y), image.pixel(r.left() + x, r.top() + y)) << section(n);
      }
    }
    for (int y = 0; y < r.height(); ++y) {
      for (int x : {0, r.width() - 1}) {
        ASSERT_EQ(down.pixel(x, y), image.pixel(r.left() + x, r.top() + y)) << section(n);
      }
    }
    // the cap looks different when pushed in
    int changed = 0;
    for (int y = 0; y < r.height(); ++y) {
      for (int x = 0; x < r.width(); ++x) {
        changed += down.pixel(x, y) != image.pixel(r.left() + x, r.top() + y);
      }
    }
    EXPECT_GT(changed, r.width() * r.height() / 4) << section(n);
  }
}

TEST(ButtonPictures, TopPicturesCoverTheirPressedPictureAndAreSeeThroughOverTheCap) {
  for (int n : {3, 5, 7, 10, 12}) {
    const int top = n + 1;
    EXPECT_EQ(imageRect(top), imageRect(n)) << section(top);
    const QImage image = preparedSkinImage(top);
    const QPoint centre(image.width() / 2, image.height() / 2);
    EXPECT_EQ(image.pixelColor(centre).alpha(), 0) << section(top);
    int visible = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) visible += image.pixelColor(x, y).alpha() > 0;
    }
    EXPECT_GT(visible, 0) << "the rim of " << section(top);
    EXPECT_LT(visible, image.width() * image.height() / 2) << section(top);
  }
  // the set button is a small whole picture of its own
  const QImage set = preparedSkinImage(9);
  EXPECT_EQ(set.pixelColor(set.width() / 2, set.height() / 2).alpha(), 255);
}

TEST(ButtonPictures, ButtonsDoNotOverlapEachOtherOrTheScreen) {
  const QRect screen = imageRect(2);
  const int tops[] = {4, 6, 8, 9, 11, 13};
  for (int a : tops) {
    EXPECT_FALSE(imageRect(a).intersects(screen)) << section(a);
    for (int b : tops) {
      if (a < b) {
        EXPECT_FALSE(imageRect(a).intersects(imageRect(b))) << a << " " << b;
      }
    }
  }
}

}  // namespace
}  // namespace tavro::assets_test
