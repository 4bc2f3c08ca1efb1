#include "ButtonArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "Palette.h"

namespace tavro::assets {

namespace {

QRectF capRect(const geometry::ButtonSpec& b) {
  return QRectF(b.centre.x() - b.w / 2.0, b.centre.y() - b.h / 2.0, b.w, b.h);
}

QPainterPath capShape(const QRectF& r, bool round) {
  QPainterPath path;
  if (round) {
    path.addEllipse(r);
  } else {
    path.addRoundedRect(r, r.height() / 2, r.height() / 2);
  }
  return path;
}

bool isBig(const geometry::ButtonSpec& b) {
  return b.round && b.w > 30;
}

// The engraved arrow of the big buttons, pointing left or right.
void drawArrow(QPainter& p, const QRectF& cap, bool left, const QColor& colour) {
  const QPointF c = cap.center();
  const qreal s = cap.width() * 0.2;
  QPolygonF arrow;
  if (left) {
    arrow << QPointF(c.x() - s, c.y()) << QPointF(c.x() + s * 0.7, c.y() - s)
          << QPointF(c.x() + s * 0.7, c.y() + s);
  } else {
    arrow << QPointF(c.x() + s, c.y()) << QPointF(c.x() - s * 0.7, c.y() - s)
          << QPointF(c.x() - s * 0.7, c.y() + s);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(arrow);
}

}  // namespace

void drawButtonWell(QPainter& p, const geometry::ButtonSpec& b) {
  const qreal grow = isBig(b) ? 4 : 2.5;
  const QRectF r = capRect(b).adjusted(-grow, -grow, grow, grow);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  QLinearGradient shade(r.topLeft(), r.bottomLeft());
  shade.setColorAt(0, palette::kBodyEdge.darker(160));
  shade.setColorAt(1, palette::kBodyEdge);
  p.setBrush(shade);
  p.drawPath(capShape(r, b.round));
  p.restore();
}

void drawButtonCap(QPainter& p, const geometry::ButtonSpec& b, bool pressed) {
  QRectF r = capRect(b);
  if (pressed) r.translate(1, 1);
  const bool big = isBig(b);
  const QColor base = big ? palette::kCapOrange : palette::kCapGrey;
  const QColor dark = big ? palette::kCapOrangeDark : palette::kCapGreyDark;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  if (!pressed) {
    // a drop shadow under the raised cap
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(capShape(r.translated(1.2, 1.8), b.round));
  }
  QRadialGradient light(r.center() - QPointF(r.width() * 0.2, r.height() * 0.25),
                        std::max(r.width(), r.height()) * 0.8);
  light.setColorAt(0, pressed ? base : base.lighter(135));
  light.setColorAt(0.55, pressed ? dark : base);
  light.setColorAt(1, pressed ? dark.darker(130) : dark);
  p.setBrush(light);
  p.setPen(QPen(dark.darker(150), 1));
  p.drawPath(capShape(r, b.round));
  if (!pressed) {
    // specular highlight of the raised cap
    QRectF shine =
        r.adjusted(r.width() * 0.18, r.height() * 0.1, -r.width() * 0.18, -r.height() * 0.55);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawPath(capShape(shine, true));
  }
  if (big) {
    drawArrow(p, r, QString(b.name) == "left", dark.darker(pressed ? 140 : 115));
  }
  p.restore();
}

void drawButtonRim(QPainter& p, const geometry::ButtonSpec& b) {
  const qreal grow = isBig(b) ? 4.5 : 3;
  const QRectF r = capRect(b).adjusted(-grow, -grow, grow, grow);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(10, 25, 30, 170), 1.4));
  p.drawPath(capShape(r, b.round));
  p.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
  p.drawPath(capShape(r.adjusted(-1.2, -1.2, 1.2, 1.2), b.round));
  p.restore();
}

void drawButtonLabel(QPainter& p, const geometry::ButtonSpec& b) {
  QFont font("Liberation Sans");
  font.setPixelSize(10);
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.8);
  p.save();
  p.setFont(font);
  p.setPen(palette::kLabel);
  const QRect r = geometry::buttonRect(b);
  if (isBig(b)) {
    p.drawText(QRect(r.left() - 20, r.bottom() + 4, r.width() + 40, 14), Qt::AlignCenter,
               QString::fromLatin1(b.label));
  } else {
    p.drawText(QRect(r.left() - 30, r.top() - 15, r.width() + 60, 14), Qt::AlignCenter,
               QString::fromLatin1(b.label));
  }
  p.restore();
}

}  // namespace tavro::assets
