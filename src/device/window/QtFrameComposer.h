#pragma once
// Composes the device window's picture controls into one frame image.
//
// Controls report the areas whose drawing changed; the composer collects them
// and, at flush(), redraws only those areas (background colour, then every
// shown control in stacking order). With a transparency key it also keeps the
// window shape: the region of every frame pixel that is not the key colour,
// recomputed only inside the redrawn areas.
//
// On a screen of device pixel ratio 2 it also keeps a frame at twice the size,
// drawn from the controls' double-resolution pictures, for the screen. The
// logical frame stays: the shape and every reading of the frame follow it.
//
// The frame is kept only while the colour key is on, since the shape is read
// from its pixels. Without the key (fullscreen) the areas are composed where
// they are painted (paint), straight into the window's own backing store:
// the screen-sized frame would only be a second copy of it.

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QRgb>
#include <vector>

#include "skin/PictureControl.h"

namespace tavro {

class QtFrameComposer {
 public:
  struct Flushed {
    QRegion redrawn;            // the areas recomposed by this flush
    bool shapeChanged = false;  // the window shape differs from before
  };

  // Bottom to top.
  void setStack(std::vector<const PictureControl*> stack) { stack_ = std::move(stack); }

  // A new size redraws everything.
  void resize(QSize size);
  QSize size() const { return size_; }
  // 2: keep the frame at twice the size as well; 1 (the default): only the frame.
  void setHiResScale(int scale);
  int hiResScale() const { return hiResScale_; }
  void setBackground(QRgb colour);
  QRgb background() const { return background_; }
  // Turns the colour key on or off; the shape is recomputed in full.
  void setKey(bool enabled, QRgb colour);
  bool keyEnabled() const { return keyEnabled_; }

  void markDirty(const QRect& area);
  void markAllDirty() { markDirty(QRect(QPoint(0, 0), size_)); }
  bool hasDirty() const { return !dirty_.isEmpty(); }

  // Composes what changed into the kept frame (without one, the areas are
  // only handed on to be painted).
  Flushed flush();
  // Draws the region of the window: from the kept frame, or composed.
  void paint(QPainter& painter, const QRegion& region) const;

  bool keepsFrame() const { return keyEnabled_; }
  // The composed picture: the kept frame, or one composed for this reading
  // (tests and benchmarks read it; the window itself never does).
  QImage frame() const;
  // The frame at twice the size (null at scale 1), device pixel ratio 2.
  QImage hiResFrame() const;
  // The window shape while the key is on (empty region otherwise).
  const QRegion& shape() const { return shape_; }

 private:
  void compose(const QRegion& region);
  void composeOn(QPainter& painter, const QRegion& region, bool hiRes) const;
  void allocate();
  QRegion shapeInside(const QRect& rect) const;
  bool updateShape(const QRegion& region);

  std::vector<const PictureControl*> stack_;
  QSize size_{0, 0};
  QImage frame_;
  QImage hiResFrame_;
  int hiResScale_ = 1;
  QRgb background_ = qRgb(0, 0, 0);
  bool keyEnabled_ = false;
  QRgb key_ = qRgb(255, 0, 255);
  bool shapeStale_ = false;
  QRegion dirty_;
  QRegion shape_;
};

}  // namespace tavro
