#pragma once
// A small handheld skin for the device window tests: 100 x 60 game area.

#include "TestSkin.h"

namespace tavro::testing {

constexpr QRgb kKey = 0xffff00ff;  // TranspColor $00ff00ff
constexpr QRgb kBody = 0xff008000;
constexpr QRgb kLeftTop = 0xff0000ff;
constexpr QRgb kLeftDown = 0xffff0000;
constexpr QRgb kHero = 0xffffff00;
constexpr QRgb kSet = 0xff00ffff;

// Body (Image1, bitmap with a key-coloured hole at 40,40 10x10), left button top
// (Image11, PNG, see-through in its 5 left columns) and pressed (Image10), both
// at 10,10 20x10, hero 1_1 (Image49, PNG at 15,12),
// set button (Image9, 2x2 stretched to 8x8 at 70,40), digit glyphs (Image39-48,
// 5x7 at 90,50), digit position 1 (Image26 at 60,5), missing pictures for
// btn_game_a_top (Image4 at 70,10) and im_panel_game_a (Image14 at 85,10).
void writeWindowSkin(const TestSkin& skin, const std::string& extraConfig = "");

// The colour of digit d's bar in its glyph picture.
QRgb digitColour(int d);

}  // namespace tavro::testing
