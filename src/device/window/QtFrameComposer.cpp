#include "device/window/QtFrameComposer.h"

#include <QPainter>
#include <cstdint>
#include <utility>

namespace tavro {
namespace {

using Runs = std::vector<std::pair<int, int>>;  // [x0, x1) spans of one row

// The spans of non-key pixels of one row, inside [x0, x1).
void rowRuns(const QImage& frame, int y, int x0, int x1, uint32_t key, Runs& runs) {
  runs.clear();
  const auto* row = reinterpret_cast<const uint32_t*>(frame.constScanLine(y));
  int x = x0;
  while (x < x1) {
    while (x < x1 && row[x] == key) {
      ++x;
    }
    const int start = x;
    while (x < x1 && row[x] != key) {
      ++x;
    }
    if (x > start) {
      runs.emplace_back(start, x);
    }
  }
}

}  // namespace

void QtFrameComposer::resize(QSize size) {
  if (size == size_ && !frame_.isNull()) {
    return;
  }
  size_ = size;
  allocate();
  dirty_ = QRegion();
  markAllDirty();
  shapeStale_ = keyEnabled_;
}

void QtFrameComposer::allocate() {
  frame_ = QImage();
  hiResFrame_ = QImage();
  if (!keepsFrame() || size_.isEmpty()) {
    return;
  }
  frame_ = QImage(size_, QImage::Format_ARGB32_Premultiplied);
  if (hiResScale_ > 1) {
    hiResFrame_ = QImage(size_ * hiResScale_, QImage::Format_ARGB32_Premultiplied);
    hiResFrame_.setDevicePixelRatio(hiResScale_);
  }
}

void QtFrameComposer::setHiResScale(int scale) {
  scale = scale >= 2 ? 2 : 1;
  if (scale == hiResScale_) {
    return;
  }
  hiResScale_ = scale;
  allocate();
  markAllDirty();
  shapeStale_ = keyEnabled_;
}

void QtFrameComposer::setBackground(QRgb colour) {
  colour |= 0xff000000u;
  if (colour == background_) {
    return;
  }
  background_ = colour;
  markAllDirty();
}

void QtFrameComposer::setKey(bool enabled, QRgb colour) {
  colour |= 0xff000000u;
  if (enabled == keyEnabled_ && colour == key_) {
    return;
  }
  const bool kept = keepsFrame();
  keyEnabled_ = enabled;
  key_ = colour;
  shapeStale_ = enabled;
  if (!enabled) {
    shape_ = QRegion();
  }
  if (keepsFrame() != kept) {
    allocate();
    markAllDirty();
  }
}

void QtFrameComposer::markDirty(const QRect& area) {
  const QRect clipped = area & QRect(QPoint(0, 0), size_);
  if (!clipped.isEmpty()) {
    dirty_ += clipped;
  }
}

QtFrameComposer::Flushed QtFrameComposer::flush() {
  Flushed out;
  if (size_.isEmpty()) {
    dirty_ = QRegion();
    return out;
  }
  if (!dirty_.isEmpty()) {
    out.redrawn = std::exchange(dirty_, QRegion());
    if (!frame_.isNull()) {
      compose(out.redrawn);
    }
  }
  if (keyEnabled_) {
    if (shapeStale_) {
      shape_ = shapeInside(frame_.rect());
      out.shapeChanged = true;
      shapeStale_ = false;
    } else if (!out.redrawn.isEmpty()) {
      out.shapeChanged = updateShape(out.redrawn);
    }
  }
  return out;
}

void QtFrameComposer::compose(const QRegion& region) {
  {
    QPainter painter(&frame_);
    composeOn(painter, region, false);
  }
  if (!hiResFrame_.isNull()) {
    QPainter painter(&hiResFrame_);  // draws in frame coordinates at the frame's pixel ratio
    composeOn(painter, region, true);
  }
}

void QtFrameComposer::composeOn(QPainter& painter, const QRegion& region, bool hiRes) const {
  const QColor background = QColor::fromRgb(background_);
  for (const QRect& rect : region) {
    painter.fillRect(rect, background);
    for (const PictureControl* control : stack_) {
      if (hiRes) {
        control->drawHiRes(painter, rect);
      } else {
        control->draw(painter, rect);
      }
    }
  }
}

void QtFrameComposer::paint(QPainter& painter, const QRegion& region) const {
  const QRegion inside = region & QRect(QPoint(0, 0), size_);
  if (frame_.isNull()) {
    // No kept frame: the controls are composed onto the window itself, with
    // their double-resolution pictures where its pixels are twice as dense.
    composeOn(painter, inside, hiResScale_ > 1);
    return;
  }
  for (const QRect& rect : inside) {
    if (hiResFrame_.isNull()) {
      painter.drawImage(rect.topLeft(), frame_, rect);
    } else {
      // the double-size frame, one of its pixels to each device pixel
      painter.drawImage(QRectF(rect), hiResFrame_,
                        QRectF(rect.x() * 2, rect.y() * 2, rect.width() * 2, rect.height() * 2));
    }
  }
}

QImage QtFrameComposer::frame() const {
  if (!frame_.isNull() || size_.isEmpty()) {
    return frame_;
  }
  QImage composed(size_, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&composed);
  composeOn(painter, QRegion(composed.rect()), false);
  return composed;
}

QImage QtFrameComposer::hiResFrame() const {
  if (!hiResFrame_.isNull() || hiResScale_ < 2 || size_.isEmpty() || keepsFrame()) {
    return hiResFrame_;
  }
  QImage composed(size_ * hiResScale_, QImage::Format_ARGB32_Premultiplied);
  composed.setDevicePixelRatio(hiResScale_);
  QPainter painter(&composed);
  composeOn(painter, QRegion(QRect(QPoint(0, 0), size_)), true);
  return composed;
}

QRegion QtFrameComposer::shapeInside(const QRect& rect) const {
  const uint32_t key = key_;
  std::vector<QRect> rects;
  Runs previous;
  Runs current;
  std::size_t bandStart = 0;
  const int x1 = rect.left() + rect.width();
  for (int y = rect.top(); y < rect.top() + rect.height(); ++y) {
    rowRuns(frame_, y, rect.left(), x1, key, current);
    if (y > rect.top() && current == previous) {
      // Same spans as the row above: the band grows by one row.
      for (std::size_t i = bandStart; i < rects.size(); ++i) {
        rects[i].setHeight(rects[i].height() + 1);
      }
      continue;
    }
    bandStart = rects.size();
    for (const auto& [a, b] : current) {
      rects.emplace_back(a, y, b - a, 1);
    }
    std::swap(previous, current);
  }
  QRegion region;
  if (!rects.empty()) {
    region.setRects(rects.data(), static_cast<int>(rects.size()));
  }
  return region;
}

bool QtFrameComposer::updateShape(const QRegion& region) {
  bool changed = false;
  for (const QRect& rect : region) {
    QRegion now = shapeInside(rect);
    if (!(now ^ (shape_ & rect)).isEmpty()) {
      shape_ = shape_.subtracted(QRegion(rect)).united(now);
      changed = true;
    }
  }
  return changed;
}

}  // namespace tavro
