#include "Backdrops.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include "ColourArt.h"
#include "ImageIo.h"
#include "Palette.h"

namespace tavro::assets {

namespace {

QImage nightSky(int scale) {
  QImage sky(1280 * scale, 1024 * scale, QImage::Format_RGB32);
  QPainter p(&sky);
  p.scale(scale, scale);
  drawNightSky(p, QRectF(0, 0, 1280, 1024), 900, 50);
  // a few bright falling stars with trails
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF falling[] = {{180, 160}, {1040, 260}, {320, 760}, {980, 820}, {640, 110}};
  for (int i = 0; i < 5; ++i) {
    const QPointF c = falling[i];
    QLinearGradient trail(c - QPointF(90, 60), c);
    trail.setColorAt(0, QColor(255, 220, 120, 0));
    trail.setColorAt(1, QColor(255, 220, 120, 110));
    p.setPen(QPen(QBrush(trail), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c - QPointF(90, 60), c);
    drawStar(p, c, 9 + i % 3 * 3, i * 17);
  }
  // a faint horizon glow
  QLinearGradient glow(QPointF(0, 860), QPointF(0, 1024));
  glow.setColorAt(0, QColor(40, 70, 130, 0));
  glow.setColorAt(1, QColor(40, 70, 130, 90));
  p.fillRect(QRect(0, 860, 1280, 164), glow);
  return sky;
}

}  // namespace

QImage logoPicture(int scale) {
  QImage logo = transparentCanvas(200 * scale, 60 * scale);
  QPainter p(&logo);
  p.scale(scale, scale);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  drawStar(p, QPointF(27, 30), 19, -12);
  QFont font("Liberation Sans");
  font.setPixelSize(34);
  font.setBold(true);
  font.setItalic(true);
  p.setFont(font);
  p.setPen(QColor(0, 0, 0, 120));
  p.drawText(QRect(52, 6, 148, 48), Qt::AlignVCenter | Qt::AlignLeft, "Tavro50");
  p.setPen(Qt::white);
  p.drawText(QRect(50, 4, 148, 48), Qt::AlignVCenter | Qt::AlignLeft, "Tavro50");
  return logo;
}

void generateBackdrops(const QString& dir) {
  writeJpeg(dir + "/night_sky.jpg", nightSky(1), 88);
  writeJpeg(dir + "/night_sky@2x.jpg", nightSky(kHiResScale), 88);
  writePng(dir + "/logo.png", logoPicture(1));
  writePng(dir + "/logo@2x.png", logoPicture(kHiResScale));
}

}  // namespace tavro::assets
