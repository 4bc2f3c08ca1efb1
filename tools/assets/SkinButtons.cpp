#include "SkinButtons.h"

#include <QPainter>

#include "ButtonArt.h"
#include "Geometry.h"
#include "ImageIo.h"
#include "SkinBody.h"

namespace tavro::assets {

namespace {

using namespace geometry;

// The pressed picture: the shell under the button's rectangle with the cap pushed in.
QImage pressedPicture(const QImage& body, const ButtonSpec& b, int scale) {
  const QRect r = buttonRect(b);
  QImage image =
      body.copy(QRect(r.topLeft() * scale, r.size() * scale)).convertToFormat(QImage::Format_RGB32);
  QPainter p(&image);
  p.scale(scale, scale);
  p.translate(-r.topLeft());
  drawButtonCap(p, b, true);  // the top picture above it adds the rim
  return image;
}

// The top picture: only the rim; the cap below shows through.
QImage topPicture(const ButtonSpec& b, int scale) {
  const QRect r = buttonRect(b);
  QImage image = transparentCanvas(r.width() * scale, r.height() * scale);
  QPainter p(&image);
  p.scale(scale, scale);
  p.translate(-r.topLeft());
  drawButtonRim(p, b);
  return image;
}

// The set button: a whole small cap with its rim, stretched to its control.
QImage setPicture(const ButtonSpec& b, int scale) {
  const QRect r = buttonRect(b);
  QImage image = transparentCanvas(r.width() * scale, r.height() * scale);
  QPainter p(&image);
  p.scale(scale, scale);
  p.translate(-r.topLeft());
  drawButtonCap(p, b, false);
  drawButtonRim(p, b);
  return image;
}

}  // namespace

void generateButtons(const QString& skinDir, SkinLayout& layout) {
  const QImage body = bodyPicture(false);
  const QImage hiResBody = bodyPicture(false, kHiResScale);
  struct Pair {
    const ButtonSpec* button;
    int down;
    int top;
  };
  const Pair pairs[] = {
      {&kGameA, 3, 4}, {&kGameB, 5, 6}, {&kTime, 7, 8}, {&kLeft, 10, 11}, {&kRight, 12, 13}};
  for (const Pair& pair : pairs) {
    const QString stem = QStringLiteral("btn_%1").arg(QString::fromLatin1(pair.button->name));
    writeBmp24(skinDir + "/" + stem + "_down.bmp", pressedPicture(body, *pair.button, 1));
    writeBmp24(skinDir + "/" + stem + "_down@2x.bmp",
               pressedPicture(hiResBody, *pair.button, kHiResScale));
    writePng(skinDir + "/" + stem + "_top.png", topPicture(*pair.button, 1));
    writePng(skinDir + "/" + stem + "_top@2x.png", topPicture(*pair.button, kHiResScale));
    layout[pair.down] = {stem + "_down.bmp", buttonRect(*pair.button)};
    layout[pair.top] = {stem + "_top.png", buttonRect(*pair.button)};
  }
  writePng(skinDir + "/btn_set.png", setPicture(kSet, 1));
  writePng(skinDir + "/btn_set@2x.png", setPicture(kSet, kHiResScale));
  layout[9] = {"btn_set.png", buttonRect(kSet)};
}

}  // namespace tavro::assets
