// Oversized skins: the total of decoded pixels one load brings in is bounded,
// and absurd geometry in Config.ini stays harmless in the real window.

#include <gtest/gtest.h>

#include <stdexcept>

#include <QBuffer>

#include "FakeSkinTarget.h"
#include "TestSkin.h"
#include "device/window/unit1.h"
#include "skin/PictureFiles.h"
#include "skin/gfxinit.h"
#include "support/FolderListingCount.h"

namespace tavro::testing {
namespace {

const std::string kCommon = "[Common]\nSkinDir=Graphics\\Skin\nGameWidth=561\nGameHeight=374\n";

// A fake window that allows a hundred pixels per load.
class SmallBudgetTarget : public FakeSkinTarget {
 public:
  int64_t pictureBudget() const override { return 100; }
};

template <class Target>
class Scaled : public Target {
  qreal screenPixelRatio() const override { return 2.0; }
};

// A square picture with its header whole and its pixels cut short: a few
// bytes after a bitmap's palette, a PNG's IDAT chunk header, a JPEG's scan header.
QByteArray cutShort(const char* format, int side) {
  const std::string kind = format;
  if (kind == "bmp") return QByteArray(bytes(makeLargeBmp(side, side)).left(14 + 40 + 8));
  QByteArray file;
  QBuffer buffer(&file);
  buffer.open(QIODevice::WriteOnly);
  solid(side, side, Qt::red).save(&buffer, format);
  const qsizetype at = file.indexOf(kind == "png" ? "IDAT" : "\xff\xda");
  file.truncate(kind == "png" ? at + 8
                              : at + 2 + (uchar(file[at + 2]) << 8 | uchar(file[at + 3])) + 4);
  return file;
}

std::string loadError(SkinTarget& target) {
  try {
    Gfx_Load_Skin(target);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

TEST(SkinPictureBudget, TheDefaultAllowsLargeSkinsButNotEndlessOnes) {
  FakeSkinTarget target;
  EXPECT_EQ(target.pictureBudget(), kMaxSkinPixels);
  // Two of the largest pictures fit; the 81 sections of a skin cannot each
  // carry one.
  EXPECT_GE(kMaxSkinPixels, 2 * int64_t{8192} * 8192);
  EXPECT_LT(kMaxSkinPixels, 81 * int64_t{4096} * 4096);
}

TEST(SkinPictureBudget, TheLoadStopsAtThePictureThatGoesOverIt) {
  TestSkin skin;
  skin.writePicture("Graphics/Skin/five.png", solid(5, 5, Qt::red));
  std::string config = kCommon;
  for (int n = 1; n <= 81; ++n) config += imageSection(n, "five.png", n, n, 5, 5);
  skin.writeConfig(config);

  SmallBudgetTarget target;
  EXPECT_EQ(loadError(target), kSkinTooLargeMessage);
  // Four pictures of 25 pixels fit; the fifth keeps its old (empty) picture
  // and neither it nor any later section is placed; the game menu is not set.
  EXPECT_FALSE(target.skin[4].picture().isNull());
  EXPECT_EQ(target.skin[4].left(), 4);
  EXPECT_TRUE(target.skin[5].picture().isNull());
  EXPECT_EQ(target.skin[5].width(), 0);
  EXPECT_TRUE(target.skin[81].picture().isNull());
  EXPECT_NE(target.menuBackground.width(), 36);
}

TEST(SkinPictureBudget, BackdropAndLogoCountToo) {
  TestSkin skin;
  skin.writePicture("Graphics/Backdrops/wide.bmp", solid(10, 8, Qt::blue));
  skin.writePicture("Graphics/Backdrops/logo.bmp", solid(5, 5, Qt::green));
  skin.writeConfig(kCommon +
                   "[Fullscreen]\nBackdropFile=wide.bmp\nLogoFile=logo.bmp\nBgColor=$00000000\n");
  SmallBudgetTarget target;
  target.fullscreen = true;
  EXPECT_EQ(loadError(target), kSkinTooLargeMessage);
  EXPECT_FALSE(target.backdrop.picture().isNull());  // 80 pixels fit
  EXPECT_TRUE(target.logo.picture().isNull());       // 25 more do not
}

// Files are charged from their headers, before they are decoded: a picture
// that does not fit stops the load with the budget's error whatever its pixels.
TEST(SkinPictureBudget, APictureIsChargedFromItsHeaderBeforeItIsDecoded) {
  for (const char* format : {"bmp", "png", "jpg"}) {
    TestSkin skin;
    skin.writeBytes(QString("Graphics/Skin/cut.") + format, cutShort(format, 20));
    skin.writeConfig(kCommon + imageSection(1, std::string("cut.") + format, 0, 0, 20, 20));
    SmallBudgetTarget target;
    EXPECT_EQ(loadError(target), kSkinTooLargeMessage) << format;
    EXPECT_FALSE(target.skin[1].hasPicture()) << format;
  }
}

// So are the variants (400 pixels at scale 2): one that does not fit is left
// out undecoded, with every later one; one that fits but does not decode
// gives its pixels back.
TEST(SkinPictureBudget, VariantsAreChargedFromTheirHeaders) {
  for (const auto& [side, laterTaken] : {std::pair{30, false}, std::pair{10, true}}) {
    TestSkin skin;
    skin.writePicture("Graphics/Skin/a.bmp", solid(5, 5, Qt::red));
    skin.writePicture("Graphics/Skin/b.bmp", solid(5, 5, Qt::red));
    skin.writeBytes("Graphics/Skin/a@2x.bmp", cutShort("bmp", side));
    skin.writePicture("Graphics/Skin/b@2x.bmp", solid(10, 10, Qt::blue));
    skin.writeConfig(kCommon + imageSection(14, "a.bmp", 0, 0, 5, 5) +
                     imageSection(15, "b.bmp", 0, 0, 5, 5));
    Scaled<SmallBudgetTarget> target;
    EXPECT_EQ(loadError(target), "") << side;
    EXPECT_FALSE(target.skin[14].hasHiResPicture()) << side;
    EXPECT_EQ(target.skin[15].hasHiResPicture(), laterTaken) << side;
  }
}

// A load lists each folder at most once, however many names are missing from
// it (pictures, and their variants at scale 2).
TEST(SkinPictureBudget, ALoadListsEachFolderOnce) {
  TestSkin skin;
  skin.writePicture("Graphics/Skin/Seg.bmp", solid(5, 5, Qt::red));
  std::string config = kCommon;
  for (int n = 1; n <= 81; ++n)
    config += imageSection(n, n % 2 ? "seg.bmp" : "gone.bmp", 0, 0, 5, 5);
  skin.writeConfig(config);
  resetFolderListings();
  Scaled<FakeSkinTarget> target;
  EXPECT_EQ(loadError(target), "");
  EXPECT_EQ(mostFolderListings(), 1);
}

TEST(SkinPictureBudget, MissingMarkersAndNilCostNothing) {
  TestSkin skin;
  std::string config = kCommon;
  for (int n = 1; n <= 81; ++n) config += imageSection(n, n % 2 ? "absent.bmp" : "nil", 0, 0, 9, 9);
  skin.writeConfig(config);
  SmallBudgetTarget target;
  EXPECT_EQ(loadError(target), "");
  EXPECT_EQ(target.skin[81].picture().image.size(), QSize(10, 10));
}

// The real window with every size and place pushed to the limits: the
// composed frame stays as large as the window, which is cut to 8192 a side.
TEST(OversizedSkinWindow, StretchedAndFarAwayPicturesComposeWithinTheWindow) {
  TestSkin skin;
  skin.writePicture("Graphics/Skin/set.bmp", solid(4, 4, Qt::red));
  skin.writePicture("Graphics/Skin/body.bmp", solid(20, 20, Qt::blue));
  skin.writeConfig("[Common]\nSkinDir=Graphics\\Skin\nGameWidth=300\nGameHeight=200\n" +
                   imageSection(1, "body.bmp", -2147483647, 2147483647, 2000000000, -9) +
                   imageSection(9, "set.bmp", 10, 10, 2000000000, 2000000000) +
                   imageSection(14, "body.bmp", 0, 0, -1, -1));
  TForm1 form;
  form.fullscreen_mode = false;
  Gfx_Load_Skin(form);
  const QImage& frame = form.frame();
  ASSERT_EQ(frame.size(), QSize(300, 200));
  // The set button is stretched over the rest of the window from (10, 10).
  EXPECT_EQ(frame.pixel(150, 150), qRgb(255, 0, 0));
  EXPECT_EQ(frame.pixel(299, 199), qRgb(255, 0, 0));
  EXPECT_NE(frame.pixel(5, 5), qRgb(255, 0, 0));
}

TEST(OversizedSkinWindow, FullscreenWithAGiantGameAreaCentresWithoutOverflow) {
  TestSkin skin;
  skin.writePicture("Graphics/Skin/body.bmp", solid(8, 8, Qt::blue));
  skin.writeConfig(
      "[Common]\nSkinDir=Graphics\\Skin\nGameWidth=2000000000\nGameHeight=-2000000000\n"
      "[Fullscreen]\nBgColor=$00000000\nGameOffsetX=Center\nGameOffsetY=$7FFFFFFF\n" +
      imageSection(1, "body.bmp", 2147483647, -2147483647, 8, 8));
  TForm1 form;
  form.fullscreen_mode = true;
  form.setScreenSizeOverride(QSize(640, 480));
  Gfx_Load_Skin(form);
  EXPECT_EQ(form.frame().size(), QSize(640, 480));
}

}  // namespace
}  // namespace tavro::testing
