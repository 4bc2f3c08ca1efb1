// The device window's composed frame: drawing rules, stacking, colour-key
// shape, partial repaints, digit copies and the fullscreen layout.

#include <gtest/gtest.h>

#include <QFile>

#include "WindowSkin.h"
#include "device/window/unit1.h"
#include "shell/ErrorBox.h"

namespace tavro::testing {
namespace {

class DeviceWindow : public ::testing::Test {
 protected:
  void load(bool fullscreen = false) {
    form.fullscreen_mode = fullscreen;
    Gfx_Load_Skin(form);
  }
  QRgb at(int x, int y) { return form.frame().pixel(x, y); }

  TestSkin skin;
  TForm1 form;
};

TEST_F(DeviceWindow, WindowedFrameShowsTheSkinOverTheKeyColour) {
  writeWindowSkin(skin);
  load();
  EXPECT_EQ(form.frame().size(), QSize(100, 60));
  EXPECT_EQ(at(5, 5), kBody);
  EXPECT_EQ(at(45, 45), kKey);  // the body's key-coloured hole
  EXPECT_EQ(at(0, 59), kKey);
  EXPECT_EQ(at(20, 15), kLeftTop);
  EXPECT_EQ(at(12, 15), kBody);  // the top is see-through there, pressed image hidden
}

TEST_F(DeviceWindow, PressedImageShowsThroughTheTopImage) {
  writeWindowSkin(skin);
  load();
  form.setVisible(btn_left_down, true);
  EXPECT_EQ(at(12, 15), kLeftDown);
  EXPECT_EQ(at(20, 15), kLeftTop);
}

TEST_F(DeviceWindow, HeroSegmentIsDrawnOverTheButtons) {
  writeWindowSkin(skin);
  load();
  EXPECT_EQ(at(17, 14), kLeftTop);  // segments start hidden
  form.setVisible(im_hero(1, 1), true);
  EXPECT_EQ(at(17, 14), kHero);
  EXPECT_EQ(at(24, 21), kHero);
  form.setVisible(im_hero(1, 1), false);
  EXPECT_EQ(at(17, 14), kLeftTop);
}

TEST_F(DeviceWindow, ScreenLayerIsDrawnOverEverySegment) {
  skin.writePicture("Graphics/Skin/screen.bmp", solid(30, 30, QColor(1, 2, 3)));
  writeWindowSkin(skin, imageSection(2, "screen.bmp", 0, 0, 30, 30));
  load();
  form.setVisible(im_hero(1, 1), true);
  // A one-colour bitmap in a transparent control keys itself out entirely.
  EXPECT_EQ(at(17, 14), kHero);
  skin.writePicture("Graphics/Skin/screen.png", solid(30, 30, QColor(1, 2, 3)));
  writeWindowSkin(skin, imageSection(2, "screen.png", 0, 0, 30, 30));
  load();
  EXPECT_EQ(at(17, 14), qRgb(1, 2, 3));
}

TEST_F(DeviceWindow, SetButtonIsStretched) {
  writeWindowSkin(skin);
  load();
  EXPECT_EQ(at(70, 40), kSet);
  EXPECT_EQ(at(77, 47), kSet);
  EXPECT_EQ(at(78, 47), kBody);
}

TEST_F(DeviceWindow, MarkerInOpaqueAndTransparentControls) {
  writeWindowSkin(skin);
  load();
  // btn_game_a_top (opaque): red with its black border.
  EXPECT_EQ(at(70, 10), qRgb(0, 0, 0));
  EXPECT_EQ(at(79, 19), qRgb(0, 0, 0));
  EXPECT_EQ(at(71, 11), qRgb(255, 0, 0));
  // im_panel_game_a (transparent), once shown: only the red 8 x 8.
  form.setVisible(im_panel_game_a, true);
  EXPECT_EQ(at(85, 10), kBody);
  EXPECT_EQ(at(86, 11), qRgb(255, 0, 0));
  EXPECT_EQ(at(93, 18), qRgb(255, 0, 0));
  EXPECT_EQ(at(94, 19), kBody);
}

TEST_F(DeviceWindow, ShapeLeavesOutExactlyTheKeyColouredPixels) {
  writeWindowSkin(skin);
  load();
  const auto check = [this] {
    const QImage& frame = form.frame();
    const QRegion shape = form.shapeRegion();
    int mismatches = 0;
    for (int y = 0; y < frame.height(); ++y) {
      for (int x = 0; x < frame.width(); ++x) {
        if (shape.contains(QPoint(x, y)) != (frame.pixel(x, y) != kKey)) {
          ++mismatches;
        }
      }
    }
    return mismatches;
  };
  EXPECT_EQ(check(), 0);
  EXPECT_FALSE(form.shapeRegion().contains(QPoint(45, 45)));
  // A segment over the hole fills it in.
  skin.writePicture("Graphics/Skin/hero.png",
                    solid(10, 10, QColor::fromRgb(kHero), QImage::Format_ARGB32));
  writeWindowSkin(skin, imageSection(50, "hero.png", 38, 38, 6, 6));
  load();
  form.setVisible(im_hero(2, 1), true);
  EXPECT_EQ(check(), 0);
  EXPECT_TRUE(form.shapeRegion().contains(QPoint(41, 41)));
  form.setVisible(im_hero(2, 1), false);
  EXPECT_EQ(check(), 0);
  EXPECT_FALSE(form.shapeRegion().contains(QPoint(41, 41)));
}

TEST_F(DeviceWindow, FullscreenHasNoShape) {
  writeWindowSkin(skin);
  form.setScreenSizeOverride(QSize(200, 100));
  load(true);
  EXPECT_TRUE(form.shapeRegion().isEmpty());
  EXPECT_FALSE(form.transparencyKeyEnabled());
}

TEST_F(DeviceWindow, SegmentChangeOnlyRecomposesItsRectangle) {
  writeWindowSkin(skin);
  load();
  form.flush();
  form.setVisible(im_hero(1, 1), true);
  form.flush();
  EXPECT_EQ(form.lastRedrawn(), QRegion(15, 12, 10, 10));
  form.setVisible(im_hero(1, 1), true);  // no change: nothing to do
  form.setVisible(btn_left_down, true);
  form.setVisible(btn_left_down, false);
  form.flush();
  EXPECT_EQ(form.lastRedrawn(), QRegion(10, 10, 20, 10));
}

TEST_F(DeviceWindow, DigitPositionsTakeCopiesOfTheGlyphs) {
  writeWindowSkin(skin);
  load();
  form.setVisible(im_panel_digit_pos(1), true);
  form.setDigit(im_panel_digit_pos(1), 7);
  EXPECT_EQ(at(62, 7), digitColour(7));
  EXPECT_EQ(at(60, 5), kBody);  // the glyph's white is keyed out
  form.setDigit(im_panel_digit_pos(1), 3);
  EXPECT_EQ(at(62, 7), digitColour(3));
  form.setDigit(im_panel_digit_pos(1), -1);
  EXPECT_EQ(at(62, 7), kBody);
  EXPECT_EQ(at(92, 52), kBody);  // the glyphs themselves never show
}

TEST_F(DeviceWindow, DigitsComeBackAfterEverySkinLoad) {
  // A skin that gives the digit position a picture of its own: the load shows
  // that picture, and the digit asked for before must replace it at once.
  writeWindowSkin(skin);
  QFile file(skin.path("Config.ini"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray config = file.readAll();
  file.close();
  const QByteArray nil = "[Image26]\nFilename=nil";
  ASSERT_TRUE(config.contains(nil));
  config.replace(nil, "[Image26]\nFilename=position.bmp");
  skin.writeBytes("Config.ini", config);
  skin.writePicture("Graphics/Skin/position.bmp", solid(5, 7, QColor(0x80, 0x40, 0x20)));
  load();
  form.setVisible(im_panel_digit_pos(1), true);
  form.setDigit(im_panel_digit_pos(1), 7);
  for (const bool fullscreen : {false, true, false}) {
    load(fullscreen);  // as the fullscreen switch reloads the skin
    const QPoint offset = fullscreen ? form.skinControl(1).rect().topLeft() : QPoint(0, 0);
    EXPECT_EQ(at(offset.x() + 62, offset.y() + 7), digitColour(7)) << "fullscreen " << fullscreen;
  }
}

TEST_F(DeviceWindow, DeviceDrivesTheSegments) {
  writeWindowSkin(skin);
  load();
  form.device().device_mode = 0;
  form.device().Gam_Set_Mode();  // every segment on, the panel at 8888
  EXPECT_EQ(at(17, 14), kHero);
  EXPECT_EQ(at(62, 7), digitColour(8));
}

TEST_F(DeviceWindow, FullscreenLayout) {
  skin.writePicture("Graphics/Backdrops/back.jpg", solid(180, 90, Qt::white));
  skin.writePicture("Graphics/Backdrops/logo.png",
                    solid(10, 10, QColor(0, 0, 200), QImage::Format_ARGB32));
  writeWindowSkin(skin,
                  "[Fullscreen]\nBackdropFile=back.jpg\nLogoFile=logo.png\nLogoPosition=2\n"
                  "BgColor=$00000080\n");
  form.setScreenSizeOverride(QSize(200, 100));
  load(true);
  EXPECT_EQ(form.frame().size(), QSize(200, 100));
  EXPECT_EQ(at(5, 50), qRgb(128, 0, 0));    // background colour
  EXPECT_EQ(at(195, 50), qRgb(128, 0, 0));  // backdrop centred: (10..189, 5..94)
  EXPECT_GE(qRed(at(10, 50)), 250);
  EXPECT_GE(qRed(at(189, 94)), 250);
  EXPECT_EQ(at(2, 95), qRgb(0, 0, 200));  // logo bottom-left
  EXPECT_EQ(at(9, 99), qRgb(0, 0, 200));
  EXPECT_GE(qRed(at(10, 92)), 250);
  EXPECT_EQ(at(50 + 5, 20 + 5), kBody);        // game area at ((200-100)/2, (100-60)/2)
  EXPECT_GE(qRed(at(50 + 45, 20 + 45)), 250);  // the body's keyed-out hole shows the backdrop
  EXPECT_EQ(form.gameMenuBackgroundControl().rect(), QRect(0, 0, 36, 32));
  EXPECT_TRUE(form.gameMenuBackgroundControl().isVisible());
  EXPECT_TRUE(form.gameMenuTopControl().isVisible());

  load(false);
  EXPECT_EQ(form.frame().size(), QSize(100, 60));
  EXPECT_EQ(at(5, 5), kBody);
  EXPECT_FALSE(form.gameMenuBackgroundControl().isVisible());
}

TEST_F(DeviceWindow, StretchedBackdrop) {
  skin.writePicture("Graphics/Backdrops/back.bmp", solid(4, 4, Qt::white));
  writeWindowSkin(skin, "[Fullscreen]\nBackdropFile=back.bmp\nBackdropStretch=1\n");
  form.setScreenSizeOverride(QSize(200, 100));
  load(true);
  EXPECT_EQ(at(199, 99), qRgb(255, 255, 255));
  EXPECT_EQ(at(45, 50), qRgb(255, 255, 255));
}

TEST_F(DeviceWindow, CentringOnTheScreen) {
  writeWindowSkin(skin);
  load();
  form.setScreenSizeOverride(QSize(1024, 768));
  form.centreOnScreen();
  EXPECT_EQ(form.pos(), QPoint(462, 354));
  form.setScreenSizeOverride(QSize(99, 30));
  form.centreOnScreen();
  EXPECT_EQ(form.pos(), QPoint(0, 0));
  form.placeOffScreen();
  EXPECT_EQ(form.pos(), QPoint(-99, -30));
}

TEST_F(DeviceWindow, MissingConfigKeepsTheDesignSize) {
  std::vector<QString> boxes;
  setMessageBoxHook(
      [&](const QString& title, const QString& text) { boxes.push_back(title + "|" + text); });
  form.fullscreen_mode = false;
  Gfx_Load_Skin(form);
  setMessageBoxHook(nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0],
            "Error|Configuration file (Config.ini) not found. Please reinstall the game.");
  EXPECT_EQ(form.frame().size(), QSize(561, 374));
  EXPECT_TRUE(form.quitRequested());
}

TEST_F(DeviceWindow, AbsurdGameSizesAreCut) {
  skin.writeConfig("[Common]\nGameWidth=-5\nGameHeight=2000000000\n");
  load();
  EXPECT_TRUE(form.frame().isNull());
  EXPECT_EQ(form.clientHeight(), 8192);
  skin.writeConfig("[Common]\nGameWidth=99999\nGameHeight=3\n");
  load();
  EXPECT_EQ(form.frame().size(), QSize(8192, 3));
  EXPECT_FALSE(form.quitRequested());
}

}  // namespace
}  // namespace tavro::testing
