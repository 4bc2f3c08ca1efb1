#include "Device.h"

namespace tavro {

Device::Device(Display& display, TimerBackend& timers, SoundCues& sound, ScoreStore& scores,
               const LocalTime& clock, RandomSource& random)
    : lcd_(display),
      sound_(sound),
      scores_(scores),
      clock_(clock),
      random_(random),
      timers_{{
          DeviceTimer(timers, TimerId::Clock),
          DeviceTimer(timers, TimerId::Alarm),
          DeviceTimer(timers, TimerId::Date),
          DeviceTimer(timers, TimerId::GameStart),
          DeviceTimer(timers, TimerId::Game),
          DeviceTimer(timers, TimerId::Hit),
          DeviceTimer(timers, TimerId::Reprise),
          DeviceTimer(timers, TimerId::GameOver),
      }} {}

void Device::Gam_Stop_All_Timers() {
  t(TimerId::Alarm).setEnabled(false);
  t(TimerId::Clock).setEnabled(false);
  t(TimerId::Date).setEnabled(false);
  t(TimerId::Game).setEnabled(false);
  t(TimerId::GameOver).setEnabled(false);
  t(TimerId::GameStart).setEnabled(false);
  t(TimerId::Hit).setEnabled(false);
  t(TimerId::Reprise).setEnabled(false);
}

void Device::Gam_Set_Mode() {
  switch (device_mode) {
    case 0:
      lcd_.Vid_Show_All(true);
      break;
    case 1:
      Gam_Stop_All_Timers();
      lcd_.Vid_Show_All(false);
      lcd_.setVisible(im_panel_time_1, true);
      t(TimerId::Clock).setInterval(1);
      t(TimerId::Clock).setEnabled(true);
      break;
    case 2:
      lcd_.setVisible(im_panel_time_1, false);
      lcd_.setVisible(im_panel_time_2, true);
      break;
    case 3:
      Gam_Stop_All_Timers();
      lcd_.Vid_Show_All(false);
      lcd_.setVisible(im_panel_alarm, true);
      lcd_.Vid_Show_Panel_Score(1200, true);
      t(TimerId::Alarm).setInterval(1);
      t(TimerId::Alarm).setEnabled(true);
      break;
    case 4:
      Gam_Stop_All_Timers();
      lcd_.Vid_Show_All(false);
      lcd_.setVisible(im_panel_chrono, true);
      lcd_.setVisible(im_panel_time_colon, true);
      for (int p = 1; p <= 4; ++p) lcd_.setDigit(p, 0);
      break;
    case 5:
      Gam_Stop_All_Timers();
      lcd_.Vid_Show_All(false);
      lcd_.setVisible(im_panel_date, true);
      t(TimerId::Date).setInterval(1);
      t(TimerId::Date).setEnabled(true);
      break;
    case 6:
    case 7:
      Gam_Stop_All_Timers();
      lcd_.Vid_Show_All(false);
      if (device_mode == 6) {
        lcd_.setVisible(im_panel_game_a, true);
        lcd_.Vid_Show_Panel_Score(hi_score_a, true);
      } else {
        lcd_.setVisible(im_panel_game_b, true);
        lcd_.Vid_Show_Panel_Score(hi_score_b, true);
      }
      hero_column = 2;
      lcd_.Vid_Show_Hero(hero_column, kHeroStanding);
      lcd_.Vid_Show_All_Item_Target(true);
      sound_.play(Cue::Start);
      t(TimerId::GameStart).setInterval(1800);
      t(TimerId::GameStart).setEnabled(true);
      break;
    case 8:
    case 9:
      startGame();
      break;
    default:
      break;  // 10 (game over) keeps the picture; nothing else is a mode
  }
}

void Device::startGame() {
  score = 0;
  lcd_.Vid_Show_Panel_Score(score, true);
  misses = 0;
  lcd_.Vid_Show_Panel_Miss(misses);
  Gam_Set_Level();
  item_grid = {};
  got_flags = {};
  playing = true;
  phase_column = 1;
  t(TimerId::Game).setEnabled(true);
}

void Device::onTimer(TimerId id) {
  const int index = static_cast<int>(id);
  if (index < 0 || index >= kTimerCount) return;
  // A tick queued just before its timer was stopped is dropped.
  if (!timers_[index].enabled()) return;
  switch (id) {
    case TimerId::Clock:
      Timer_ClockTimer();
      break;
    case TimerId::Alarm:
      Timer_AlarmTimer();
      break;
    case TimerId::Date:
      Timer_DateTimer();
      break;
    case TimerId::GameStart:
      Timer_Game_StartTimer();
      break;
    case TimerId::Game:
      Timer_GameTimer();
      break;
    case TimerId::Hit:
      Timer_HitTimer();
      break;
    case TimerId::Reprise:
      Timer_RepriseTimer();
      break;
    case TimerId::GameOver:
      Timer_Game_OverTimer();
      break;
  }
}

void Device::Timer_Game_StartTimer() {
  if ((device_mode == 6 && !latch_game_a) || (device_mode == 7 && !latch_game_b)) {
    device_mode += 2;
    Gam_Set_Mode();
  }
  t(TimerId::GameStart).setEnabled(false);
}

void Device::setHighScores(int32_t a, int32_t b) {
  hi_score_a = a;
  hi_score_b = b;
}

void Device::resetHighScores() {
  hi_score_a = 0;
  hi_score_b = 0;
  scores_.writeInteger("HiScore1", 0);
  scores_.writeInteger("HiScore2", 0);
}

}  // namespace tavro
