#include "ColourArt.h"

#include <QLinearGradient>
#include <QPainterPath>

#include "LcdArt.h"
#include "Palette.h"

namespace tavro::assets {

void drawStar(QPainter& p, QPointF centre, qreal radius, qreal rotation) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(palette::kStarEdge, std::max(0.8, radius / 8), Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin));
  p.setBrush(palette::kStar);
  p.drawPath(starPath(centre, radius, radius * 0.45, rotation));
  p.restore();
}

void drawRobot(QPainter& p, const QRectF& box, bool armsUp) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(box.topLeft());
  p.scale(box.width() / 100.0, box.height() / 120.0);
  const QPen outline(palette::kRobotDark.darker(140), 2.2, Qt::SolidLine, Qt::RoundCap,
                     Qt::RoundJoin);
  QLinearGradient metal(QPointF(0, 0), QPointF(100, 0));
  metal.setColorAt(0, palette::kRobot.lighter(115));
  metal.setColorAt(1, palette::kRobot.darker(115));

  // arms first, so the body overlaps the shoulders
  p.setPen(QPen(palette::kRobotDark, 7, Qt::SolidLine, Qt::RoundCap));
  if (armsUp) {
    p.drawLine(QPointF(26, 62), QPointF(10, 26));
    p.drawLine(QPointF(74, 62), QPointF(90, 26));
  } else {
    p.drawLine(QPointF(24, 62), QPointF(16, 88));
    p.drawLine(QPointF(76, 62), QPointF(84, 88));
  }
  p.setPen(outline);
  p.setBrush(palette::kRobotDark);
  if (armsUp) {
    p.drawEllipse(QPointF(9, 23), 5, 5);
    p.drawEllipse(QPointF(91, 23), 5, 5);
  } else {
    p.drawEllipse(QPointF(16, 90), 5, 5);
    p.drawEllipse(QPointF(84, 90), 5, 5);
  }
  // antenna
  p.drawLine(QPointF(50, 17), QPointF(50, 9));
  p.setBrush(palette::kStar);
  p.drawEllipse(QPointF(50, 7), 4, 4);
  // treads
  p.setBrush(QColor(0x3A, 0x40, 0x48));
  p.drawRoundedRect(QRectF(22, 96, 56, 20), 9, 9);
  p.setBrush(palette::kRobot);
  for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(34 + i * 16, 106), 5, 5);
  // torso with the star emblem
  p.setBrush(metal);
  p.drawRoundedRect(QRectF(24, 56, 52, 40), 9, 9);
  p.drawRect(QRectF(44, 50, 12, 6));
  p.restore();
  drawStar(p, box.topLeft() + QPointF(box.width() * 0.5, box.height() * 76 / 120.0),
           box.width() * 0.11, 0);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(box.topLeft());
  p.scale(box.width() / 100.0, box.height() / 120.0);
  p.setPen(outline);
  // head with visor and eyes
  p.setBrush(metal);
  p.drawRoundedRect(QRectF(24, 16, 52, 36), 10, 10);
  p.setBrush(QColor(0x22, 0x2A, 0x33));
  p.drawRoundedRect(QRectF(31, 24, 38, 18), 7, 7);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x6F, 0xE8, 0xFF));
  p.drawEllipse(QPointF(42, 33), 4.2, 4.2);
  p.drawEllipse(QPointF(58, 33), 4.2, 4.2);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(43.2, 31.8), 1.3, 1.3);
  p.drawEllipse(QPointF(59.2, 31.8), 1.3, 1.3);
  p.restore();
}

void drawNightSky(QPainter& p, const QRectF& area, int starCount, unsigned seed) {
  p.save();
  QLinearGradient sky(area.topLeft(), area.bottomLeft());
  sky.setColorAt(0, QColor(0x03, 0x06, 0x14));
  sky.setColorAt(0.7, QColor(0x0A, 0x16, 0x34));
  sky.setColorAt(1, QColor(0x16, 0x24, 0x48));
  p.fillRect(area, sky);
  p.setRenderHint(QPainter::Antialiasing);
  unsigned state = seed;
  auto next = [&state]() {
    state = state * 1103515245u + 12345u;
    return (state >> 8) & 0xFFFF;
  };
  p.setPen(Qt::NoPen);
  for (int i = 0; i < starCount; ++i) {
    const qreal x = area.left() + area.width() * next() / 65536.0;
    const qreal y = area.top() + area.height() * next() / 65536.0;
    const int level = next() % 100;
    const qreal r = level > 96 ? 1.6 : (level > 80 ? 1.0 : 0.6);
    p.setBrush(QColor(255, 250, 230, 90 + level * 165 / 100));
    p.drawEllipse(QPointF(x, y), r, r);
  }
  p.restore();
}

}  // namespace tavro::assets
