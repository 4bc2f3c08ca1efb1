// The generated Config.ini: complete, Windows-friendly, and naming only
// pictures that exist, decode and fit their controls.

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include "DistFolder.h"

namespace tavro::assets_test {
namespace {

const char* const kMissing = "\x01missing";

QByteArray rawConfig() {
  QFile file(QString::fromStdString(distFolder() + "/Config.ini"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return file.readAll();
}

TEST(ConfigFile, UsesCrlfLineEndsAndCommentsOnTheirOwnLines) {
  const QByteArray text = rawConfig();
  ASSERT_FALSE(text.isEmpty());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
  }
  int comments = 0;
  for (const QByteArray& line : text.split('\n')) {
    const QByteArray l = line.trimmed();
    if (l.startsWith(';')) {
      ++comments;
    } else {
      EXPECT_FALSE(l.contains(';')) << "comment after a value: " << l.toStdString();
    }
  }
  EXPECT_GT(comments, 81);  // at least one per Image section
}

TEST(ConfigFile, HasEveryKeyWithTheDocumentedDefaults) {
  const IniFile& ini = config();
  struct Key {
    const char* section;
    const char* key;
    const char* value;
  };
  const Key keys[] = {
      {"Common", "SkinDir", "Graphics\\Skin\\"},
      {"Common", "GameWidth", "561"},
      {"Common", "GameHeight", "374"},
      {"Fullscreen", "BackdropDir", "Graphics\\Backdrops\\"},
      {"Fullscreen", "BackdropStretch", "0"},
      {"Fullscreen", "BgColor", "$00000000"},
      {"Fullscreen", "GameOffsetX", "Center"},
      {"Fullscreen", "GameOffsetY", "Center"},
      {"Fullscreen", "LogoPosition", "1"},
      {"VideoMode", "TranspColor", "$00ff00ff"},
      {"Manual", "ManualDir", "Graphics\\Manual\\"},
      {"Manual", "ManualWidth", "415"},
      {"Manual", "ManualHeight", "270"},
  };
  for (const Key& k : keys) {
    EXPECT_EQ(ini.readString(k.section, k.key, kMissing), k.value) << k.section << "/" << k.key;
  }
  EXPECT_NE(ini.readString("Fullscreen", "BackdropFile", kMissing), kMissing);
  EXPECT_NE(ini.readString("Fullscreen", "LogoFile", kMissing), kMissing);
  for (int n = 1; n <= 81; ++n) {
    for (const char* key : {"Filename", "Left", "Top", "Width", "Height"}) {
      EXPECT_NE(ini.readString(section(n), key, kMissing), kMissing) << section(n) << "/" << key;
    }
  }
}

TEST(ConfigFile, EveryNamedSkinPictureExistsDecodesAndFitsItsControl) {
  int named = 0;
  for (int n = 1; n <= 81; ++n) {
    const std::string name = imageFilename(n);
    if (isNoFile(name)) continue;
    ++named;
    const std::string path = skinFile(name);
    ASSERT_TRUE(fileExists(path)) << section(n) << ": " << path;
    Picture picture;
    ASSERT_NO_THROW(picture = loadPicture(path)) << path;
    ASSERT_FALSE(picture.isNull()) << path;
    const QRect rect = imageRect(n);
    EXPECT_EQ(picture.image.size(), rect.size()) << section(n) << " " << name;
    EXPECT_TRUE(QRect(0, 0, 561, 374).contains(rect)) << section(n);
  }
  EXPECT_EQ(named, 81 - 4);  // all but the four digit positions
}

TEST(ConfigFile, DigitPositionsHaveNoPictureAndTheSizeOfEveryDigit) {
  const QSize digitSize = skinPicture(39).image.size();
  ASSERT_FALSE(digitSize.isEmpty());
  for (int d = 0; d <= 9; ++d) EXPECT_EQ(skinPicture(39 + d).image.size(), digitSize) << d;
  int previousRight = -1;
  for (int p = 26; p <= 29; ++p) {
    EXPECT_EQ(config().readString(section(p), "Filename", kMissing), "") << section(p);
    EXPECT_EQ(imageRect(p).size(), digitSize) << section(p);
    EXPECT_GT(imageRect(p).left(), previousRight) << "positions run left to right";
    previousRight = imageRect(p).right();
  }
  // the colon stands between positions 2 and 3
  EXPECT_GT(imageRect(30).left(), imageRect(27).right());
  EXPECT_LT(imageRect(30).right(), imageRect(28).left());
}

TEST(ConfigFile, PicturesUseTheFormatsTheirControlsExpect) {
  for (int n : {3, 5, 7, 10, 12}) {
    EXPECT_EQ(skinPicture(n).kind, PictureKind::Bitmap) << "pressed picture " << section(n);
  }
  for (int n : {2, 4, 6, 8, 9, 11, 13}) {
    const Picture p = skinPicture(n);
    EXPECT_EQ(p.kind, PictureKind::Png) << section(n);
    EXPECT_TRUE(p.image.hasAlphaChannel()) << section(n);
  }
  // Some segments are keyed bitmaps: white in the bottom-left corner, ink elsewhere.
  int keyedBitmaps = 0;
  for (int n = 14; n <= 81; ++n) {
    if (n >= 26 && n <= 29) continue;
    const Picture p = skinPicture(n);
    if (p.kind == PictureKind::Bitmap) {
      ++keyedBitmaps;
      EXPECT_EQ(p.transparentColor() & 0xFFFFFFu, 0xFFFFFFu) << section(n);
      EXPECT_LT(preparePicture(p, true).pixelColor(p.image.width() - 1, 0).alpha(), 255);
    } else {
      EXPECT_EQ(p.kind, PictureKind::Png) << section(n);
    }
  }
  EXPECT_GE(keyedBitmaps, 3);
}

TEST(ConfigFile, BackdropIsAJpegAndLogoAPngWithAlpha) {
  const std::string dir = config().readString("Fullscreen", "BackdropDir", "");
  const Picture backdrop =
      loadPicture(distFile(dir, config().readString("Fullscreen", "BackdropFile", "")));
  EXPECT_EQ(backdrop.kind, PictureKind::Jpeg);
  EXPECT_EQ(backdrop.image.size(), QSize(1280, 1024));
  // dark, so the handheld stands out
  EXPECT_LT(
      qGray(
          backdrop.image.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0)),
      60);
  const Picture logo =
      loadPicture(distFile(dir, config().readString("Fullscreen", "LogoFile", "")));
  EXPECT_EQ(logo.kind, PictureKind::Png);
  EXPECT_TRUE(logo.image.hasAlphaChannel());
  EXPECT_EQ(logo.image.pixelColor(0, 59).alpha(), 0);
}

}  // namespace
}  // namespace tavro::assets_test
