#pragma once
// The 81 picture controls of the handheld, numbered as the Image sections of
// Config.ini: Image1 is im_background, Image81 is im_item_3_target.

namespace tavro {

enum SkinImage : int {
  im_background = 1,
  im_background_screen_top = 2,
  btn_game_a_down = 3,
  btn_game_a_top = 4,
  btn_game_b_down = 5,
  btn_game_b_top = 6,
  btn_time_down = 7,
  btn_time_top = 8,
  btn_set_top = 9,
  btn_left_down = 10,
  btn_left_top = 11,
  btn_right_down = 12,
  btn_right_top = 13,
  im_panel_game_a = 14,
  im_panel_game_b = 15,
  im_panel_miss_01 = 16,  // ... im_panel_miss_10 = 25
  im_panel_digit_pos_1 = 26,  // ... im_panel_digit_pos_4 = 29
  im_panel_time_colon = 30,
  im_panel_time_am = 31,
  im_panel_time_pm = 32,
  im_panel_time_1 = 33,
  im_panel_time_2 = 34,
  im_panel_bell = 35,
  im_panel_alarm = 36,
  im_panel_chrono = 37,
  im_panel_date = 38,
  im_panel_number_0 = 39,  // ... im_panel_number_9 = 48
  im_hero_first = 49,      // im_hero_C_I = 49 + 3 * (I - 1) + (C - 1)
  im_item_first = 58,      // im_item_C_R = 58 + 3 * (R - 1) + (C - 1)
  im_item_1_got = 73,
  im_item_2_got = 74,
  im_item_3_got = 75,
  im_item_1_miss = 76,
  im_item_2_miss = 77,
  im_item_3_miss = 78,
  im_item_1_target = 79,
  im_item_2_target = 80,
  im_item_3_target = 81,
};

inline constexpr int kSkinImageCount = 81;

// Miss mark n (1..10).
constexpr SkinImage im_panel_miss(int n) { return SkinImage(im_panel_miss_01 + n - 1); }
// Digit position p (1..4), leftmost is 1.
constexpr SkinImage im_panel_digit_pos(int p) { return SkinImage(im_panel_digit_pos_1 + p - 1); }
// Picture of digit d (0..9); never shown on the LCD.
constexpr SkinImage im_panel_number(int d) { return SkinImage(im_panel_number_0 + d); }
// Hero image i (1..3) of column c (1..3).
constexpr SkinImage im_hero(int c, int i) { return SkinImage(im_hero_first + 3 * (i - 1) + (c - 1)); }
// Item segment of column c (1..3), row r (1..5).
constexpr SkinImage im_item(int c, int r) { return SkinImage(im_item_first + 3 * (r - 1) + (c - 1)); }
constexpr SkinImage im_item_got(int c) { return SkinImage(im_item_1_got + c - 1); }
constexpr SkinImage im_item_miss(int c) { return SkinImage(im_item_1_miss + c - 1); }
constexpr SkinImage im_item_target(int c) { return SkinImage(im_item_1_target + c - 1); }

}  // namespace tavro
