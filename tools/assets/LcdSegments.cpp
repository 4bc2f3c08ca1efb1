#include "LcdSegments.h"

#include <QPainter>
#include <functional>

#include "Geometry.h"
#include "ImageIo.h"
#include "LcdArt.h"

namespace tavro::assets {

namespace {

using namespace geometry;

enum class Format { Png, KeyedBmp };

// Draws one segment on a panel-sized canvas, crops it and writes it.
class SegmentWriter {
 public:
  SegmentWriter(const QString& skinDir, SkinLayout& layout) : dir_(skinDir), layout_(layout) {}

  void add(int number, const QString& stem, const QPainterPath& shape,
           Format format = Format::Png) {
    const QImage canvas = drawSegment(shape, format, 1);
    // one pixel of margin keeps the bitmap's bottom-left pixel on the background
    const QRect box = opaqueBounds(canvas).adjusted(-1, -1, 1, 1).intersected(canvas.rect());
    const QImage hiRes = drawSegment(shape, format, kHiResScale);
    place(number, stem, canvas.copy(box), hiRes.copy(scaled(box)), box, format);
  }

  // A digit picture: always the full digit cell, so every digit has one size.
  void addDigit(int number, int digit) {
    place(number, QStringLiteral("digit_%1").arg(digit), drawDigit(digit, 1),
          drawDigit(digit, kHiResScale), QRect(kDigitX[0], kDigitY, kDigitWidth, kDigitHeight),
          Format::Png);
  }

 private:
  static QRect scaled(const QRect& r) {
    return QRect(r.topLeft() * kHiResScale, r.size() * kHiResScale);
  }

  // One segment on a panel-sized canvas at `scale` times the resolution.
  static QImage drawSegment(const QPainterPath& shape, Format format, int scale) {
    QImage canvas = transparentCanvas(kLcd.width() * scale, kLcd.height() * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    if (format == Format::Png) {
      drawInk(p, shape);
    } else {
      // a keyed bitmap has no partial transparency: crisp ink, no shadow
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0x1A, 0x22, 0x1E));
      p.setRenderHint(QPainter::Antialiasing);
      p.drawPath(shape);
    }
    p.end();
    return canvas;
  }

  static QImage drawDigit(int digit, int scale) {
    QImage canvas = transparentCanvas(kDigitWidth * scale, kDigitHeight * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    drawInk(p, digitPath(QPointF(0, 0), digit));
    p.end();
    return canvas;
  }

  void place(int number, const QString& stem, const QImage& image, const QImage& hiRes,
             const QRect& panelRect, Format format) {
    QString name = stem + (format == Format::Png ? ".png" : ".bmp");
    if (format == Format::Png) {
      writePng(dir_ + "/" + name, image);
      writePng(dir_ + "/" + hiResName(name), hiRes);
    } else {
      writeBmp24(dir_ + "/" + name, flattenOnKey(image, Qt::white));
      writeBmp24(dir_ + "/" + hiResName(name), flattenOnKey(hiRes, Qt::white));
    }
    layout_[number] = {name, panelRect.translated(kLcd.topLeft())};
  }

  QString dir_;
  SkinLayout& layout_;
};

void addIndicators(SegmentWriter& w) {
  w.add(14, "game_a", textPath({6, 12}, "GAME A", 8));
  w.add(15, "game_b", textPath({6, 23}, "GAME B", 8));
  for (int n = 1; n <= 10; ++n) {
    const QPointF centre(68 + 12 * (n - 1), 47);
    w.add(15 + n, QStringLiteral("miss_mark_%1").arg(n, 2, 10, QChar('0')),
          crackedStar(centre, 5.4, 10 * n));
  }
  // Image26..29, the digit positions, have no picture of their own.
  QPainterPath colon;
  colon.addEllipse(QPointF(132.5, 14), 1.9, 1.9);
  colon.addEllipse(QPointF(132.5, 26), 1.9, 1.9);
  w.add(30, "colon", colon);
  w.add(31, "am", textPath({65, 14}, "AM", 9), Format::KeyedBmp);
  w.add(32, "pm", textPath({65, 28}, "PM", 9), Format::KeyedBmp);
  w.add(33, "time_1", textPath({184, 11}, "TIME 1", 8));
  w.add(34, "time_2", textPath({184, 21}, "TIME 2", 8));
  w.add(35, "bell", bellPath({7, 28}, 11), Format::KeyedBmp);
  w.add(36, "alarm", textPath({21, 37}, "ALARM", 8));
  w.add(37, "chrono", textPath({184, 41}, "CHRONO", 8));
  w.add(38, "date", textPath({184, 31}, "DATE", 8));
  for (int d = 0; d <= 9; ++d) w.addDigit(39 + d, d);
}

void addPlayfield(SegmentWriter& w) {
  for (int c = 1; c <= 3; ++c) {
    const qreal cx = kColumnX[c - 1];
    w.add(49 + (c - 1), QStringLiteral("hero_%1_1").arg(c), heroBody(cx, kGround));
    w.add(52 + (c - 1), QStringLiteral("hero_%1_2").arg(c), heroStandingArms(cx, kGround));
    w.add(55 + (c - 1), QStringLiteral("hero_%1_3").arg(c), heroCatchingArms(cx, kGround));
    for (int r = 1; r <= 5; ++r) {
      // each row a little further along the star's slanting path, tumbling as it falls
      const QPointF centre(cx - 12 + 6 * (r - 1), 62 + 17 * (r - 1));
      w.add(58 + 3 * (r - 1) + (c - 1), QStringLiteral("item_%1_%2").arg(c).arg(r),
            starPath(centre, 7.5, 3.2, 14.0 * (r - 1) + 7 * c));
    }
    w.add(72 + c, QStringLiteral("got_%1").arg(c), sparkle(QPointF(cx, 150), 9));
    w.add(75 + c, QStringLiteral("miss_%1").arg(c),
          crackedStar(QPointF(cx + 29, kGround - 8), 8.5, 36));
    w.add(78 + c, QStringLiteral("target_%1").arg(c), landingMarker(cx - 28, kGround));
  }
}

}  // namespace

void generateLcdSegments(const QString& skinDir, SkinLayout& layout) {
  SegmentWriter writer(skinDir, layout);
  addIndicators(writer);
  addPlayfield(writer);
  for (int p = 0; p < 4; ++p) {
    layout[26 + p] = {QString(), QRect(kLcd.left() + kDigitX[p], kLcd.top() + kDigitY, kDigitWidth,
                                       kDigitHeight)};
  }
}

}  // namespace tavro::assets
