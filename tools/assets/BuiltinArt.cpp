#include "BuiltinArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdlib>

#include "ColourArt.h"
#include "ImageIo.h"
#include "Palette.h"

namespace tavro::assets {

QImage gameMenuPicture() {
  QImage menu(256, 512, QImage::Format_ARGB32);
  menu.fill(qRgba(0, 0, 0, 204));
  for (int y = 0; y < 32; ++y) {
    auto* line = reinterpret_cast<QRgb*>(menu.scanLine(y));
    for (int x = 0; x < 256; ++x) line[x] = qRgba(0, 0, 0, 255);
  }
  // the three-line menu symbol inside the first 36 x 32 pixels
  for (int bar = 0; bar < 3; ++bar) {
    for (int y = 9 + bar * 6; y < 12 + bar * 6; ++y) {
      auto* line = reinterpret_cast<QRgb*>(menu.scanLine(y));
      for (int x = 8; x < 28; ++x) line[x] = qRgba(255, 255, 255, 255);
    }
  }
  // the title, drawn on an opaque copy of the band so the band stays opaque
  QImage band(256, 32, QImage::Format_RGB32);
  band.fill(Qt::black);
  QPainter p(&band);
  QFont font("Liberation Sans");
  font.setPixelSize(15);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(44, 0, 200, 32), Qt::AlignVCenter | Qt::AlignLeft, "Game menu");
  p.end();
  for (int y = 0; y < 32; ++y) {
    for (int x = 40; x < 256; ++x) menu.setPixel(x, y, band.pixel(x, y) | 0xFF000000u);
  }
  return menu;
}

QImage splashBackground() {
  QImage bg(460, 420, QImage::Format_RGB32);
  for (int y = 0; y < 420; ++y) {
    const QRgb c = (y < 52 || y >= 380) ? qRgb(0x08, 0x29, 0x52)
                   : (y < 220)          ? qRgb(0x18, 0x52, 0x94)
                                        : qRgb(0xFF, 0xFF, 0xFF);
    auto* line = reinterpret_cast<QRgb*>(bg.scanLine(y));
    for (int x = 0; x < 460; ++x) line[x] = c;
  }
  return bg;
}

QImage splashBox() {
  QImage box(200, 115, QImage::Format_RGB32);
  box.fill(palette::kDay);
  QPainter p(&box);
  p.setRenderHint(QPainter::Antialiasing);
  // floor shadow, then the box's side and top faces in perspective
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawEllipse(QRectF(30, 100, 150, 12));
  const QPolygonF top{QPointF(44, 12), QPointF(150, 12), QPointF(166, 4), QPointF(60, 4)};
  const QPolygonF side{QPointF(150, 12), QPointF(166, 4), QPointF(166, 96), QPointF(150, 106)};
  p.setPen(QPen(QColor(0x04, 0x14, 0x2A), 1));
  p.setBrush(QColor(0x2C, 0x6C, 0xB4));
  p.drawPolygon(top);
  p.setBrush(QColor(0x0E, 0x2E, 0x5A));
  p.drawPolygon(side);
  // the front: night sky, the robot catching a star, the name
  const QRectF front(44, 12, 106, 94);
  p.save();
  p.setClipRect(front);
  drawNightSky(p, front, 40, 7);
  p.restore();
  p.setBrush(Qt::NoBrush);
  p.drawRect(front);
  drawRobot(p, QRectF(98, 48, 42, 50), true);
  drawStar(p, QPointF(119, 40), 7, 12);
  drawStar(p, QPointF(134, 24), 4, 30);
  QFont name("Liberation Sans");
  name.setPixelSize(17);
  name.setBold(true);
  name.setItalic(true);
  p.setFont(name);
  p.setPen(Qt::white);
  p.drawText(QRectF(48, 14, 80, 22), Qt::AlignLeft | Qt::AlignVCenter, "Tavro50");
  QFont small("Liberation Sans");
  small.setPixelSize(7);
  small.setBold(true);
  p.setFont(small);
  p.setPen(palette::kStar);
  p.drawText(QRectF(49, 35, 60, 10), Qt::AlignLeft, "STAR CATCHER");
  p.setPen(QColor(0xCF, 0xDD, 0xF0));
  p.drawText(QRectF(49, 82, 60, 10), Qt::AlignLeft, "GAME & CLOCK");
  p.drawText(QRectF(49, 92, 60, 10), Qt::AlignLeft, "VELQUIN");
  // the side face carries the name upright
  p.save();
  p.translate(160, 92);
  p.rotate(-90);
  p.setFont(small);
  p.setPen(QColor(0xCF, 0xDD, 0xF0));
  p.drawText(QRectF(0, -6, 80, 10), Qt::AlignLeft, "TAVRO50");
  p.restore();
  return box;
}

QImage splashButton(const QString& text, bool donate, bool disabled) {
  QImage button(107, 30, QImage::Format_RGB32);
  button.fill(Qt::white);
  QPainter p(&button);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(1, 1, 105, 28);
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  if (donate) {
    g.setColorAt(0, QColor(0xFF, 0xD8, 0x6A));
    g.setColorAt(1, QColor(0xE8, 0x9A, 0x10));
  } else {
    g.setColorAt(0, QColor(0x5A, 0x9C, 0xF0));
    g.setColorAt(1, QColor(0x10, 0x46, 0xA8));
  }
  p.setPen(QPen(donate ? QColor(0xA0, 0x64, 0x00) : QColor(0x08, 0x29, 0x52), 1));
  p.setBrush(g);
  p.drawRoundedRect(r, 8, 8);
  // gloss on the upper half
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 80));
  p.drawRoundedRect(QRectF(4, 3, 99, 11), 5, 5);
  QFont font("Liberation Sans");
  font.setPixelSize(donate ? 13 : 15);
  font.setBold(true);
  p.setFont(font);
  p.setPen(donate ? QColor(0x08, 0x29, 0x52) : Qt::white);
  p.drawText(r, Qt::AlignCenter, text);
  p.end();
  if (disabled) {
    for (int y = 0; y < button.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(button.scanLine(y));
      for (int x = 0; x < button.width(); ++x) {
        const int grey = qGray(line[x]);
        const int pale = 255 - (255 - grey) * 55 / 100;
        line[x] = qRgb(pale, pale, pale);
      }
    }
  }
  return button;
}

QImage aboutPortrait() {
  QImage portrait(116, 160, QImage::Format_RGB32);
  QPainter p(&portrait);
  drawNightSky(p, QRectF(0, 0, 116, 160), 60, 3);
  p.setRenderHint(QPainter::Antialiasing);
  // a soft spotlight behind the mascot
  QRadialGradient light(QPointF(58, 70), 60);
  light.setColorAt(0, QColor(0x5A, 0x8C, 0xD0, 150));
  light.setColorAt(1, QColor(0x5A, 0x8C, 0xD0, 0));
  p.fillRect(portrait.rect(), light);
  drawRobot(p, QRectF(18, 28, 80, 96), true);
  drawStar(p, QPointF(58, 22), 11, 8);
  QFont font("Liberation Sans");
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 132, 116, 22), Qt::AlignCenter, "the Tavro50 team");
  p.setPen(QPen(QColor(0xCF, 0xDD, 0xF0), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, 114, 158));
  return portrait;
}

QImage appIcon() {
  QImage icon = transparentCanvas(64, 64);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(QPointF(0, 0), QPointF(0, 64));
  g.setColorAt(0, palette::kDay);
  g.setColorAt(1, palette::kNight);
  p.setPen(QPen(QColor(0x04, 0x14, 0x2A), 1.5));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(1, 1, 62, 62), 12, 12);
  drawRobot(p, QRectF(10, 18, 40, 44), true);
  drawStar(p, QPointF(46, 15), 11, 15);
  return icon;
}

QImage manualButton(ManualGlyph glyph, bool pressed) {
  constexpr int w = 16, h = 14;
  QImage b(w, h, QImage::Format_RGB32);
  b.fill(qRgb(0x00, 0x00, 0xFF));
  const QRgb lightOuter = qRgb(0xC0, 0xC0, 0xFF), lightInner = qRgb(0x80, 0x80, 0xFF);
  const QRgb darkOuter = qRgb(0, 0, 0), darkInner = qRgb(0x00, 0x00, 0xC0);
  // released: light along top and left, dark along bottom and right; pressed: swapped
  const QRgb tlOuter = pressed ? darkOuter : lightOuter;
  const QRgb tlInner = pressed ? darkInner : lightInner;
  const QRgb brOuter = pressed ? lightOuter : darkOuter;
  const QRgb brInner = pressed ? lightInner : darkInner;
  for (int x = 0; x < w - 1; ++x) b.setPixel(x, 0, tlOuter);
  for (int y = 0; y < h - 1; ++y) b.setPixel(0, y, tlOuter);
  for (int x = 1; x < w - 2; ++x) b.setPixel(x, 1, tlInner);
  for (int y = 1; y < h - 2; ++y) b.setPixel(1, y, tlInner);
  for (int x = 0; x < w; ++x) b.setPixel(x, h - 1, brOuter);
  for (int y = 0; y < h; ++y) b.setPixel(w - 1, y, brOuter);
  for (int x = 1; x < w - 1; ++x) b.setPixel(x, h - 2, brInner);
  for (int y = 1; y < h - 1; ++y) b.setPixel(w - 2, y, brInner);
  const int d = pressed ? 1 : 0;
  auto dot = [&](int x, int y) { b.setPixel(x + d, y + d, qRgb(255, 255, 255)); };
  for (int k = 0; k <= 6; ++k) {
    const int y = 3 + k;
    switch (glyph) {
      case ManualGlyph::Close:
        dot(4 + k, y), dot(5 + k, y), dot(10 - k, y), dot(11 - k, y);
        break;
      case ManualGlyph::Left:
        dot(6 + std::abs(k - 3), y), dot(7 + std::abs(k - 3), y);
        break;
      case ManualGlyph::Right:
        dot(9 - std::abs(k - 3), y), dot(8 - std::abs(k - 3), y);
        break;
    }
  }
  return b;
}

std::vector<std::pair<QString, QImage>> builtinPictures() {
  return {
      {"game_menu", gameMenuPicture()},
      {"splash_background", splashBackground()},
      {"splash_box", splashBox()},
      {"splash_play", splashButton("Play", false, false)},
      {"splash_play_disabled", splashButton("Play", false, true)},
      {"splash_donate", splashButton("Donate Now", true, false)},
      {"about_portrait", aboutPortrait()},
      {"icon", appIcon()},
      {"manual_close_up", manualButton(ManualGlyph::Close, false)},
      {"manual_close_down", manualButton(ManualGlyph::Close, true)},
      {"manual_left_up", manualButton(ManualGlyph::Left, false)},
      {"manual_left_down", manualButton(ManualGlyph::Left, true)},
      {"manual_right_up", manualButton(ManualGlyph::Right, false)},
      {"manual_right_down", manualButton(ManualGlyph::Right, true)},
  };
}

}  // namespace tavro::assets
