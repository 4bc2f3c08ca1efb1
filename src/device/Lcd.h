#pragma once
// The handheld's LCD as a set of segments that are shown or hidden, plus the
// four digit positions that take the picture of a digit or an empty picture.
// Keeps the state of every control the device switches and forwards each
// actual change, and only actual changes, to the Display.

#include <array>
#include <cstdint>
#include <string>

#include "Ports.h"

namespace tavro {

// Hero poses for Vid_Show_Hero.
enum HeroPose : int { kHeroHidden = 0, kHeroStanding = 1, kHeroCatching = 2 };

class Lcd {
 public:
  explicit Lcd(Display& display);

  // Tables, indexed as on the handheld (1-based).
  static SkinImage digit_positions(int position) { return im_panel_digit_pos(position); }
  static SkinImage digit_glyphs(int digit) { return im_panel_number(digit); }
  static SkinImage miss_marks(int n) { return im_panel_miss(n); }
  static SkinImage hero_images(int column, int image) { return im_hero(column, image); }
  static SkinImage item_images(int column, int row) { return im_item(column, row); }
  static SkinImage got_images(int column) { return im_item_got(column); }
  static SkinImage miss_images(int column) { return im_item_miss(column); }
  static SkinImage target_images(int column) { return im_item_target(column); }

  // Direct switching of one control; forwarded only when the state changes.
  void setVisible(SkinImage image, bool visible);
  // Digit position 1..4 gets digit 0..9, or an empty picture for -1.
  void setDigit(int position, int digit);

  void Vid_Show_All(bool on);
  void Vid_Show_All_Hero(bool on);
  void Vid_Show_All_Item(bool on);
  void Vid_Show_All_Item_Got(bool on);
  void Vid_Show_All_Item_Miss(bool on);
  void Vid_Show_All_Item_Target(bool on);
  void Vid_Show_Hero(int column, int pose);
  void Vid_Show_Panel_Miss(int32_t count);
  void Vid_Show_Panel_Score(int32_t value, bool on);

  bool visible(SkinImage image) const;
  // Glyph of digit position 1..4: -1 empty, else 0..9.
  int digit(int position) const;
  // Number of the 58 LCD segments that are shown.
  int visibleSegmentCount() const;
  // The four digit positions as text, a blank position as ' ' (e.g. "  12").
  std::string panelText() const;
  // A small text picture of the whole LCD.
  std::string render() const;

 private:
  Display& display_;
  std::array<bool, kSkinImageCount + 1> visible_{};
  std::array<int, 5> digits_{-1, -1, -1, -1, -1};
};

}  // namespace tavro
