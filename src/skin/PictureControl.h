#pragma once
// One picture control of a window: a rectangle that draws one picture (or
// none) from its top-left corner, cut off at its edges, and that can be shown,
// hidden, moved, resized and given another picture.
//
// The picture is turned into a ready-to-blit premultiplied image whenever the
// picture or a drawing property changes, so that drawing is a plain blit:
//  - a bitmap in a transparent control loses the pixels of its transparent
//    colour; in an opaque control it is drawn whole;
//  - a PNG always follows its own alpha; a JPEG is always drawn whole;
//  - a stretching control scales the picture to its size, a centring control
//    draws it centred, a control with automatic size takes the picture's size.
//
// On screens of device pixel ratio 2 a control may also hold a double-resolution
// variant of its picture. Size, placement and the drawing rule stay those of
// the picture; the variant only replaces its pixels when drawing at twice the
// size (drawHiRes). Only the prepared variant is kept; a new picture or a
// change of transparency drops it.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>

#include "skin/Picture.h"

class QPainter;

namespace tavro {

class PictureControl {
 public:
  // Called with an area of the window whose drawing may have changed.
  using ChangeListener = std::function<void(const QRect& area)>;

  PictureControl() = default;
  PictureControl(const PictureControl&) = delete;
  PictureControl& operator=(const PictureControl&) = delete;

  // Fixed drawing properties.
  void setTransparent(bool on);
  void setStretch(bool on);
  void setCenter(bool on);
  void setAutoSize(bool on);
  bool transparent() const { return transparent_; }
  bool stretch() const { return stretch_; }
  bool center() const { return center_; }
  bool autoSize() const { return autoSize_; }

  // False, with the control unchanged, when there is no memory to prepare
  // the picture for drawing.
  bool setPicture(const Picture& picture);
  void clearPicture() { setPicture(Picture{}); }
  // Takes a copy of another control's picture (sharing its prepared image
  // when both draw it the same way).
  void copyPictureFrom(const PictureControl& other);
  // The picture (for a keyed bitmap, restored from its keyed image when
  // first asked for: the control keeps only that one copy of its pixels).
  const Picture& picture() const;
  // The double-resolution variant of the current picture (ignored without one).
  // A variant of another size than twice the picture's is scaled to it. Left
  // out when there is no memory to prepare it.
  void setHiResPicture(const Picture& hiRes);
  bool hasHiResPicture() const { return !hiResKeyed_.isNull(); }
  bool hasPicture() const { return keyedOnly_ || !picture_.isNull(); }

  // Geometry in window client coordinates. Negative sizes count as 0.
  void setLeft(int left);
  void setTop(int top);
  void setWidth(int width);
  void setHeight(int height);
  void setGeometry(const QRect& rect);
  int left() const { return rect_.left(); }
  int top() const { return rect_.top(); }
  int width() const { return rect_.width(); }
  int height() const { return rect_.height(); }
  const QRect& rect() const { return rect_; }

  void setVisible(bool visible);
  bool isVisible() const { return visible_; }

  void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }

  // The part of the window this control paints (empty when it paints nothing).
  QRect paintedArea() const;
  // Draws the control's part inside `area` (window coordinates).
  void draw(QPainter& painter, const QRect& area) const;
  // The same on a painter that draws at twice the size (window coordinates,
  // device pixels twice as dense): the variant's pixels one to one, else the
  // picture's pixels doubled.
  void drawHiRes(QPainter& painter, const QRect& area) const;

  // The prepared image and where its top-left corner lies relative to the
  // control's top-left corner.
  const QImage& prepared() const { return prepared_; }
  QPoint preparedOffset() const;

 private:
  void prepare();
  void keepKeyedOnly();
  QSize pictureSize() const;
  Picture sourcePicture() const;  // the picture, restored if kept only keyed
  void prepareScaled();
  void prepareScaledOnly();
  void prepareHiRes();
  void setRect(const QRect& rect);
  void notify(const QRect& area) const;

  Picture picture_;  // without pixels while keyedOnly_
  bool keyedOnly_ = false;
  QRgb keyColour_ = 0;        // the keyed-out colour while keyedOnly_
  mutable Picture restored_;  // picture() of a control kept keyed only
  QImage keyed_;              // the picture with its drawing rule applied, own size
  QImage prepared_;           // keyed_, or keyed_ scaled to the control's size
  QImage hiResKeyed_;         // the variant under the picture's drawing rule, twice keyed_'s size
  QImage hiResPrepared_;      // hiResKeyed_, or scaled to twice the control's size
  QRect rect_{0, 0, 0, 0};
  bool visible_ = true;
  bool transparent_ = false;
  bool stretch_ = false;
  bool center_ = false;
  bool autoSize_ = false;
  bool scaleOnDraw_ = false;  // stretched to a size too large to prepare
  ChangeListener listener_;
};

// The picture with its drawing rule applied, in a blit-ready format (null
// when it cannot be allocated).
QImage preparePicture(const Picture& picture, bool transparentControl);
// A double-resolution variant under the drawing rule of its picture `base`
// (its kind and transparent colour), at exactly twice base's size.
QImage prepareHiResPicture(const Picture& hiRes, const Picture& base, bool transparentControl);

}  // namespace tavro
