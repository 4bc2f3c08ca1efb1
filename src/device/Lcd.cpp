#include "Lcd.h"

#include <cstdlib>
#include <utility>

namespace tavro {

namespace {

// The eleven indicator segments, in the order the all-segments pattern sets them.
constexpr std::array<SkinImage, 11> kIndicators = {
    im_panel_game_a,  im_panel_game_b,  im_panel_time_1,     im_panel_time_2,
    im_panel_time_am, im_panel_time_pm, im_panel_bell,       im_panel_alarm,
    im_panel_date,    im_panel_chrono,  im_panel_time_colon,
};

constexpr std::array<const char*, 11> kIndicatorNames = {
    "GAME_A", "GAME_B", "TIME_1", "TIME_2", "AM", "PM", "BELL", "ALARM", "DATE", "CHRONO", "COLON",
};

bool isLcdSegment(int image) {
  return (image >= im_panel_game_a && image <= im_panel_date) ||
         (image >= im_hero_first && image <= im_item_3_target);
}

}  // namespace

Lcd::Lcd(Display& display) : display_(display) {}

void Lcd::setVisible(SkinImage image, bool visible) {
  if (image < 1 || image > kSkinImageCount) return;
  if (visible_[image] == visible) return;
  visible_[image] = visible;
  display_.setVisible(image, visible);
}

void Lcd::setDigit(int position, int digit) {
  if (position < 1 || position > 4) return;
  if (digit < -1 || digit > 9) digit = -1;
  if (digits_[position] == digit) return;
  digits_[position] = digit;
  display_.setDigit(digit_positions(position), digit);
}

void Lcd::Vid_Show_All(bool on) {
  for (SkinImage image : kIndicators) setVisible(image, on);
  for (int p = 1; p <= 4; ++p) setVisible(digit_positions(p), true);
  Vid_Show_Panel_Score(8888, on);
  Vid_Show_Panel_Miss(on ? 10 : 0);
  Vid_Show_All_Hero(on);
  Vid_Show_All_Item(on);
  Vid_Show_All_Item_Miss(on);
  Vid_Show_All_Item_Got(on);
  Vid_Show_All_Item_Target(on);
}

void Lcd::Vid_Show_All_Hero(bool on) {
  for (int c = 1; c <= 3; ++c) {
    for (int i = 1; i <= 3; ++i) setVisible(hero_images(c, i), on);
  }
}

void Lcd::Vid_Show_All_Item(bool on) {
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 5; ++r) setVisible(item_images(c, r), on);
  }
}

void Lcd::Vid_Show_All_Item_Got(bool on) {
  for (int c = 1; c <= 3; ++c) setVisible(got_images(c), on);
}

void Lcd::Vid_Show_All_Item_Miss(bool on) {
  for (int c = 1; c <= 3; ++c) setVisible(miss_images(c), on);
}

void Lcd::Vid_Show_All_Item_Target(bool on) {
  for (int c = 1; c <= 3; ++c) setVisible(target_images(c), on);
}

void Lcd::Vid_Show_Hero(int column, int pose) {
  if (column < 1 || column > 3) return;
  switch (pose) {
    case kHeroHidden:
      setVisible(hero_images(column, 1), false);
      setVisible(hero_images(column, 2), false);
      setVisible(hero_images(column, 3), false);
      break;
    case kHeroStanding:
      setVisible(hero_images(column, 1), true);
      setVisible(hero_images(column, 2), true);
      setVisible(hero_images(column, 3), false);
      break;
    case kHeroCatching:
      setVisible(hero_images(column, 1), true);
      setVisible(hero_images(column, 2), false);
      setVisible(hero_images(column, 3), true);
      break;
    default:
      break;
  }
}

void Lcd::Vid_Show_Panel_Miss(int32_t count) {
  for (int i = 1; i <= 10; ++i) setVisible(miss_marks(i), i <= count);
}

void Lcd::Vid_Show_Panel_Score(int32_t value, bool on) {
  // A negative value (only possible from a garbled stored high score) shows
  // its magnitude; 64 bits keep the magnitude of the most negative value exact.
  const int64_t n = std::llabs(static_cast<int64_t>(value)) % 10000;
  if (!on) {
    for (int p = 1; p <= 4; ++p) setDigit(p, -1);
    return;
  }
  setDigit(1, n > 999 ? static_cast<int>(n / 1000 % 10) : -1);
  setDigit(2, n > 99 ? static_cast<int>(n / 100 % 10) : -1);
  setDigit(3, n > 9 ? static_cast<int>(n / 10 % 10) : -1);
  setDigit(4, static_cast<int>(n % 10));
}

bool Lcd::visible(SkinImage image) const {
  if (image < 1 || image > kSkinImageCount) return false;
  return visible_[image];
}

int Lcd::digit(int position) const {
  if (position < 1 || position > 4) return -1;
  return digits_[position];
}

int Lcd::visibleSegmentCount() const {
  int count = 0;
  for (int image = 1; image <= kSkinImageCount; ++image) {
    if (isLcdSegment(image) && visible_[image]) ++count;
  }
  return count;
}

std::string Lcd::panelText() const {
  std::string text;
  for (int p = 1; p <= 4; ++p) {
    const int d = digits_[p];
    text += (visible_[digit_positions(p)] && d >= 0) ? static_cast<char>('0' + d) : ' ';
  }
  return text;
}

std::string Lcd::render() const {
  std::string out = "indicators:";
  for (size_t i = 0; i < kIndicators.size(); ++i) {
    if (visible_[kIndicators[i]]) out += std::string(" ") + kIndicatorNames[i];
  }
  const std::string panel = panelText();
  const std::string colon = visible_[im_panel_time_colon] ? ":" : "";
  out += "\npanel: [" + panel.substr(0, 2) + colon + panel.substr(2) + "]  misses: ";
  for (int i = 1; i <= 10; ++i) out += visible_[miss_marks(i)] ? 'X' : '-';
  out += "\n        1 2 3\n";
  for (int r = 1; r <= 5; ++r) {
    out += "row " + std::to_string(r) + ":  ";
    for (int c = 1; c <= 3; ++c) out += std::string(visible_[item_images(c, r)] ? "o" : ".") + " ";
    out += "\n";
  }
  auto line = [&](const char* name, SkinImage (*table)(int), char mark) {
    out += name;
    for (int c = 1; c <= 3; ++c) out += std::string(1, visible_[table(c)] ? mark : '.') + " ";
    out += "\n";
  };
  line("got:    ", &Lcd::got_images, 'G');
  line("miss:   ", &Lcd::miss_images, 'M');
  line("target: ", &Lcd::target_images, 'T');
  out += "hero:   ";
  for (int c = 1; c <= 3; ++c) {
    const bool body = visible_[hero_images(c, 1)];
    const bool stand = visible_[hero_images(c, 2)];
    const bool hold = visible_[hero_images(c, 3)];
    char mark = '?';
    if (!body && !stand && !hold) mark = '.';
    if (body && stand && !hold) mark = 'H';
    if (body && !stand && hold) mark = 'C';
    if (body && stand && hold) mark = '#';
    out += std::string(1, mark) + " ";
  }
  out += "\nbuttons:";
  const std::array<std::pair<SkinImage, const char*>, 5> pressed = {{
      {btn_game_a_down, " GAME_A"},
      {btn_game_b_down, " GAME_B"},
      {btn_time_down, " TIME"},
      {btn_left_down, " LEFT"},
      {btn_right_down, " RIGHT"},
  }};
  for (const auto& [image, name] : pressed) {
    if (visible_[image]) out += name;
  }
  out += "\n";
  return out;
}

}  // namespace tavro
