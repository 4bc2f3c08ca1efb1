// The skin loader's steps and failure paths, against a fake window.

#include <gtest/gtest.h>

#include <stdexcept>

#include "FakeSkinTarget.h"
#include "TestSkin.h"
#include "skin/gfxinit.h"

namespace tavro::testing {
namespace {

const std::string kCommon = "[Common]\nSkinDir=Graphics\\Skin\nGameWidth=561\nGameHeight=374\n";

std::string loadError(FakeSkinTarget& target) {
  try {
    Gfx_Load_Skin(target);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

class SkinLoader : public ::testing::Test {
 protected:
  TestSkin skin;
  FakeSkinTarget target;
};

TEST_F(SkinLoader, MissingConfigShowsBoxAsksToQuitAndStillSetsTheGameMenu) {
  target.fullscreen = true;
  target.menuBackground.setGeometry(QRect(0, 0, 256, 448));
  target.menuTop.setVisible(false);
  Gfx_Load_Skin(target);
  ASSERT_EQ(target.events.size(), 2u);
  EXPECT_EQ(target.events[0],
            "box:Configuration file (Config.ini) not found. Please reinstall the game.");
  EXPECT_EQ(target.events[1], "quit");
  EXPECT_TRUE(target.menuTop.isVisible());
  EXPECT_TRUE(target.menuBackground.isVisible());
  EXPECT_EQ(target.menuBackground.rect(), QRect(0, 0, 36, 32));
  // Nothing else is touched.
  EXPECT_EQ(target.width, 561);
  EXPECT_EQ(target.height, 374);
  EXPECT_FALSE(target.skin[1].hasPicture());

  target.fullscreen = false;
  Gfx_Load_Skin(target);
  EXPECT_FALSE(target.menuTop.isVisible());
  EXPECT_FALSE(target.menuBackground.isVisible());
}

TEST_F(SkinLoader, BadBgColorStopsFullscreenLoadAfterTheClientSize) {
  skin.writePicture("Graphics/Skin/body.bmp", solid(20, 20, Qt::green));
  skin.writePicture("Graphics/Backdrops/back.png", solid(30, 30, Qt::blue));
  skin.writeConfig(
      "[Common]\nGameWidth=300\nGameHeight=200\n[Fullscreen]\nBackdropFile=back.png\n"
      "BgColor= red \n" +
      imageSection(1, "body.bmp", 5, 5, 20, 20));
  target.fullscreen = true;
  target.backdrop.setVisible(false);
  target.menuTop.setVisible(false);
  EXPECT_EQ(loadError(target), "'red' is not a valid integer value");
  EXPECT_EQ(target.width, 300);
  EXPECT_EQ(target.height, 200);
  EXPECT_TRUE(target.backdrop.hasPicture());  // loaded before the colour
  EXPECT_TRUE(target.backdrop.isVisible());
  EXPECT_FALSE(target.skin[1].hasPicture());
  EXPECT_EQ(target.skin[1].rect(), QRect(0, 0, 0, 0));
  EXPECT_FALSE(target.menuTop.isVisible());  // step 8 not reached
}

TEST_F(SkinLoader, ColourErrorsOnlyCountInTheirOwnMode) {
  skin.writeConfig(kCommon + "[Fullscreen]\nBgColor=red\n[VideoMode]\nTranspColor=blue\n");
  target.fullscreen = false;
  EXPECT_EQ(loadError(target), "'blue' is not a valid integer value");
  skin.writeConfig(kCommon + "[Fullscreen]\nBgColor=red\n[VideoMode]\nTranspColor=$0000ff00\n");
  EXPECT_EQ(loadError(target), "");
  EXPECT_EQ(target.key, qRgb(0, 255, 0));
  EXPECT_EQ(target.background, qRgb(0, 255, 0));
  EXPECT_TRUE(target.keyOn);

  skin.writeConfig(kCommon + "[Fullscreen]\nBgColor=$00ff0000\n[VideoMode]\nTranspColor=blue\n");
  target.fullscreen = true;
  EXPECT_EQ(loadError(target), "");
  EXPECT_EQ(target.background, qRgb(0, 0, 255));  // 0x00BBGGRR
  EXPECT_FALSE(target.keyOn);
}

TEST_F(SkinLoader, ColourDefaults) {
  skin.writeConfig(kCommon);
  Gfx_Load_Skin(target);
  EXPECT_EQ(target.key, qRgb(255, 0, 255));
  target.fullscreen = true;
  Gfx_Load_Skin(target);
  EXPECT_EQ(target.background, qRgb(0, 0, 0));
}

TEST_F(SkinLoader, UnknownExtensionStopsAtThatFile) {
  skin.writePicture("Graphics/Skin/a.bmp", solid(4, 4, Qt::green));
  skin.writePicture("Graphics/Skin/c.png", solid(4, 4, Qt::green));
  skin.writeBytes("Graphics/Skin/b.gif", "GIF89a");
  skin.writeConfig(kCommon + imageSection(1, "a.bmp", 1, 2, 3, 4) +
                   imageSection(2, "b.gif", 5, 6, 7, 8) + imageSection(3, "c.png", 9, 9, 9, 9));
  target.skin[2].setPicture(missingImageMarker());
  target.menuTop.setVisible(true);
  EXPECT_EQ(loadError(target), "Unknown picture file extension (.gif)");
  EXPECT_TRUE(target.skin[1].hasPicture());
  EXPECT_EQ(target.skin[1].rect(), QRect(1, 2, 3, 4));
  EXPECT_EQ(target.skin[2].picture().image.size(), QSize(10, 10));  // kept its old picture
  EXPECT_EQ(target.skin[2].rect(), QRect(0, 0, 0, 0));              // and its old place
  EXPECT_FALSE(target.skin[3].hasPicture());
  EXPECT_TRUE(target.menuTop.isVisible());  // step 8 not reached
}

TEST_F(SkinLoader, BrokenBitmapStopsTheLoad) {
  skin.writeBytes("Graphics/Skin/bad.bmp", "BMxx not a bitmap");
  skin.writeConfig(kCommon + imageSection(4, "bad.bmp", 1, 1, 1, 1));
  EXPECT_EQ(loadError(target), "Bitmap image is not valid");
}

TEST_F(SkinLoader, CorruptPicturesStopTheLoadWithAnError) {
  QByteArray garbage(4096, '\0');
  for (int i = 0; i < garbage.size(); ++i) {
    garbage[i] = static_cast<char>((i * 7919) & 0xff);
  }
  for (const char* name : {"x.png", "x.jpg", "x.jpeg", "x.bmp"}) {
    skin.writeBytes(QString("Graphics/Skin/") + name, garbage);
    skin.writeConfig(kCommon + imageSection(12, name, 1, 1, 1, 1));
    target.skin[12].clearPicture();
    EXPECT_FALSE(loadError(target).empty()) << name;
    EXPECT_FALSE(target.skin[12].hasPicture()) << name;
  }
}

TEST_F(SkinLoader, MissingPictureGetsTheMarkerAndItsPlace) {
  skin.writeConfig(kCommon + imageSection(5, "nothere.bmp", 40, 50, 6, 7));
  Gfx_Load_Skin(target);
  const Picture& marker = target.skin[5].picture();
  ASSERT_FALSE(marker.isNull());
  EXPECT_EQ(marker.image.size(), QSize(10, 10));
  EXPECT_EQ(marker.image.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(marker.image.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(target.skin[5].rect(), QRect(40, 50, 6, 7));
  EXPECT_TRUE(target.events.empty());
}

TEST_F(SkinLoader, NilAndEmptyNamesKeepThePictureButTakeTheGeometry) {
  skin.writeConfig(kCommon + imageSection(6, "nil", 11, 12, 13, 14) +
                   "[Image7]\nFilename=\nLeft=3\nTop=4\nWidth=5\nHeight=6\n");
  target.skin[6].setPicture(missingImageMarker());
  Gfx_Load_Skin(target);
  EXPECT_TRUE(target.skin[6].hasPicture());
  EXPECT_EQ(target.skin[6].rect(), QRect(11, 12, 13, 14));
  EXPECT_EQ(target.skin[7].rect(), QRect(3, 4, 5, 6));
  EXPECT_FALSE(target.skin[7].hasPicture());
}

TEST_F(SkinLoader, NilInOtherCaseIsAFileName) {
  skin.writeConfig(kCommon + imageSection(8, "NIL", 0, 0, 10, 10));
  Gfx_Load_Skin(target);
  EXPECT_EQ(target.skin[8].picture().image.size(), QSize(10, 10));  // the marker
}

TEST_F(SkinLoader, WindowedLoadPlacesAtConfiguredPositions) {
  skin.writeConfig(kCommon + "[Fullscreen]\nGameOffsetX=50\n" +
                   imageSection(81, "nil", 7, 8, 9, 10));
  target.skin[10].setGeometry(QRect(3, 3, 3, 3));
  Gfx_Load_Skin(target);
  EXPECT_EQ(target.skin[81].rect(), QRect(7, 8, 9, 10));
  EXPECT_EQ(target.skin[10].rect(), QRect(0, 0, 0, 0));  // missing section
  EXPECT_EQ(target.width, 561);
}

struct OffsetCase {
  const char* x;
  const char* y;
  QSize screen;
  QPoint expected;
};

class SkinLoaderOffsets : public SkinLoader, public ::testing::WithParamInterface<OffsetCase> {};

TEST_P(SkinLoaderOffsets, MoveEverySkinImage) {
  const OffsetCase& c = GetParam();
  skin.writeConfig(kCommon + "[Fullscreen]\nGameOffsetX=" + c.x + "\nGameOffsetY=" + c.y + "\n" +
                   imageSection(20, "nil", 10, 20, 5, 5));
  target.fullscreen = true;
  target.screen = c.screen;
  Gfx_Load_Skin(target);
  EXPECT_EQ(target.skin[20].rect(), QRect(c.expected + QPoint(10, 20), QSize(5, 5)));
  EXPECT_EQ(target.skin[30].rect(), QRect(c.expected, QSize(0, 0)));  // missing section
  EXPECT_EQ(target.width, c.screen.width());
  EXPECT_EQ(target.height, c.screen.height());
  EXPECT_EQ(target.backdrop.rect(), QRect(QPoint(0, 0), c.screen));
}

INSTANTIATE_TEST_SUITE_P(Offsets, SkinLoaderOffsets,
                         ::testing::Values(OffsetCase{"Center", "Center", {1024, 768}, {231, 197}},
                                           OffsetCase{"Center", "Center", {500, 300}, {-30, -37}},
                                           OffsetCase{"0", "middle", {1024, 768}, {231, 197}},
                                           OffsetCase{"-40", "$20", {1024, 768}, {-40, 32}},
                                           OffsetCase{"10", "", {1024, 768}, {10, 197}}));

TEST_F(SkinLoader, LogoCorners) {
  skin.writePicture("Graphics/Backdrops/logo.png", solid(100, 50, Qt::white));
  target.fullscreen = true;
  target.screen = QSize(1280, 1024);
  const std::pair<int, QPoint> cases[] = {
      {0, {0, 0}}, {1, {1180, 0}}, {2, {0, 974}}, {3, {1180, 974}}};
  for (const auto& [position, expected] : cases) {
    skin.writeConfig(kCommon + "[Fullscreen]\nLogoFile=logo.png\nLogoPosition=" +
                     std::to_string(position) + "\n");
    Gfx_Load_Skin(target);
    EXPECT_EQ(target.logo.rect(), QRect(expected, QSize(100, 50))) << position;
  }
  skin.writeConfig(kCommon + "[Fullscreen]\nLogoFile=logo.png\nLogoPosition=4\n");
  Gfx_Load_Skin(target);
  EXPECT_EQ(target.logo.rect().topLeft(), QPoint(1180, 974));  // left where it was
}

TEST_F(SkinLoader, DefaultLogoPositionIsTopRight) {
  skin.writePicture("Graphics/Backdrops/logo.bmp", solid(10, 10, Qt::white));
  skin.writeConfig(kCommon + "[Fullscreen]\nLogoFile=logo.bmp\n");
  target.fullscreen = true;
  Gfx_Load_Skin(target);
  EXPECT_EQ(target.logo.rect(), QRect(1014, 0, 10, 10));
}

TEST_F(SkinLoader, WindowedLoadHidesBackdropAndLogoAndFullscreenShowsThemAgain) {
  skin.writePicture("Graphics/Backdrops/back.jpg", solid(64, 64, Qt::blue));
  skin.writePicture("Graphics/Backdrops/logo.png", solid(8, 8, Qt::white));
  skin.writeConfig(kCommon + "[Fullscreen]\nBackdropFile=back.jpg\nLogoFile=logo.png\n");
  target.fullscreen = true;
  Gfx_Load_Skin(target);
  EXPECT_TRUE(target.backdrop.isVisible());
  EXPECT_TRUE(target.logo.isVisible());

  target.fullscreen = false;
  Gfx_Load_Skin(target);
  EXPECT_FALSE(target.backdrop.isVisible());
  EXPECT_FALSE(target.logo.isVisible());
  EXPECT_TRUE(target.backdrop.hasPicture());  // pictures stay
  EXPECT_EQ(target.width, 561);

  target.fullscreen = true;
  Gfx_Load_Skin(target);
  EXPECT_TRUE(target.backdrop.isVisible());
  EXPECT_TRUE(target.logo.isVisible());
}

TEST_F(SkinLoader, MissingBackdropFileLeavesBackdropAsItWas) {
  skin.writeConfig(kCommon + "[Fullscreen]\nBackdropFile=gone.png\nLogoFile=NIL\n");
  target.fullscreen = true;
  target.backdrop.setVisible(false);
  target.logo.setVisible(false);
  Gfx_Load_Skin(target);
  EXPECT_FALSE(target.backdrop.isVisible());
  EXPECT_FALSE(target.logo.isVisible());
}

TEST_F(SkinLoader, BackdropStretchUsesTheLowByte) {
  skin.writePicture("Graphics/Backdrops/back.png", solid(4, 4, Qt::blue));
  target.fullscreen = true;
  skin.writeConfig(kCommon + "[Fullscreen]\nBackdropFile=back.png\nBackdropStretch=256\n");
  Gfx_Load_Skin(target);
  EXPECT_FALSE(target.backdrop.stretch());
  skin.writeConfig(kCommon + "[Fullscreen]\nBackdropFile=back.png\nBackdropStretch=2\n");
  Gfx_Load_Skin(target);
  EXPECT_TRUE(target.backdrop.stretch());
}

TEST_F(SkinLoader, GameSizeAndSkinFolderRules) {
  skin.writePicture("Skins/Retro/body.png", solid(3, 3, Qt::red));
  skin.writeConfig("[common]\nskindir=skins\\retro\ngamewidth=0x200\nGAMEHEIGHT=abc\n" +
                   imageSection(1, "BODY.png", 0, 0, 3, 3));
  Gfx_Load_Skin(target);
  EXPECT_EQ(target.width, 512);
  EXPECT_EQ(target.height, 374);
  EXPECT_EQ(target.skin[1].picture().kind, PictureKind::Png);
}

TEST_F(SkinLoader, HugeOrNegativeGeometryIsHarmless) {
  skin.writeConfig(kCommon + "[Fullscreen]\nGameOffsetX=2147483647\n" +
                   imageSection(9, "nil", 2147483647, -2147483647, -5, 2000000000));
  target.fullscreen = true;
  Gfx_Load_Skin(target);
  EXPECT_EQ(target.skin[9].width(), 0);
  EXPECT_GE(target.skin[9].height(), 0);
}

TEST(ColourRef, IsBlueGreenRed) {
  EXPECT_EQ(colourFromColorRef(0x00ff00ff), qRgb(255, 0, 255));
  EXPECT_EQ(colourFromColorRef(0x000000ff), qRgb(255, 0, 0));
  EXPECT_EQ(colourFromColorRef(0x00ff0000), qRgb(0, 0, 255));
  EXPECT_EQ(colourFromColorRef(0x00123456), qRgb(0x56, 0x34, 0x12));
}

}  // namespace
}  // namespace tavro::testing
