// The segment test picture: all 58 LCD segments (and 8888) drawn over the
// body lie on the screen, each one shows, and no two cover each other.

#include <gtest/gtest.h>

#include <QPainter>
#include <map>
#include <vector>

#include "DistFolder.h"

namespace tavro::assets_test {
namespace {

// The 58 segments that show on the LCD: indicators, miss marks, digit
// positions, hero, items, got, miss and target.
std::vector<int> lcdSegments() {
  std::vector<int> out;
  for (int n = 14; n <= 38; ++n) out.push_back(n);
  for (int n = 49; n <= 81; ++n) out.push_back(n);
  return out;
}

bool isDigitPosition(int n) {
  return n >= 26 && n <= 29;
}

// What segment n draws: a digit position shows a copy of the digit 8.
const QImage& segmentImage(int n) {
  static std::map<int, QImage> cache;
  auto it = cache.find(n);
  if (it == cache.end()) {
    const int source = isDigitPosition(n) ? 39 + 8 : n;
    it = cache
             .emplace(
                 n, preparedSkinImage(source).convertToFormat(QImage::Format_ARGB32_Premultiplied))
             .first;
  }
  return it->second;
}

// The body with the given segments drawn at their places, then the glass.
QImage compose(const std::vector<int>& segments) {
  QImage frame = preparedSkinImage(1).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter p(&frame);
  for (int n : segments) {
    const QRect r = imageRect(n);
    p.drawImage(r.topLeft(), segmentImage(n), QRect(QPoint(0, 0), r.size()));
  }
  p.drawImage(imageRect(2).topLeft(), preparedSkinImage(2));
  return frame;
}

TEST(LcdSegments, AllFiftyEightLieOnTheScreen) {
  const std::vector<int> segments = lcdSegments();
  ASSERT_EQ(segments.size(), 58u);
  const QRect screen = imageRect(2);
  for (int n : segments) EXPECT_TRUE(screen.contains(imageRect(n))) << section(n);
}

TEST(LcdSegments, EverySegmentChangesTheScreenInTheSegmentTest) {
  const std::vector<int> all = lcdSegments();
  const QImage full = compose(all);
  const QRect screen = imageRect(2);
  for (int n : all) {
    std::vector<int> others;
    for (int m : all) {
      if (m != n) others.push_back(m);
    }
    const QImage without = compose(others);
    int changed = 0;
    for (int y = screen.top(); y <= screen.bottom(); ++y) {
      for (int x = screen.left(); x <= screen.right(); ++x) {
        changed += full.pixel(x, y) != without.pixel(x, y);
      }
    }
    EXPECT_GT(changed, 10) << section(n) << " is hidden in the segment test";
  }
}

TEST(LcdSegments, NoTwoSegmentsCoverTheSamePixels) {
  // the solid ink of each segment (its faint shadow may touch a neighbour)
  std::vector<std::vector<bool>> ink;
  const std::vector<int> all = lcdSegments();
  const QRect screen = imageRect(2);
  std::vector<int> owner(size_t(screen.width()) * screen.height(), 0);
  for (int n : all) {
    const QImage& image = segmentImage(n);
    const QRect r = imageRect(n);
    for (int y = 0; y < r.height() && y < image.height(); ++y) {
      for (int x = 0; x < r.width() && x < image.width(); ++x) {
        if (qAlpha(image.pixel(x, y)) < 160) continue;
        const QPoint at = r.topLeft() + QPoint(x, y) - screen.topLeft();
        int& who = owner[size_t(at.y()) * screen.width() + at.x()];
        EXPECT_EQ(who, 0) << section(n) << " overlaps " << section(who) << " at " << at.x() << ","
                          << at.y();
        if (who != 0) return;
        who = n;
      }
    }
  }
}

TEST(LcdSegments, SegmentsAreDarkOnThePaleScreen) {
  const QImage blank = compose({});
  const QRect screen = imageRect(2);
  const int panel = qGray(blank.pixel(screen.center()));
  EXPECT_GT(panel, 150) << "a pale screen";
  for (int n : lcdSegments()) {
    const QImage& image = segmentImage(n);
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(image.pixel(x, y)) == 255)
          darkest = std::min(darkest, qGray(image.pixel(x, y)));
        else if (qAlpha(image.pixel(x, y)) > 200)
          darkest = std::min(darkest, 60);
      }
    }
    EXPECT_LT(darkest, 80) << section(n);
  }
}

TEST(LcdSegments, HeroPosesAndPlayfieldFollowTheColumns) {
  // column c of every hero image, item row, got, miss and target lies left of column c + 1
  auto centreX = [](int n) { return imageRect(n).center().x(); };
  for (int c = 1; c < 3; ++c) {
    for (int first : {49, 52, 55, 73, 76, 79}) {
      EXPECT_LT(centreX(first + c - 1), centreX(first + c)) << section(first + c - 1);
    }
    for (int r = 1; r <= 5; ++r) {
      const int n = 58 + 3 * (r - 1) + (c - 1);
      EXPECT_LT(centreX(n), centreX(n + 1)) << section(n);
    }
  }
  // rows run from the top of the screen toward the hero
  for (int c = 0; c < 3; ++c) {
    for (int r = 1; r < 5; ++r) {
      const int n = 58 + 3 * (r - 1) + c;
      EXPECT_LT(imageRect(n).center().y(), imageRect(n + 3).center().y()) << section(n);
    }
    EXPECT_LT(imageRect(58 + 12 + c).top(), imageRect(49 + c).top()) << "row 5 above the body";
  }
}

}  // namespace
}  // namespace tavro::assets_test
