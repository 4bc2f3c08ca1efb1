// The ten button operations and their three latches.
#include "Device.h"

namespace tavro {

void Device::Inp_game_a_down() {
  lcd_.setVisible(btn_game_a_down, true);
  if (latch_game_a) return;
  latch_game_a = true;
  chooseGame(6);
}

void Device::Inp_game_a_up() {
  lcd_.setVisible(btn_game_a_down, false);
  latch_game_a = false;
  if (device_mode == 6 && !t(TimerId::GameStart).enabled()) {
    device_mode = 8;
    Gam_Set_Mode();
  }
}

void Device::Inp_game_b_down() {
  lcd_.setVisible(btn_game_b_down, true);
  if (latch_game_b) return;
  latch_game_b = true;
  chooseGame(7);
}

void Device::Inp_game_b_up() {
  lcd_.setVisible(btn_game_b_down, false);
  latch_game_b = false;
  if (device_mode == 7 && !t(TimerId::GameStart).enabled()) {
    device_mode = 9;
    Gam_Set_Mode();
  }
}

void Device::chooseGame(int32_t highScoreMode) {
  if (device_mode == 0) {
    device_mode = 1;
    Gam_Set_Mode();
  } else if ((device_mode >= 1 && device_mode <= 5) || device_mode == 10) {
    device_mode = highScoreMode;
    Gam_Set_Mode();
  }
}

void Device::Inp_time_down() {
  lcd_.setVisible(btn_time_down, true);
  if (latch_shared) return;
  latch_shared = true;
  if ((device_mode >= 0 && device_mode <= 5) || device_mode == 10) {
    device_mode += 1;
    if (device_mode > 5) device_mode = 1;
    Gam_Set_Mode();
  }
}

void Device::Inp_time_up() {
  lcd_.setVisible(btn_time_down, false);
  latch_shared = false;
}

void Device::Inp_left_down() {
  lcd_.setVisible(btn_left_down, true);
  if (latch_shared) return;
  latch_shared = true;
  if (playing && hero_column > 1) moveHero(-1);
}

void Device::Inp_left_up() {
  lcd_.setVisible(btn_left_down, false);
  latch_shared = false;
}

void Device::Inp_right_down() {
  lcd_.setVisible(btn_right_down, true);
  if (latch_shared) return;
  latch_shared = true;
  if (playing && hero_column < 3) moveHero(+1);
}

void Device::Inp_right_up() {
  lcd_.setVisible(btn_right_down, false);
  latch_shared = false;
}

void Device::moveHero(int step) {
  lcd_.Vid_Show_Hero(hero_column, kHeroHidden);
  hero_column += step;
  lcd_.Vid_Show_Hero(hero_column, kHeroStanding);
}

}  // namespace tavro
