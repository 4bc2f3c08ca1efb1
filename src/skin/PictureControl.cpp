#include "skin/PictureControl.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

namespace tavro {
namespace {

// Positions and sizes are kept well inside int so that right and bottom edges
// never overflow, whatever a configuration file says.
constexpr int kCoordinateLimit = 1 << 24;
// A stretched picture larger than this is scaled while drawing instead of
// being prepared at full size.
constexpr int64_t kMaxPreparedPixels = int64_t{4} << 20;

int clampCoordinate(int v) {
  return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}
int clampSize(int v) {
  return std::clamp(v, 0, kCoordinateLimit);
}

// One row: the key colour becomes transparent, every other pixel opaque.
// Four pixels at a time, a block the compiler turns into vector code.
void keyOutRow(const uint32_t* __restrict src, uint32_t* __restrict dst, int width, uint32_t k) {
  int x = 0;
  for (; x + 4 <= width; x += 4) {
    for (int j = 0; j < 4; ++j) {
      const uint32_t p = src[x + j] & 0x00ffffffu;
      dst[x + j] = p == k ? 0u : (p | 0xff000000u);
    }
  }
  for (; x < width; ++x) {
    const uint32_t p = src[x] & 0x00ffffffu;
    dst[x] = p == k ? 0u : (p | 0xff000000u);
  }
}

// Null when the image cannot be allocated.
QImage keyOut(const QImage& rgb, QRgb key) {
  QImage out(rgb.size(), QImage::Format_ARGB32_Premultiplied);
  if (out.isNull()) return {};
  const uint32_t k = key & 0x00ffffffu;
  const int width = rgb.width();
  const int height = rgb.height();
  for (int y = 0; y < height; ++y) {
    keyOutRow(reinterpret_cast<const uint32_t*>(rgb.constScanLine(y)),
              reinterpret_cast<uint32_t*>(out.scanLine(y)), width, k);
  }
  return out;
}

}  // namespace

QImage preparePicture(const Picture& picture, bool transparentControl) {
  if (picture.isNull()) {
    return {};
  }
  switch (picture.kind) {
    case PictureKind::Png:
      if (picture.image.hasAlphaChannel()) {
        return picture.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
      }
      return picture.image.convertToFormat(QImage::Format_RGB32);
    case PictureKind::Bitmap: {
      QImage rgb = picture.image.convertToFormat(QImage::Format_RGB32);
      if (transparentControl) {
        return keyOut(rgb, picture.transparentColor());
      }
      return rgb;
    }
    case PictureKind::Jpeg:
      return picture.image.convertToFormat(QImage::Format_RGB32);
    case PictureKind::None:
      break;
  }
  return {};
}

QImage prepareHiResPicture(const Picture& hiRes, const Picture& base, bool transparentControl) {
  if (hiRes.isNull() || base.isNull()) {
    return {};
  }
  Picture ruled = base;
  ruled.image = hiRes.image;
  if (base.kind == PictureKind::Bitmap && transparentControl) {
    // keyed with the picture's own transparent colour, not the variant's corner
    QImage keyed =
        keyOut(hiRes.image.convertToFormat(QImage::Format_RGB32), base.transparentColor());
    ruled.image = keyed;
    ruled.kind = PictureKind::Png;
  }
  QImage out = preparePicture(ruled, transparentControl);
  const QSize twice = base.image.size() * 2;
  if (out.size() != twice) {
    out = out.scaled(twice, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  return out;
}

void PictureControl::setTransparent(bool on) {
  if (on == transparent_) {
    return;
  }
  transparent_ = on;
  const QRect before = paintedArea();
  prepare();
  notify(before);
  notify(paintedArea());
}

void PictureControl::setStretch(bool on) {
  if (on == stretch_) {
    return;
  }
  const QRect before = paintedArea();
  stretch_ = on;
  prepareScaled();
  notify(before);
  notify(paintedArea());
}

void PictureControl::setCenter(bool on) {
  if (on == center_) {
    return;
  }
  const QRect before = paintedArea();
  center_ = on;
  notify(before);
  notify(paintedArea());
}

void PictureControl::setAutoSize(bool on) {
  autoSize_ = on;
  if (on && hasPicture()) {
    setRect(QRect(rect_.topLeft(), pictureSize()));
  }
}

QSize PictureControl::pictureSize() const {
  const QSize size = keyedOnly_ ? keyed_.size() : picture_.image.size();
  return QSize(clampSize(size.width()), clampSize(size.height()));
}

const Picture& PictureControl::picture() const {
  if (!keyedOnly_) {
    return picture_;
  }
  if (restored_.isNull()) {
    restored_ = sourcePicture();
  }
  return restored_;
}

Picture PictureControl::sourcePicture() const {
  if (!keyedOnly_) {
    return picture_;
  }
  // Keying made every other pixel opaque and left the key colour out, so
  // the bitmap comes back exactly.
  Picture source = picture_;
  source.image = QImage(keyed_.size(), QImage::Format_RGB32);
  if (source.image.isNull()) {
    return picture_;  // no memory: a picture without pixels
  }
  const uint32_t key = keyColour_ | 0xff000000u;
  for (int y = 0; y < keyed_.height(); ++y) {
    const auto* in = reinterpret_cast<const uint32_t*>(keyed_.constScanLine(y));
    auto* out = reinterpret_cast<uint32_t*>(source.image.scanLine(y));
    for (int x = 0; x < keyed_.width(); ++x) out[x] = in[x] == 0 ? key : in[x];
  }
  return source;
}

bool PictureControl::setPicture(const Picture& picture) {
  QImage keyed = preparePicture(picture, transparent_);
  if (keyed.isNull() && !picture.isNull()) {
    return false;  // out of memory: the control keeps what it had
  }
  const QRect before = paintedArea();
  picture_ = picture;
  keyedOnly_ = false;
  restored_ = Picture{};
  keyed_ = std::move(keyed);
  hiResKeyed_ = QImage();
  keepKeyedOnly();
  prepareScaled();
  if (autoSize_ && hasPicture()) {
    rect_.setSize(pictureSize());
    prepareScaled();
  }
  notify(before);
  notify(paintedArea());
  return true;
}

void PictureControl::copyPictureFrom(const PictureControl& other) {
  if (other.transparent_ != transparent_) {
    setPicture(other.sourcePicture());
    return;
  }
  const QRect before = paintedArea();
  picture_ = other.picture_;
  keyedOnly_ = other.keyedOnly_;
  keyColour_ = other.keyColour_;
  restored_ = Picture{};
  keyed_ = other.keyed_;
  hiResKeyed_ = other.hiResKeyed_;
  if (autoSize_ && hasPicture()) {
    rect_.setSize(pictureSize());
  }
  prepareScaled();
  notify(before);
  notify(paintedArea());
}

void PictureControl::setLeft(int left) {
  setRect(QRect(clampCoordinate(left), rect_.top(), rect_.width(), rect_.height()));
}

void PictureControl::setTop(int top) {
  setRect(QRect(rect_.left(), clampCoordinate(top), rect_.width(), rect_.height()));
}

void PictureControl::setWidth(int width) {
  setRect(QRect(rect_.left(), rect_.top(), clampSize(width), rect_.height()));
}

void PictureControl::setHeight(int height) {
  setRect(QRect(rect_.left(), rect_.top(), rect_.width(), clampSize(height)));
}

void PictureControl::setGeometry(const QRect& rect) {
  setRect(QRect(clampCoordinate(rect.left()), clampCoordinate(rect.top()), clampSize(rect.width()),
                clampSize(rect.height())));
}

void PictureControl::setRect(const QRect& rect) {
  if (rect == rect_) {
    return;
  }
  const QRect before = paintedArea();
  const bool resized = rect.size() != rect_.size();
  rect_ = rect;
  if (resized && stretch_) {
    prepareScaled();
  }
  notify(before);
  notify(paintedArea());
}

void PictureControl::setVisible(bool visible) {
  if (visible == visible_) {
    return;
  }
  const QRect before = paintedArea();
  visible_ = visible;
  notify(before);
  notify(paintedArea());
}

void PictureControl::setHiResPicture(const Picture& hiRes) {
  hiResKeyed_ = prepareHiResPicture(hiRes, sourcePicture(), transparent_);
  prepareHiRes();
  notify(paintedArea());
}

void PictureControl::prepare() {
  if (keyedOnly_) {
    picture_ = sourcePicture();  // the drawing rule changes: keyed again from the bitmap
    keyedOnly_ = false;
  }
  restored_ = Picture{};
  keyed_ = preparePicture(picture_, transparent_);
  hiResKeyed_ = QImage();
  keepKeyedOnly();
  prepareScaled();
}

void PictureControl::keepKeyedOnly() {
  // A keyed bitmap holds only its keyed image: the bitmap can be restored
  // from it exactly, so its own pixels (as many again) are not kept.
  if (transparent_ && picture_.kind == PictureKind::Bitmap &&
      picture_.image.format() == QImage::Format_RGB32 && !keyed_.isNull()) {
    keyColour_ = picture_.transparentColor();
    picture_.image = QImage();
    keyedOnly_ = true;
  }
}

void PictureControl::prepareHiRes() {
  hiResPrepared_ = QImage();
  if (hiResKeyed_.isNull() || prepared_.isNull()) {
    return;
  }
  if (!stretch_ || scaleOnDraw_) {
    hiResPrepared_ = hiResKeyed_;
  } else if (prepared_.size() * 2 == hiResKeyed_.size()) {
    hiResPrepared_ = hiResKeyed_;
  } else {
    hiResPrepared_ =
        hiResKeyed_.scaled(prepared_.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
}

void PictureControl::prepareScaled() {
  prepareScaledOnly();
  if (!hiResKeyed_.isNull() || !hiResPrepared_.isNull()) {
    prepareHiRes();
  }
}

void PictureControl::prepareScaledOnly() {
  scaleOnDraw_ = false;
  if (!stretch_ || keyed_.isNull()) {
    prepared_ = keyed_;
    return;
  }
  if (rect_.isEmpty()) {
    prepared_ = QImage();
    return;
  }
  if (int64_t{rect_.width()} * rect_.height() > kMaxPreparedPixels) {
    prepared_ = keyed_;
    scaleOnDraw_ = true;
    return;
  }
  if (rect_.size() == keyed_.size()) {
    prepared_ = keyed_;
    return;
  }
  prepared_ = keyed_.scaled(rect_.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if (prepared_.isNull()) {
    // no memory for the scaled copy: scale while drawing instead
    prepared_ = keyed_;
    scaleOnDraw_ = true;
  }
}

QPoint PictureControl::preparedOffset() const {
  if (center_ && !stretch_ && !prepared_.isNull()) {
    // Integer division truncates toward zero, as the window system's centring does.
    return QPoint((rect_.width() - prepared_.width()) / 2,
                  (rect_.height() - prepared_.height()) / 2);
  }
  return QPoint(0, 0);
}

QRect PictureControl::paintedArea() const {
  if (!visible_ || prepared_.isNull() || rect_.isEmpty()) {
    return {};
  }
  if (scaleOnDraw_) {
    return rect_;
  }
  return QRect(rect_.topLeft() + preparedOffset(), prepared_.size()) & rect_;
}

void PictureControl::draw(QPainter& painter, const QRect& area) const {
  const QRect target = paintedArea() & area;
  if (target.isEmpty()) {
    return;
  }
  if (scaleOnDraw_) {
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.drawImage(rect_, keyed_);
    painter.restore();
    return;
  }
  const QPoint origin = rect_.topLeft() + preparedOffset();
  painter.drawImage(target.topLeft(), prepared_, target.translated(-origin));
}

void PictureControl::drawHiRes(QPainter& painter, const QRect& area) const {
  if (hiResPrepared_.isNull()) {
    draw(painter, area);
    return;
  }
  const QRect target = paintedArea() & area;
  if (target.isEmpty()) {
    return;
  }
  if (scaleOnDraw_) {
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.drawImage(QRectF(rect_), hiResPrepared_);
    painter.restore();
    return;
  }
  const QRect source = target.translated(-(rect_.topLeft() + preparedOffset()));
  painter.drawImage(
      QRectF(target), hiResPrepared_,
      QRectF(source.x() * 2, source.y() * 2, source.width() * 2, source.height() * 2));
}

void PictureControl::notify(const QRect& area) const {
  if (listener_ && !area.isEmpty()) {
    listener_(area);
  }
}

}  // namespace tavro
