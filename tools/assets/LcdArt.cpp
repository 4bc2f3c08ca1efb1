#include "LcdArt.h"

#include <QFont>
#include <QPainterPathStroker>
#include <QTransform>
#include <cmath>
#include <numbers>

#include "Palette.h"

namespace tavro::assets {

QPainterPath starPath(QPointF centre, qreal outer, qreal inner, qreal rotation) {
  QPolygonF poly;
  for (int i = 0; i < 10; ++i) {
    const qreal r = (i % 2 == 0) ? outer : inner;
    const qreal a = (rotation - 90 + i * 36) * std::numbers::pi / 180.0;
    poly << centre + QPointF(r * std::cos(a), r * std::sin(a));
  }
  QPainterPath path;
  path.addPolygon(poly);
  path.closeSubpath();
  return path;
}

void drawInk(QPainter& p, const QPainterPath& shape) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 42));
  p.drawPath(shape.translated(1.3, 1.6));
  QColor ink = palette::kInk;
  ink.setAlpha(238);
  p.setBrush(ink);
  p.drawPath(shape);
  p.restore();
}

QPainterPath textPath(QPointF origin, const QString& text, int pixelSize) {
  QFont font("Liberation Sans");
  font.setPixelSize(pixelSize);
  font.setBold(true);
  QPainterPath path;
  path.addText(origin, font, text);
  return path;
}

QPainterPath strokePath(const QPainterPath& line, qreal width) {
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(Qt::RoundCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  return stroker.createStroke(line).simplified();
}

namespace {

// One bar of a seven-segment digit with pointed ends.
QPolygonF bar(QPointF a, QPointF b, qreal t) {
  const bool horizontal = std::abs(b.x() - a.x()) > std::abs(b.y() - a.y());
  const qreal h = t / 2;
  QPolygonF poly;
  if (horizontal) {
    poly << a << QPointF(a.x() + h, a.y() - h) << QPointF(b.x() - h, b.y() - h) << b
         << QPointF(b.x() - h, b.y() + h) << QPointF(a.x() + h, a.y() + h);
  } else {
    poly << a << QPointF(a.x() + h, a.y() + h) << QPointF(b.x() + h, b.y() - h) << b
         << QPointF(b.x() - h, b.y() - h) << QPointF(a.x() - h, a.y() + h);
  }
  return poly;
}

}  // namespace

QPainterPath digitPath(QPointF o, int digit) {
  // segments a..g: top, upper right, lower right, bottom, lower left, upper left, middle
  static const int kMasks[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  const qreal t = 3.2, g = 0.7;
  const qreal l = o.x() + 1.8, r = o.x() + 13.2;
  const qreal top = o.y() + 2, mid = o.y() + 14, bottom = o.y() + 26;
  const QPolygonF bars[7] = {
      bar({l + g, top}, {r - g, top}, t),    bar({r, top + g}, {r, mid - g}, t),
      bar({r, mid + g}, {r, bottom - g}, t), bar({l + g, bottom}, {r - g, bottom}, t),
      bar({l, mid + g}, {l, bottom - g}, t), bar({l, top + g}, {l, mid - g}, t),
      bar({l + g, mid}, {r - g, mid}, t),
  };
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  for (int s = 0; s < 7; ++s) {
    if (kMasks[digit] & (1 << s)) {
      path.addPolygon(bars[s]);
      path.closeSubpath();
    }
  }
  // a slight italic slant, as printed LCD digits have
  QTransform slant;
  slant.translate(o.x(), o.y() + 28);
  slant.shear(-0.06, 0);
  slant.translate(-o.x(), -(o.y() + 28));
  return slant.map(path);
}

QPainterPath heroBody(qreal cx, qreal g) {
  QPainterPath solid;
  solid.setFillRule(Qt::WindingFill);
  solid.addRoundedRect(QRectF(cx - 8, g - 50, 16, 15), 3, 3);  // head
  solid.addRect(QRectF(cx - 10, g - 46, 2, 6));                // ears
  solid.addRect(QRectF(cx + 8, g - 46, 2, 6));
  solid.addRect(QRectF(cx - 3, g - 36, 6, 4));                  // neck
  solid.addRoundedRect(QRectF(cx - 10, g - 32, 20, 17), 3, 3);  // torso
  solid.addRoundedRect(QRectF(cx - 12, g - 13, 24, 13), 5, 5);  // tread
  QPainterPath holes;
  holes.addRect(QRectF(cx - 5.5, g - 45, 3.5, 3.5));  // eyes
  holes.addRect(QRectF(cx + 2, g - 45, 3.5, 3.5));
  holes.addRect(QRectF(cx - 3.5, g - 39.5, 7, 1.3));          // mouth
  holes.addPath(starPath(QPointF(cx, g - 23.5), 4.6, 2, 0));  // chest star
  for (int i = -1; i <= 1; ++i) holes.addEllipse(QPointF(cx + 6.5 * i, g - 6.5), 2.4, 2.4);
  return solid.simplified().subtracted(holes);
}

QPainterPath heroStandingArms(qreal cx, qreal g) {
  QPainterPath arms;
  arms.moveTo(cx - 12.5, g - 29);
  arms.lineTo(cx - 15, g - 18);
  arms.moveTo(cx + 12.5, g - 29);
  arms.lineTo(cx + 15, g - 18);
  QPainterPath path = strokePath(arms, 3.2);
  path.addEllipse(QPointF(cx - 15.2, g - 16.5), 2.6, 2.6);
  path.addEllipse(QPointF(cx + 15.2, g - 16.5), 2.6, 2.6);
  return path.simplified();
}

QPainterPath heroCatchingArms(qreal cx, qreal g) {
  QPainterPath lines;
  lines.moveTo(cx - 12.5, g - 33);
  lines.lineTo(cx - 16, g - 58);
  lines.moveTo(cx + 12.5, g - 33);
  lines.lineTo(cx + 16, g - 58);
  QPainterPath path = strokePath(lines, 3.2);
  // the net: a bowl hung between the hands
  QPainterPath bowl;
  bowl.moveTo(cx - 17, g - 64);
  bowl.quadTo(cx, g - 48, cx + 17, g - 64);
  bowl.quadTo(cx, g - 55, cx - 17, g - 64);
  path.addPath(strokePath(bowl, 1.4));
  path.addPath(bowl);
  return path.simplified();
}

QPainterPath crackedStar(QPointF c, qreal radius, qreal rotation) {
  const QPainterPath star = starPath(c, radius, radius * 0.45, rotation);
  QPainterPath crack;
  crack.moveTo(c + QPointF(-1, -radius - 1));
  crack.lineTo(c + QPointF(1.5, -radius * 0.35));
  crack.lineTo(c + QPointF(-1.2, radius * 0.15));
  crack.lineTo(c + QPointF(1.2, radius + 1));
  QPainterPath broken = star.subtracted(strokePath(crack, radius > 6 ? 1.6 : 1.1));
  if (radius > 6) {
    // two shards thrown off on landing
    broken.addRect(QRectF(c.x() - radius - 4, c.y() + radius * 0.4, 2, 2));
    broken.addRect(QRectF(c.x() + radius + 2, c.y() + radius * 0.2, 2, 2));
  }
  return broken;
}

QPainterPath sparkle(QPointF c, qreal radius) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  for (int i = 0; i < 8; ++i) {
    const qreal a = i * std::numbers::pi / 4;
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF across(-dir.y(), dir.x());
    const qreal outer = (i % 2 == 0) ? radius : radius * 0.7;
    const qreal inner = radius * 0.32;
    const qreal half = (i % 2 == 0) ? 1.5 : 1.1;
    QPolygonF ray;
    ray << c + dir * inner + across * half << c + dir * outer << c + dir * inner - across * half;
    path.addPolygon(ray);
    path.closeSubpath();
  }
  path.addEllipse(c, radius * 0.2, radius * 0.2);
  return path.simplified();
}

QPainterPath landingMarker(qreal cx, qreal g) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  QPolygonF arrow;
  arrow << QPointF(cx - 5, g - 13) << QPointF(cx + 5, g - 13) << QPointF(cx, g - 6);
  path.addPolygon(arrow);
  path.closeSubpath();
  path.addRoundedRect(QRectF(cx - 7, g - 3.5, 14, 3), 1, 1);
  return path.simplified();
}

QPainterPath bellPath(QPointF o, qreal s) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  path.moveTo(o + QPointF(s * 0.12, s * 0.78));
  path.cubicTo(o + QPointF(s * 0.28, s * 0.62), o + QPointF(s * 0.18, s * 0.12),
               o + QPointF(s * 0.5, s * 0.1));
  path.cubicTo(o + QPointF(s * 0.82, s * 0.12), o + QPointF(s * 0.72, s * 0.62),
               o + QPointF(s * 0.88, s * 0.78));
  path.closeSubpath();
  path.addEllipse(o + QPointF(s * 0.5, s * 0.88), s * 0.12, s * 0.12);
  path.addRect(QRectF(o + QPointF(s * 0.45, 0), QSizeF(s * 0.1, s * 0.12)));
  return path.simplified();
}

}  // namespace tavro::assets
