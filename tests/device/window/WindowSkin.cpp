#include "WindowSkin.h"

namespace tavro::testing {

QRgb digitColour(int d) {
  return qRgb(10 + 20 * d, 0, 100);
}

void writeWindowSkin(const TestSkin& skin, const std::string& extraConfig) {
  QImage body = solid(100, 60, QColor::fromRgb(kBody));
  for (int y = 40; y < 50; ++y) {
    for (int x = 40; x < 50; ++x) {
      body.setPixel(x, y, kKey);
    }
  }
  body.setPixel(0, 59, kKey);  // the bitmap's transparent colour
  skin.writePicture("Graphics/Skin/body.bmp", body);
  QImage leftTop = solid(20, 10, QColor::fromRgb(kLeftTop), QImage::Format_ARGB32);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 5; ++x) {
      leftTop.setPixel(x, y, qRgba(0, 0, 0, 0));  // the pressed image shows through here
    }
  }
  skin.writePicture("Graphics/Skin/left_top.png", leftTop);
  skin.writePicture("Graphics/Skin/left_down.bmp", solid(20, 10, QColor::fromRgb(kLeftDown)));
  skin.writePicture("Graphics/Skin/hero.png",
                    solid(10, 10, QColor::fromRgb(kHero), QImage::Format_ARGB32));
  skin.writePicture("Graphics/Skin/set.bmp", solid(2, 2, QColor::fromRgb(kSet)));
  std::string digits;
  for (int d = 0; d <= 9; ++d) {
    QImage glyph = solid(5, 7, Qt::white);
    for (int y = 1; y < 6; ++y) {
      glyph.setPixel(2, y, digitColour(d));
    }
    const std::string name = "digit" + std::to_string(d) + ".bmp";
    skin.writePicture(QString::fromStdString("Graphics/Skin/" + name), glyph);
    digits += imageSection(39 + d, name, 90, 50, 5, 7);
  }
  skin.writeConfig(
      "[Common]\nGameWidth=100\nGameHeight=60\n[VideoMode]\nTranspColor=$00ff00ff\n" +
      imageSection(1, "body.bmp", 0, 0, 100, 60) + imageSection(4, "no_such.bmp", 70, 10, 10, 10) +
      imageSection(9, "set.bmp", 70, 40, 8, 8) + imageSection(10, "left_down.bmp", 10, 10, 20, 10) +
      imageSection(11, "left_top.png", 10, 10, 20, 10) +
      imageSection(14, "no_such.bmp", 85, 10, 10, 10) + imageSection(26, "nil", 60, 5, 5, 7) +
      imageSection(49, "hero.png", 15, 12, 10, 10) + digits + extraConfig);
}

}  // namespace tavro::testing
