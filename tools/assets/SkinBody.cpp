#include "SkinBody.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "ButtonArt.h"
#include "Geometry.h"
#include "ImageIo.h"
#include "LcdArt.h"
#include "Palette.h"

namespace tavro::assets {

namespace {

using namespace geometry;

const ButtonSpec* const kButtons[] = {&kGameA, &kGameB, &kTime, &kSet, &kLeft, &kRight};

QPainterPath shellPath() {
  QPainterPath path;
  path.addRoundedRect(QRectF(kBody), kBodyRadius, kBodyRadius);
  return path;
}

void drawShell(QPainter& p) {
  const QPainterPath shell = shellPath();
  QLinearGradient g(kBody.topLeft(), kBody.bottomLeft());
  g.setColorAt(0, palette::kBodyLight);
  g.setColorAt(1, palette::kBodyDark);
  p.setPen(QPen(palette::kBodyEdge, 2));
  p.setBrush(g);
  p.drawPath(shell);
  // a soft lit edge along the top of the shell, fading downwards
  QLinearGradient lit(QPointF(0, kBody.top()), QPointF(0, kBody.top() + 70));
  lit.setColorAt(0, QColor(255, 255, 255, 70));
  lit.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QBrush(lit), 1.5));
  p.drawRoundedRect(QRectF(kBody).adjusted(3, 3, -3, -3), kBodyRadius - 3, kBodyRadius - 3);
  // grip grooves at the two lower corners
  p.setPen(QPen(QColor(0, 0, 0, 50), 2));
  for (int i = 0; i < 4; ++i) {
    const int y = kBody.bottom() - 40 + i * 7;
    p.drawLine(kBody.left() + 20 + i * 4, y, kBody.left() + 44 + i * 4, y);
    p.drawLine(kBody.right() - 44 - i * 4, y, kBody.right() - 20 - i * 4, y);
  }
}

void drawFacePlate(QPainter& p) {
  const QRectF plate(kBezel.left() - 10, kBody.top() + 8, kBezel.width() + 20, kBody.height() - 16);
  QLinearGradient g(plate.topLeft(), plate.bottomLeft());
  g.setColorAt(0, palette::kFacePlate.lighter(104));
  g.setColorAt(1, palette::kFacePlate.darker(108));
  p.setPen(QPen(palette::kBodyEdge, 1.5));
  p.setBrush(g);
  p.drawRoundedRect(plate, 18, 18);

  // the bezel and the LCD glass behind the segments
  p.setPen(Qt::NoPen);
  p.setBrush(palette::kBezel);
  p.drawRoundedRect(QRectF(kBezel), 10, 10);
  QLinearGradient lcd(kLcd.topLeft(), kLcd.bottomRight());
  lcd.setColorAt(0, palette::kLcd.lighter(103));
  lcd.setColorAt(1, palette::kLcdDark);
  p.setBrush(lcd);
  p.drawRect(kLcd);

  // three printed stars on the bezel's top edge, the product's mark
  for (int i = 0; i < 3; ++i) {
    p.setBrush(QColor(0xE8, 0xC2, 0x3A));
    p.drawPath(starPath(QPointF(kBezel.center().x() - 16 + i * 16, kBezel.top() + 7),
                        i == 1 ? 4.5 : 3.5, i == 1 ? 1.9 : 1.5, 0));
  }

  // the product name under the screen
  QFont name("Liberation Sans");
  name.setPixelSize(30);
  name.setBold(true);
  name.setItalic(true);
  p.setFont(name);
  p.setPen(palette::kBodyDark);
  const QRect nameRect(kBezel.left(), kBezel.bottom() + 8, kBezel.width(), 34);
  p.drawText(nameRect, Qt::AlignCenter, QStringLiteral("Tavro50"));
  QFont maker("Liberation Sans");
  maker.setPixelSize(11);
  maker.setBold(true);
  maker.setLetterSpacing(QFont::AbsoluteSpacing, 3);
  p.setFont(maker);
  p.setPen(palette::kBezel);
  p.drawText(QRect(kBezel.left(), nameRect.bottom() + 1, kBezel.width(), 16), Qt::AlignCenter,
             QStringLiteral("VELQUIN  \u00B7  STAR CATCHER"));
}

// Turns the drawn shell into the keyed body: covered pixels become opaque over
// the shell's edge colour, uncovered ones exactly the key colour.
QImage keyed(const QImage& drawn) {
  const QImage src = drawn.convertToFormat(QImage::Format_ARGB32);
  QImage out(src.size(), QImage::Format_RGB32);
  const QRgb key = palette::kKey.rgb();
  const QColor edge = palette::kBodyEdge;
  for (int y = 0; y < src.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < src.width(); ++x) {
      const int a = qAlpha(in[x]);
      if (a < 100) {
        line[x] = key;
        continue;
      }
      auto mix = [a](int c, int e) { return (c * a + e * (255 - a)) / 255; };
      QRgb c = qRgb(mix(qRed(in[x]), edge.red()), mix(qGreen(in[x]), edge.green()),
                    mix(qBlue(in[x]), edge.blue()));
      if ((c & 0xFFFFFFu) == (key & 0xFFFFFFu)) c = qRgb(0xFE, 0x00, 0xFF);
      line[x] = c;
    }
  }
  return out;
}

QImage drawBody(bool withCaps, int scale) {
  QImage canvas = transparentCanvas(kGameWidth * scale, kGameHeight * scale);
  QPainter p(&canvas);
  p.scale(scale, scale);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  drawShell(p);
  drawFacePlate(p);
  for (const ButtonSpec* b : kButtons) {
    drawButtonWell(p, *b);
    drawButtonLabel(p, *b);
    if (withCaps) drawButtonCap(p, *b, false);
  }
  p.end();
  return keyed(canvas);
}

QImage screenTop(int scale) {
  QImage glass = transparentCanvas(kLcd.width() * scale, kLcd.height() * scale);
  QPainter p(&glass);
  p.scale(scale, scale);
  p.setRenderHint(QPainter::Antialiasing);
  // inner shadow along the top and left edges, where the bezel overhangs the glass
  for (int i = 0; i < 5; ++i) {
    const QColor c(0, 0, 0, 70 - i * 14);
    p.fillRect(QRect(i, i, kLcd.width() - i, 1), c);
    p.fillRect(QRect(i, i + 1, 1, kLcd.height() - i - 1), c);
  }
  // a faint diagonal sheen across the upper left
  QPolygonF sheen;
  sheen << QPointF(0, 0) << QPointF(kLcd.width() * 0.55, 0) << QPointF(0, kLcd.height() * 0.5);
  QLinearGradient g(QPointF(0, 0), QPointF(kLcd.width() * 0.3, kLcd.height() * 0.3));
  g.setColorAt(0, QColor(255, 255, 255, 46));
  g.setColorAt(1, QColor(255, 255, 255, 8));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPolygon(sheen);
  p.end();
  return glass;
}

}  // namespace

QImage bodyPicture(bool withCaps, int scale) {
  return drawBody(withCaps, scale);
}

void generateBody(const QString& skinDir, SkinLayout& layout) {
  writeBmp24(skinDir + "/body.bmp", drawBody(true, 1));
  writeBmp24(skinDir + "/" + hiResName("body.bmp"), drawBody(true, kHiResScale));
  layout[1] = {"body.bmp", QRect(0, 0, kGameWidth, kGameHeight)};
  writePng(skinDir + "/screen_top.png", screenTop(1));
  writePng(skinDir + "/" + hiResName("screen_top.png"), screenTop(kHiResScale));
  layout[2] = {"screen_top.png", kLcd};
}

}  // namespace tavro::assets
