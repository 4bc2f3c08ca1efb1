// Double-resolution pictures: which files the loader takes, how a control
// draws its variant at twice the size, and the frame composed from them.

#include <gtest/gtest.h>

#include <QPainter>

#include "FakeSkinTarget.h"
#include "TestSkin.h"
#include "device/window/QtFrameComposer.h"
#include "skin/HiResPicture.h"
#include "skin/gfxinit.h"

namespace tavro::testing {
namespace {

const QColor kKey(255, 0, 255);

class ScaledTarget : public FakeSkinTarget {
 public:
  explicit ScaledTarget(qreal ratio) : ratio_(ratio) {}
  qreal screenPixelRatio() const override { return ratio_; }

 private:
  qreal ratio_;
};

// A picture of `colour` with a key-coloured bottom-left pixel.
QImage keyedCorner(int w, int h, QColor colour) {
  QImage image = solid(w, h, colour);
  image.setPixelColor(0, h - 1, kKey);
  return image;
}

// The control drawn at twice the size, on a transparent canvas.
QImage drawnTwice(const PictureControl& control, QSize logical) {
  QImage out(logical * 2, QImage::Format_ARGB32_Premultiplied);
  out.setDevicePixelRatio(2);
  out.fill(Qt::transparent);
  QPainter painter(&out);
  control.drawHiRes(painter, QRect(QPoint(0, 0), logical));
  return out;
}

TEST(HiResPicture, TheVariantsNameHasTheMarkBeforeTheExtension) {
  const struct {
    const char* path;
    const char* variant;
  } cases[] = {
      {"Graphics\\Skin\\body.bmp", "Graphics\\Skin\\body@2x.bmp"},
      {"logo.PNG", "logo@2x.PNG"},
      {"a.b\\c", "a.b\\c@2x"},
      {"x.tar.jpg", "x.tar@2x.jpg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hiResName(c.path), c.variant) << c.path;
  }
}

TEST(HiResPicture, TheLoaderTakesVariantsOnlyFromARatioOfTwo) {
  TestSkin skin;
  skin.writePicture("Graphics/Skin/a.bmp", keyedCorner(4, 3, Qt::red));
  skin.writePicture("Graphics/Skin/a@2x.bmp", keyedCorner(8, 6, Qt::blue));
  skin.writePicture("Graphics/Skin/b@2x.bmp", keyedCorner(8, 6, Qt::blue));  // no b.bmp
  skin.writeBytes("Graphics/Skin/c@2x.png", QByteArray("not a picture"));
  skin.writePicture("Graphics/Skin/c.png", solid(4, 3, Qt::green));
  skin.writeConfig("[Common]\nSkinDir=Graphics\\Skin\n" + imageSection(14, "a.bmp", 1, 1, 4, 3) +
                   imageSection(15, "b.bmp", 1, 1, 4, 3) + imageSection(16, "c.png", 1, 1, 4, 3));
  const struct {
    qreal ratio;
    bool variant;
  } cases[] = {{1.0, false}, {1.5, false}, {2.0, true}, {3.0, true}};
  for (const auto& c : cases) {
    ScaledTarget target(c.ratio);
    ASSERT_NO_THROW(Gfx_Load_Skin(target));
    EXPECT_EQ(target.skin[14].hasHiResPicture(), c.variant) << c.ratio;
    EXPECT_EQ(target.skin[14].picture().image.size(), QSize(4, 3)) << "the picture stays";
    // a missing picture shows the marker, whatever variant lies beside it
    EXPECT_EQ(target.skin[15].picture().image.size(), QSize(10, 10));
    EXPECT_FALSE(target.skin[15].hasHiResPicture());
    // a variant that does not decode is left out
    EXPECT_FALSE(target.skin[16].hasHiResPicture());
  }
}

TEST(HiResPicture, AControlDrawsItsVariantOneToOneUnderThePicturesRule) {
  const struct {
    const char* name;
    bool transparent;
    QImage variant;
    int alphaAt05;  // the variant's own key-coloured pixel
    int alphaAt14;  // inside the two by two device pixels of the picture's key pixel
  } cases[] = {
      // keyed with the picture's colour, at the variant's own pixels
      {"keyed bitmap", true, keyedCorner(8, 6, Qt::blue), 0, 255},
      {"opaque bitmap", false, keyedCorner(8, 6, Qt::blue), 255, 255},
      // a variant of the wrong size is fitted to twice the picture
      {"wrong size", true, keyedCorner(4, 3, Qt::blue), 0, 0},
  };
  for (const auto& c : cases) {
    PictureControl control;
    control.setTransparent(c.transparent);
    Picture base;
    base.kind = PictureKind::Bitmap;
    base.image = keyedCorner(4, 3, Qt::red);
    control.setPicture(base);
    control.setGeometry(QRect(0, 0, 4, 3));
    Picture variant = base;
    variant.image = c.variant;
    control.setHiResPicture(variant);
    const QImage out = drawnTwice(control, QSize(4, 3));
    EXPECT_EQ(out.pixel(1, 1), qRgb(0, 0, 255)) << c.name;
    EXPECT_EQ(qAlpha(out.pixel(0, 5)), c.alphaAt05) << c.name;
    EXPECT_EQ(qAlpha(out.pixel(1, 4)), c.alphaAt14) << c.name;
  }
}

TEST(HiResPicture, ANewPictureDropsTheVariantAndACopyKeepsIt) {
  PictureControl control, copy;
  Picture base;
  base.kind = PictureKind::Png;
  base.image = solid(2, 2, Qt::red);
  control.setPicture(base);
  control.setGeometry(QRect(0, 0, 2, 2));
  Picture variant = base;
  variant.image = solid(4, 4, Qt::blue);
  control.setHiResPicture(variant);
  copy.setGeometry(QRect(0, 0, 2, 2));
  copy.copyPictureFrom(control);
  EXPECT_TRUE(copy.hasHiResPicture());
  EXPECT_EQ(drawnTwice(copy, QSize(2, 2)).pixel(3, 3), qRgb(0, 0, 255));
  control.setPicture(base);
  EXPECT_FALSE(control.hasHiResPicture());
  // without a variant the picture's pixels are doubled, never smoothed
  EXPECT_EQ(drawnTwice(control, QSize(2, 2)).pixel(3, 3), qRgb(255, 0, 0));
}

TEST(HiResPicture, TheDoubleFrameUsesVariantsAndTheShapeFollowsThePicture) {
  PictureControl body;
  body.setTransparent(true);
  Picture base;
  base.kind = PictureKind::Bitmap;
  base.image = keyedCorner(4, 4, Qt::red);
  body.setPicture(base);
  body.setGeometry(QRect(0, 0, 4, 4));
  Picture variant = base;
  variant.image = solid(8, 8, Qt::blue);
  variant.image.setPixelColor(0, 7, kKey);
  variant.image.setPixelColor(7, 0, kKey);  // a hole the picture does not have
  body.setHiResPicture(variant);

  QtFrameComposer composer;
  composer.setStack({&body});
  composer.setBackground(kKey.rgb());
  composer.setKey(true, kKey.rgb());
  composer.resize(QSize(4, 4));
  EXPECT_TRUE(composer.hiResFrame().isNull()) << "scale 1 keeps one frame";
  composer.setHiResScale(2);
  composer.flush();
  ASSERT_EQ(composer.hiResFrame().size(), QSize(8, 8));
  EXPECT_EQ(composer.hiResFrame().pixel(2, 2), qRgb(0, 0, 255));
  EXPECT_EQ(composer.frame().pixel(2, 2), qRgb(255, 0, 0));
  EXPECT_EQ(composer.shape(), QRegion(0, 0, 4, 4).subtracted(QRegion(0, 3, 1, 1)));
}

// Fullscreen keeps no frame: painted onto a window of twice the pixels, the
// controls are drawn with their variants all the same.
TEST(HiResPicture, WithoutAKeptFrameThePaintUsesTheVariants) {
  PictureControl body;
  Picture base;
  base.kind = PictureKind::Jpeg;
  base.image = solid(4, 4, Qt::red);
  body.setPicture(base);
  body.setGeometry(QRect(0, 0, 4, 4));
  Picture variant = base;
  variant.image = solid(8, 8, Qt::blue);
  body.setHiResPicture(variant);
  PictureControl plain;  // no variant: its pixels doubled
  plain.setPicture(base);
  plain.setGeometry(QRect(2, 2, 2, 2));

  QtFrameComposer composer;
  composer.setStack({&body, &plain});
  composer.setKey(false, kKey.rgb());
  composer.setHiResScale(2);
  composer.resize(QSize(4, 4));
  ASSERT_FALSE(composer.keepsFrame());
  QImage window(8, 8, QImage::Format_ARGB32_Premultiplied);
  window.setDevicePixelRatio(2);
  QPainter painter(&window);
  composer.paint(painter, composer.flush().redrawn);
  painter.end();
  EXPECT_EQ(window.pixel(1, 1), qRgb(0, 0, 255));
  EXPECT_EQ(window.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(composer.hiResFrame(), window);
}

}  // namespace
}  // namespace tavro::testing
