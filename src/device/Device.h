#pragma once
// The simulated handheld: modes, button latches, timers, game and clock.
// Plain C++; it reaches the outside only through the interfaces of Ports.h.
//
// Contract for the frontends (the device window, the demo, tests, benchmarks):
//  - construct with the ports; every segment is hidden and device_mode is 0
//    until the first Gam_Set_Mode();
//  - forward TimerBackend ticks to onTimer();
//  - call the ten Inp_ operations for button presses and releases;
//  - to change mode from outside (the launcher's play action): set
//    device_mode, then call Gam_Set_Mode().

#include <array>
#include <cstdint>

#include "DeviceTimer.h"
#include "Lcd.h"
#include "Ports.h"

namespace tavro {

class Device : public TimerSink {
 public:
  Device(Display& display, TimerBackend& timers, SoundCues& sound, ScoreStore& scores,
         const LocalTime& clock, RandomSource& random);

  // Mode control.
  void Gam_Set_Mode();
  void Gam_Stop_All_Timers();
  void Gam_Set_Level();

  // Buttons.
  void Inp_game_a_down();
  void Inp_game_a_up();
  void Inp_game_b_down();
  void Inp_game_b_up();
  void Inp_time_down();
  void Inp_time_up();
  void Inp_left_down();
  void Inp_left_up();
  void Inp_right_down();
  void Inp_right_up();

  // Timer ticks.
  void onTimer(TimerId id) override;
  void Timer_ClockTimer();
  void Timer_AlarmTimer();
  void Timer_DateTimer();
  void Timer_Game_StartTimer();
  void Timer_GameTimer();
  void Timer_HitTimer();
  void Timer_RepriseTimer();
  void Timer_Game_OverTimer();

  // High scores as loaded from the settings, and their reset (writes 0 and 0).
  void setHighScores(int32_t a, int32_t b);
  void resetHighScores();

  Lcd& lcd() { return lcd_; }
  const Lcd& lcd() const { return lcd_; }
  const DeviceTimer& timer(TimerId id) const { return timers_[static_cast<int>(id)]; }

  // Device variables (public so that frontends and tests can read them; only
  // device_mode is written from outside, before Gam_Set_Mode()).
  int32_t device_mode = 0;
  int32_t score = 0;
  int32_t misses = 0;
  int32_t hero_column = 2;
  int32_t max_items = 1;
  int32_t phase_column = 1;
  int32_t game_over_step = 0;
  int32_t hi_score_a = 0;
  int32_t hi_score_b = 0;
  bool playing = false;
  bool latch_game_a = false;
  bool latch_game_b = false;
  bool latch_shared = false;
  // item_grid[c][r], c 1..3, r 1..5 (index 0 unused): 0 empty, 1 advancing, 2 caught.
  std::array<std::array<int32_t, 6>, 4> item_grid{};
  std::array<bool, 4> got_flags{};  // index 1..3

 private:
  DeviceTimer& t(TimerId id) { return timers_[static_cast<int>(id)]; }
  // Modes 8 and 9: a new game on the picture of mode 6 or 7.
  void startGame();
  // Game A or B pressed: from mode 0 to the clock, from 1..5 or 10 to the
  // given high-score mode (6 or 7); ignored in 6..9.
  void chooseGame(int32_t highScoreMode);
  // Moves the hero one column (-1 left, +1 right); the caller checks the bound.
  void moveHero(int step);
  void invertColon();

  Lcd lcd_;
  SoundCues& sound_;
  ScoreStore& scores_;
  const LocalTime& clock_;
  RandomSource& random_;
  std::array<DeviceTimer, kTimerCount> timers_;
};

}  // namespace tavro
