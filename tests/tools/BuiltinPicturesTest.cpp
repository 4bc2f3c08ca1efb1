// The pictures built into the program: names, sizes and the exact pixels the
// windows rely on.

#include <gtest/gtest.h>

#include <QImage>

#include "skin/BuiltinPictures.h"
#include "skin/Picture.h"

namespace tavro {
namespace {

QImage builtinImage(const char* name) {
  const builtin::Blob blob = builtin::picture(name);
  EXPECT_FALSE(blob.empty()) << name;
  if (blob.empty()) return {};
  const Picture p = decodeBuiltin(blob);
  EXPECT_EQ(p.kind, PictureKind::Png) << name;
  return p.image.convertToFormat(QImage::Format_ARGB32);
}

TEST(BuiltinPictures, HaveTheirExactSizes) {
  const struct {
    const char* name;
    QSize size;
  } expected[] = {
      {"game_menu", {256, 512}},           {"splash_background", {460, 420}},
      {"splash_box", {200, 115}},          {"splash_play", {107, 30}},
      {"splash_play_disabled", {107, 30}}, {"splash_donate", {107, 30}},
      {"about_portrait", {116, 160}},      {"icon", {64, 64}},
      {"manual_close_up", {16, 14}},       {"manual_close_down", {16, 14}},
      {"manual_left_up", {16, 14}},        {"manual_left_down", {16, 14}},
      {"manual_right_up", {16, 14}},       {"manual_right_down", {16, 14}},
  };
  for (const auto& e : expected) EXPECT_EQ(builtinImage(e.name).size(), e.size) << e.name;
}

TEST(BuiltinPictures, UnknownNameGivesAnEmptyBlob) {
  EXPECT_TRUE(builtin::picture("").empty());
  EXPECT_TRUE(builtin::picture("game_menu_").empty());
  EXPECT_TRUE(builtin::picture("GAME_MENU").empty());
}

TEST(BuiltinPictures, GameMenuHasAnOpaqueTitleBandOverTranslucentBlack) {
  const QImage menu = builtinImage("game_menu");
  ASSERT_EQ(menu.size(), QSize(256, 512));
  int white = 0, symbol = 0;
  for (int y = 0; y < 512; ++y) {
    for (int x = 0; x < 256; ++x) {
      const QRgb c = menu.pixel(x, y);
      if (y < 32) {
        ASSERT_EQ(qAlpha(c), 255) << x << "," << y;
        white += qGray(c) > 200;
        symbol += x < 36 && qGray(c) > 200;
      } else {
        ASSERT_EQ(c, qRgba(0, 0, 0, 204)) << x << "," << y;
      }
    }
  }
  EXPECT_GT(symbol, 30) << "the menu symbol in the first 36 x 32 pixels";
  EXPECT_GT(white - symbol, 60) << "the title";
}

TEST(BuiltinPictures, SplashBackgroundHasItsThreeBands) {
  const QImage bg = builtinImage("splash_background");
  ASSERT_EQ(bg.size(), QSize(460, 420));
  for (int y = 0; y < 420; ++y) {
    const QRgb want = (y < 52 || y >= 380) ? qRgb(0x08, 0x29, 0x52)
                      : y < 220            ? qRgb(0x18, 0x52, 0x94)
                                           : qRgb(0xFF, 0xFF, 0xFF);
    for (int x : {0, 229, 459}) ASSERT_EQ(bg.pixel(x, y), want) << x << "," << y;
  }
}

TEST(BuiltinPictures, DisabledPlayButtonIsAGreyTwin) {
  const QImage play = builtinImage("splash_play");
  const QImage grey = builtinImage("splash_play_disabled");
  const QPoint centre(20, 15);
  EXPECT_GT(qBlue(play.pixel(centre)), qRed(play.pixel(centre)) + 60) << "blue";
  const QRgb g = grey.pixel(centre);
  EXPECT_EQ(qRed(g), qGreen(g));
  EXPECT_EQ(qGreen(g), qBlue(g));
}

// The 16 x 14 manual buttons: a 0000FF face, light bevel top-left, dark bevel
// bottom-right (swapped when pressed), a two-pixel white glyph.
class ManualButton : public testing::TestWithParam<const char*> {};

TEST_P(ManualButton, HasItsFaceBevelsAndGlyph) {
  const std::string stem = GetParam();
  const QImage up = builtinImage((stem + "_up").c_str());
  const QImage down = builtinImage((stem + "_down").c_str());
  ASSERT_EQ(up.size(), QSize(16, 14));
  ASSERT_EQ(down.size(), QSize(16, 14));
  const QRgb lightOuter = qRgb(0xC0, 0xC0, 0xFF), lightInner = qRgb(0x80, 0x80, 0xFF);
  const QRgb darkOuter = qRgb(0, 0, 0), darkInner = qRgb(0, 0, 0xC0);
  const QRgb face = qRgb(0, 0, 0xFF), white = qRgb(0xFF, 0xFF, 0xFF);
  // released
  EXPECT_EQ(up.pixel(7, 0), lightOuter);
  EXPECT_EQ(up.pixel(0, 7), lightOuter);
  EXPECT_EQ(up.pixel(7, 1), lightInner);
  EXPECT_EQ(up.pixel(1, 7), lightInner);
  EXPECT_EQ(up.pixel(7, 13), darkOuter);
  EXPECT_EQ(up.pixel(15, 7), darkOuter);
  EXPECT_EQ(up.pixel(7, 12), darkInner);
  EXPECT_EQ(up.pixel(14, 7), darkInner);
  // pressed: the edges swapped
  EXPECT_EQ(down.pixel(7, 0), darkOuter);
  EXPECT_EQ(down.pixel(0, 7), darkOuter);
  EXPECT_EQ(down.pixel(7, 1), darkInner);
  EXPECT_EQ(down.pixel(7, 13), lightOuter);
  EXPECT_EQ(down.pixel(15, 7), lightOuter);
  EXPECT_EQ(down.pixel(7, 12), lightInner);
  EXPECT_EQ(down.pixel(14, 7), lightInner);
  // inside the bevels only the face and the glyph; the glyph moves by (1, 1) when pressed
  int glyph = 0;
  for (int y = 2; y < 12; ++y) {
    for (int x = 2; x < 14; ++x) {
      const QRgb c = up.pixel(x, y);
      ASSERT_TRUE(c == face || c == white) << stem << " " << x << "," << y;
      glyph += c == white;
      if (c == white) {
        EXPECT_EQ(down.pixel(x + 1, y + 1), white) << stem << " " << x << "," << y;
      }
    }
  }
  EXPECT_GE(glyph, 14) << "a glyph two pixels thick";
  // every glyph pixel has a white neighbour in its row: strokes are two pixels wide
  for (int y = 2; y < 12; ++y) {
    for (int x = 2; x < 14; ++x) {
      if (up.pixel(x, y) != white) continue;
      EXPECT_TRUE(up.pixel(x - 1, y) == white || up.pixel(x + 1, y) == white) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Glyphs, ManualButton,
                         testing::Values("manual_close", "manual_left", "manual_right"));

TEST(BuiltinPictures, ChevronsPointTheirWay) {
  // the tip of a left chevron is its leftmost white pixel, in the middle row
  auto leftmostRow = [](const QImage& image) {
    for (int x = 0; x < image.width(); ++x) {
      for (int y = 0; y < image.height(); ++y) {
        if (image.pixel(x, y) == qRgb(255, 255, 255)) return y;
      }
    }
    return -1;
  };
  const QImage left = builtinImage("manual_left_up");
  const QImage right = builtinImage("manual_right_up");
  EXPECT_EQ(leftmostRow(left), 6);
  EXPECT_NE(leftmostRow(right), 6);
  EXPECT_EQ(leftmostRow(right.mirrored(true, false)), 6);
}

}  // namespace
}  // namespace tavro
