// The game: level rule, game tick, catching pose, pause after a miss and the
// game-over sequence with its high-score rule.
#include "Device.h"

namespace tavro {

void Device::Gam_Set_Level() {
  int32_t n = score;
  if (n > 199) n %= 200;
  static constexpr int32_t kItemsA[4] = {1, 3, 4, 5};
  static constexpr int32_t kItemsB[4] = {1, 4, 5, 6};
  const int band = n < 4 ? 0 : n < 50 ? 1 : n < 100 ? 2 : 3;
  if (device_mode == 8) {
    max_items = kItemsA[band];
    t(TimerId::Game).setInterval(n < 100 ? 250 : 215);
  } else if (device_mode == 9) {
    max_items = kItemsB[band];
    t(TimerId::Game).setInterval(n < 100 ? 215 : 185);
  }
}

void Device::Timer_GameTimer() {
  int miss_column = 0;
  int catch_column = 0;
  int moving_count = 0;

  // 1. A caught item stays drawn for one tick, then its got segment for one tick.
  for (int c = 1; c <= 3; ++c) {
    got_flags[c] = false;
    if (item_grid[c][5] == 2) {
      item_grid[c][5] = 0;
      got_flags[c] = true;
    }
  }

  // 2. An item beside the hero's row outside his column is missed.
  for (int c = 1; c <= 3; ++c) {
    if (item_grid[c][5] == 1 && c != hero_column) {
      item_grid[c][5] = 0;
      miss_column = c;
    }
  }

  if (miss_column == 0) {
    // 3. Catch.
    if (hero_column >= 1 && hero_column <= 3 && item_grid[hero_column][5] == 1) {
      lcd_.Vid_Show_Hero(hero_column, kHeroCatching);
      t(TimerId::Hit).setInterval(100);
      t(TimerId::Hit).setEnabled(true);
      item_grid[hero_column][5] = 2;
      score += 1;
      if (score > 9999) score -= 10000;
      lcd_.Vid_Show_Panel_Score(score, true);
      Gam_Set_Level();
      catch_column = hero_column;
    }

    // 4. The column in turn advances one row, and an item may enter it.
    const int p = phase_column;
    auto& column = item_grid[p];
    for (int r = 5; r >= 2; --r) column[r] = column[r - 1];
    column[1] = 0;
    int count = 0;
    for (int c = 1; c <= 3; ++c) {
      for (int r = 1; r <= 5; ++r) count += item_grid[c][r] == 1 ? 1 : 0;
    }
    column[1] = random_.draw4() == 0 ? 1 : 0;
    if (count == 0) column[1] = 1;
    if (column[2] == 1) column[1] = 0;
    const int before = p == 1 ? 3 : p - 1;
    if (item_grid[before][1] == 1) column[1] = 0;
    if (count >= max_items) column[1] = 0;
    for (int r = 1; r <= 5; ++r) moving_count += column[r] == 1 ? 1 : 0;
  }

  // 5. A miss pauses or ends the game; otherwise the next column takes its turn.
  if (miss_column != 0) {
    playing = false;
    Gam_Stop_All_Timers();
    lcd_.setVisible(im_item_miss(miss_column), true);
    lcd_.setVisible(im_item_target(miss_column), false);
    misses += 1;
    lcd_.Vid_Show_Panel_Miss(misses);
    if (misses >= 5) {
      game_over_step = 0;
      t(TimerId::GameOver).setInterval(100);
      t(TimerId::GameOver).setEnabled(true);
    } else {
      t(TimerId::Reprise).setInterval(1100);
      t(TimerId::Reprise).setEnabled(true);
    }
  } else {
    phase_column = phase_column >= 3 ? 1 : phase_column + 1;
  }

  // 6. Redraw the playfield.
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 5; ++r) lcd_.setVisible(im_item(c, r), item_grid[c][r] != 0);
  }
  for (int c = 1; c <= 3; ++c) lcd_.setVisible(im_item_got(c), got_flags[c]);

  // 7. At most one cue per tick.
  if (miss_column != 0) {
    sound_.play(Cue::Miss);
  } else if (catch_column != 0) {
    sound_.play(Cue::Got);
  } else if (moving_count > 0) {
    sound_.play(Cue::Move);
  }
}

void Device::Timer_HitTimer() {
  lcd_.Vid_Show_Hero(hero_column, kHeroStanding);
  t(TimerId::Hit).setEnabled(false);
}

void Device::Timer_RepriseTimer() {
  lcd_.Vid_Show_All_Item_Miss(false);
  lcd_.Vid_Show_All_Item_Target(true);
  playing = true;
  t(TimerId::Game).setEnabled(true);
  t(TimerId::Reprise).setEnabled(false);
}

void Device::Timer_Game_OverTimer() {
  DeviceTimer& timer = t(TimerId::GameOver);
  switch (game_over_step) {
    case 0:
      break;
    case 1:
      sound_.play(Cue::Gameover);
      timer.setInterval(3400);
      break;
    case 2:
      if (device_mode == 8 && score > hi_score_a) {
        hi_score_a = score;
        scores_.writeInteger("HiScore1", hi_score_a);
      } else if (device_mode == 9 && score > hi_score_b) {
        hi_score_b = score;
        scores_.writeInteger("HiScore2", hi_score_b);
      }
      device_mode = 10;
      Gam_Set_Mode();
      timer.setInterval(30000);
      break;
    case 3:
      device_mode = 1;
      Gam_Set_Mode();
      timer.setEnabled(false);
      break;
    default:
      timer.setEnabled(false);
      break;
  }
  if (game_over_step < 4) game_over_step += 1;
}

}  // namespace tavro
