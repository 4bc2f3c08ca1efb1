// Drawing rules of a picture control, read back from a painted image.

#include <gtest/gtest.h>

#include <QPainter>
#include <vector>

#include "TestSkin.h"
#include "skin/PictureControl.h"

namespace tavro::testing {
namespace {

constexpr QRgb kBack = 0xff203040;

Picture bitmapWithCorner(QRgb body, QRgb corner, int size = 6) {
  Picture p;
  p.kind = PictureKind::Bitmap;
  p.image = solid(size, size, QColor::fromRgb(body));
  p.image.setPixel(0, size - 1, corner);
  return p;
}

// Paints the control over a plain background and returns the result.
QImage paint(const PictureControl& control, QSize size = QSize(20, 20)) {
  QImage out(size, QImage::Format_ARGB32_Premultiplied);
  out.fill(kBack);
  QPainter painter(&out);
  control.draw(painter, out.rect());
  return out;
}

TEST(PictureControl, TransparentControlLeavesOutTheBottomLeftColour) {
  PictureControl control;
  control.setTransparent(true);
  control.setGeometry(QRect(2, 2, 6, 6));
  control.setPicture(bitmapWithCorner(qRgb(255, 0, 0), qRgb(0, 0, 255)));
  Picture p = control.picture();
  p.image.setPixel(3, 3, qRgb(0, 0, 255));  // the same colour inside the picture
  control.setPicture(p);
  const QImage out = paint(control);
  EXPECT_EQ(out.pixel(2, 7), kBack);  // bottom-left pixel
  EXPECT_EQ(out.pixel(5, 5), kBack);  // the same colour elsewhere
  EXPECT_EQ(out.pixel(2, 2), qRgb(255, 0, 0));

  control.setTransparent(false);
  const QImage opaque = paint(control);
  EXPECT_EQ(opaque.pixel(2, 7), qRgb(0, 0, 255));
  EXPECT_EQ(opaque.pixel(5, 5), qRgb(0, 0, 255));
}

// Rows are keyed out several pixels at a time: every width, and key pixels at
// every place in a row, come out as one pixel at a time would give them.
TEST(PictureControl, KeyedRowsOfEveryWidth) {
  const QRgb key = qRgb(0, 0, 255);
  for (int width = 1; width <= 11; ++width) {
    Picture p;
    p.kind = PictureKind::Bitmap;
    p.image = solid(width, 2, QColor::fromRgb(key));
    for (int x = 0; x < width; ++x) {
      if (x % 3 != 1) p.image.setPixel(x, 0, qRgb(10 * x, 200, 0));
    }
    PictureControl control;
    control.setTransparent(true);
    control.setGeometry(QRect(0, 0, width, 2));
    control.setPicture(p);
    const QImage& keyed = control.prepared();
    for (int x = 0; x < width; ++x) {
      const QRgb expected = x % 3 != 1 ? qRgb(10 * x, 200, 0) : 0u;
      EXPECT_EQ(keyed.pixel(x, 0), expected) << width << " " << x;
      EXPECT_EQ(keyed.pixel(x, 1), 0u) << width << " " << x;
    }
  }
}

// A keyed bitmap is kept only as its keyed image; the picture itself comes
// back exactly whenever it is needed again: read, drawn opaque, copied into
// an opaque control.
TEST(PictureControl, KeyedBitmapComesBackExactly) {
  Picture original = bitmapWithCorner(qRgb(255, 0, 0), qRgb(0, 0, 255));
  original.image.setPixel(3, 3, qRgb(0, 0, 255));
  original.image.setPixel(4, 1, qRgb(1, 2, 3));
  const QImage expected = original.image.copy();
  PictureControl keyed;
  keyed.setTransparent(true);
  keyed.setGeometry(QRect(0, 0, 6, 6));
  keyed.setPicture(original);
  original = Picture{};  // the control's copy is the only one left
  EXPECT_TRUE(keyed.hasPicture());
  EXPECT_EQ(keyed.picture().kind, PictureKind::Bitmap);
  EXPECT_EQ(keyed.picture().image, expected);
  EXPECT_EQ(keyed.prepared().pixel(3, 3), 0u);

  PictureControl opaque;
  opaque.setGeometry(QRect(0, 0, 6, 6));
  opaque.copyPictureFrom(keyed);
  EXPECT_EQ(opaque.prepared(), expected);

  PictureControl shared;
  shared.setTransparent(true);
  shared.setAutoSize(true);
  shared.copyPictureFrom(keyed);
  EXPECT_EQ(shared.rect().size(), QSize(6, 6));
  EXPECT_EQ(shared.picture().image, expected);

  keyed.setTransparent(false);
  EXPECT_EQ(keyed.prepared(), expected);
  keyed.setTransparent(true);
  EXPECT_EQ(keyed.prepared().pixel(0, 5), 0u);
  EXPECT_EQ(keyed.prepared().pixel(4, 1), qRgb(1, 2, 3));
}

TEST(PictureControl, MonochromeBitmapKeysOutWhite) {
  PictureControl control;
  control.setTransparent(true);
  control.setGeometry(QRect(0, 0, 6, 6));
  Picture p = bitmapWithCorner(qRgb(255, 255, 255), qRgb(0, 0, 0));
  p.monochrome = true;
  control.setPicture(p);
  const QImage out = paint(control);
  EXPECT_EQ(out.pixel(3, 3), kBack);
  EXPECT_EQ(out.pixel(0, 5), qRgb(0, 0, 0));
}

TEST(PictureControl, PngFollowsItsAlphaWhateverTheControl) {
  Picture p;
  p.kind = PictureKind::Png;
  p.image = solid(4, 4, QColor(0, 255, 0, 255), QImage::Format_ARGB32);
  p.image.setPixel(1, 1, qRgba(0, 0, 0, 0));
  p.image.setPixel(2, 2, qRgba(255, 255, 255, 128));
  for (bool transparent : {false, true}) {
    PictureControl control;
    control.setTransparent(transparent);
    control.setGeometry(QRect(0, 0, 4, 4));
    control.setPicture(p);
    const QImage out = paint(control);
    EXPECT_EQ(out.pixel(1, 1), kBack);
    EXPECT_EQ(out.pixel(0, 3), qRgb(0, 255, 0));  // bottom-left not keyed out
    const QColor half = QColor::fromRgb(out.pixel(2, 2));
    EXPECT_NEAR(half.red(), (255 + 0x20) / 2, 2);
    EXPECT_NEAR(half.blue(), (255 + 0x40) / 2, 2);
  }
}

TEST(PictureControl, JpegIsAlwaysWhole) {
  Picture p;
  p.kind = PictureKind::Jpeg;
  p.image = solid(4, 4, Qt::white);
  PictureControl control;
  control.setTransparent(true);
  control.setGeometry(QRect(0, 0, 4, 4));
  control.setPicture(p);
  const QImage out = paint(control);
  EXPECT_EQ(out.pixel(0, 3), qRgb(255, 255, 255));
  EXPECT_EQ(out.pixel(2, 2), qRgb(255, 255, 255));
}

TEST(PictureControl, DrawnFromTheCornerAndCutAtTheEdges) {
  PictureControl control;
  control.setGeometry(QRect(5, 5, 3, 2));
  control.setPicture(bitmapWithCorner(qRgb(9, 9, 9), qRgb(9, 9, 9), 6));
  EXPECT_EQ(control.paintedArea(), QRect(5, 5, 3, 2));
  const QImage out = paint(control);
  EXPECT_EQ(out.pixel(7, 6), qRgb(9, 9, 9));
  EXPECT_EQ(out.pixel(8, 6), kBack);
  EXPECT_EQ(out.pixel(7, 7), kBack);

  control.setGeometry(QRect(5, 5, 10, 10));  // larger than the picture
  EXPECT_EQ(control.paintedArea(), QRect(5, 5, 6, 6));
}

TEST(PictureControl, StretchScalesToTheControl) {
  Picture p;
  p.kind = PictureKind::Bitmap;
  p.image = solid(2, 2, Qt::red);
  p.image.setPixel(1, 0, qRgb(0, 0, 255));
  p.image.setPixel(1, 1, qRgb(0, 0, 255));
  PictureControl control;
  control.setStretch(true);
  control.setGeometry(QRect(0, 0, 8, 4));
  control.setPicture(p);
  const QImage out = paint(control);
  EXPECT_EQ(out.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(out.pixel(3, 3), qRgb(255, 0, 0));
  EXPECT_EQ(out.pixel(4, 0), qRgb(0, 0, 255));
  EXPECT_EQ(out.pixel(7, 3), qRgb(0, 0, 255));
  EXPECT_EQ(out.pixel(8, 0), kBack);

  control.setWidth(4);  // resizing rescales
  EXPECT_EQ(paint(control).pixel(2, 0), qRgb(0, 0, 255));
}

TEST(PictureControl, HugeStretchIsScaledWhileDrawing) {
  Picture p;
  p.kind = PictureKind::Jpeg;
  p.image = solid(2, 2, Qt::red);
  PictureControl control;
  control.setStretch(true);
  control.setPicture(p);
  control.setGeometry(QRect(0, 0, 100000, 100000));
  EXPECT_EQ(paint(control).pixel(10, 10), qRgb(255, 0, 0));
}

TEST(PictureControl, CentreDrawsInTheMiddleAndCutsLargerPictures) {
  Picture p;
  p.kind = PictureKind::Jpeg;
  p.image = solid(4, 4, Qt::red);
  PictureControl control;
  control.setCenter(true);
  control.setGeometry(QRect(0, 0, 10, 9));
  control.setPicture(p);
  EXPECT_EQ(control.paintedArea(), QRect(3, 2, 4, 4));  // (9 - 4) / 2 = 2
  p.image = solid(14, 14, Qt::red);
  control.setPicture(p);
  EXPECT_EQ(control.paintedArea(), QRect(0, 0, 10, 9));
  EXPECT_EQ(control.preparedOffset(), QPoint(-2, -2));
}

TEST(PictureControl, AutoSizeTakesThePictureSize) {
  PictureControl control;
  control.setGeometry(QRect(7, 7, 1, 1));
  control.setAutoSize(true);
  control.setPicture(bitmapWithCorner(0, 0, 5));
  EXPECT_EQ(control.rect(), QRect(7, 7, 5, 5));
}

TEST(PictureControl, ReportsOnlyRealChanges) {
  PictureControl control;
  std::vector<QRect> areas;
  control.setChangeListener([&](const QRect& r) { areas.push_back(r); });
  control.setGeometry(QRect(1, 1, 4, 4));
  EXPECT_TRUE(areas.empty());  // nothing painted yet
  control.setPicture(bitmapWithCorner(0, 0, 4));
  ASSERT_EQ(areas.size(), 1u);
  EXPECT_EQ(areas[0], QRect(1, 1, 4, 4));
  areas.clear();
  control.setVisible(true);  // already shown
  EXPECT_TRUE(areas.empty());
  control.setVisible(false);
  ASSERT_EQ(areas.size(), 1u);
  areas.clear();
  control.setPicture(bitmapWithCorner(0, 0, 4));  // hidden: nothing to repaint
  EXPECT_TRUE(areas.empty());
}

TEST(PictureControl, CopyTakesTheOtherPictureAndSharesItsPreparedImage) {
  PictureControl glyph;
  glyph.setTransparent(true);
  glyph.setPicture(bitmapWithCorner(qRgb(1, 2, 3), qRgb(255, 255, 255)));
  PictureControl position;
  position.setTransparent(true);
  position.setGeometry(QRect(0, 0, 6, 6));
  position.copyPictureFrom(glyph);
  EXPECT_EQ(position.prepared().cacheKey(), glyph.prepared().cacheKey());
  EXPECT_EQ(paint(position).pixel(0, 5), kBack);

  PictureControl opaque;  // another drawing rule: prepared anew
  opaque.setGeometry(QRect(0, 0, 6, 6));
  opaque.copyPictureFrom(glyph);
  EXPECT_EQ(paint(opaque).pixel(0, 5), qRgb(255, 255, 255));
}

TEST(PictureControl, MarkerInOpaqueAndTransparentControls) {
  PictureControl opaque;
  opaque.setGeometry(QRect(0, 0, 20, 20));
  opaque.setPicture(missingImageMarker());
  QImage out = paint(opaque);
  EXPECT_EQ(out.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(out.pixel(9, 9), qRgb(0, 0, 0));
  EXPECT_EQ(out.pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(out.pixel(10, 10), kBack);

  PictureControl transparent;
  transparent.setTransparent(true);
  transparent.setGeometry(QRect(0, 0, 20, 20));
  transparent.setPicture(missingImageMarker());
  out = paint(transparent);
  EXPECT_EQ(out.pixel(0, 0), kBack);
  EXPECT_EQ(out.pixel(9, 9), kBack);
  EXPECT_EQ(out.pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(out.pixel(8, 8), qRgb(255, 0, 0));
}

}  // namespace
}  // namespace tavro::testing
