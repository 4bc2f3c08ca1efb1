// The frame composer: partial recomposition and when the window shape changes.

#include <gtest/gtest.h>

#include <QPainter>

#include "TestSkin.h"
#include "device/window/QtFrameComposer.h"

namespace tavro::testing {
namespace {

Picture jpeg(int w, int h, QColor colour) {
  Picture p;
  p.kind = PictureKind::Jpeg;
  p.image = solid(w, h, colour);
  return p;
}

class FrameComposer : public ::testing::Test {
 protected:
  void SetUp() override {
    body.setGeometry(QRect(10, 10, 20, 20));
    body.setPicture(jpeg(20, 20, Qt::green));
    segment.setPicture(jpeg(4, 4, Qt::black));
    segment.setVisible(false);
    for (PictureControl* c : {&body, &segment}) {
      c->setChangeListener([this](const QRect& r) { composer.markDirty(r); });
    }
    composer.setStack({&body, &segment});
    composer.resize(QSize(40, 40));
    composer.setBackground(qRgb(255, 0, 255));
    composer.setKey(true, qRgb(255, 0, 255));
  }

  PictureControl body;
  PictureControl segment;
  QtFrameComposer composer;
};

TEST_F(FrameComposer, FirstFlushDrawsAllAndSetsTheShape) {
  const QtFrameComposer::Flushed first = composer.flush();
  EXPECT_EQ(first.redrawn, QRegion(0, 0, 40, 40));
  EXPECT_TRUE(first.shapeChanged);
  EXPECT_EQ(composer.shape(), QRegion(10, 10, 20, 20));
  const QtFrameComposer::Flushed idle = composer.flush();
  EXPECT_TRUE(idle.redrawn.isEmpty());
  EXPECT_FALSE(idle.shapeChanged);
}

TEST_F(FrameComposer, ShapeChangesOnlyWhenKeyPixelsChange) {
  composer.flush();
  segment.setGeometry(QRect(12, 12, 4, 4));  // inside the body
  segment.setVisible(true);
  QtFrameComposer::Flushed inside = composer.flush();
  EXPECT_EQ(inside.redrawn, QRegion(12, 12, 4, 4));
  EXPECT_FALSE(inside.shapeChanged);

  segment.setGeometry(QRect(0, 0, 4, 4));  // over the key colour
  QtFrameComposer::Flushed outside = composer.flush();
  EXPECT_TRUE(outside.shapeChanged);
  EXPECT_EQ(composer.shape(), QRegion(10, 10, 20, 20) + QRegion(0, 0, 4, 4));
  EXPECT_EQ(composer.frame().pixel(13, 13), qRgb(0, 255, 0));  // the old place redrawn
}

TEST_F(FrameComposer, KeyOffClearsTheShape) {
  composer.flush();
  composer.setKey(false, qRgb(255, 0, 255));
  EXPECT_TRUE(composer.shape().isEmpty());
  EXPECT_FALSE(composer.flush().shapeChanged);
}

TEST_F(FrameComposer, DirtyAreasOutsideTheFrameAreIgnored) {
  composer.flush();
  composer.markDirty(QRect(100, 100, 5, 5));
  EXPECT_FALSE(composer.hasDirty());
  composer.resize(QSize(0, 0));
  EXPECT_TRUE(composer.flush().redrawn.isEmpty());
}

// Without the colour key no frame is kept: flush only hands the changed areas
// on, and paint composes them onto the window (here an image standing for its
// backing store), the same pixels a kept frame would give.
TEST_F(FrameComposer, WithoutTheKeyTheAreasAreComposedWherePainted) {
  composer.setKey(false, qRgb(255, 0, 255));
  EXPECT_FALSE(composer.keepsFrame());
  QImage window(40, 40, QImage::Format_ARGB32_Premultiplied);
  window.fill(Qt::white);
  auto paint = [&](const QRegion& region) {
    QPainter painter(&window);
    composer.paint(painter, region);
  };
  paint(composer.flush().redrawn);
  EXPECT_EQ(window.pixel(0, 0), qRgb(255, 0, 255));
  EXPECT_EQ(window.pixel(15, 15), qRgb(0, 255, 0));

  segment.setGeometry(QRect(12, 12, 4, 4));
  segment.setVisible(true);
  const QtFrameComposer::Flushed shown = composer.flush();
  EXPECT_EQ(shown.redrawn, QRegion(12, 12, 4, 4));
  paint(shown.redrawn);
  segment.setGeometry(QRect(30, 30, 4, 4));  // the old place shows the body again
  paint(composer.flush().redrawn);
  EXPECT_EQ(window, composer.frame());
  EXPECT_EQ(window.pixel(13, 13), qRgb(0, 255, 0));
  EXPECT_EQ(window.pixel(31, 31), qRgb(0, 0, 0));

  // The key on again: a kept frame, composed in full, with its shape.
  composer.setKey(true, qRgb(255, 0, 255));
  EXPECT_TRUE(composer.keepsFrame());
  const QtFrameComposer::Flushed keyed = composer.flush();
  EXPECT_EQ(keyed.redrawn, QRegion(0, 0, 40, 40));
  EXPECT_TRUE(keyed.shapeChanged);
  EXPECT_EQ(composer.frame(), window);
}

TEST_F(FrameComposer, PaintOutsideTheFrameDrawsNothing) {
  for (const bool key : {true, false}) {
    composer.setKey(key, qRgb(255, 0, 255));
    composer.flush();
    QImage window(60, 60, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);
    QPainter painter(&window);
    composer.paint(painter, QRegion(0, 0, 60, 60));
    painter.end();
    EXPECT_EQ(window.pixel(50, 50), qRgb(255, 255, 255)) << key;
    EXPECT_EQ(window.pixel(39, 39), qRgb(255, 0, 255)) << key;
  }
}

}  // namespace
}  // namespace tavro::testing
