#include "ScriptedPlayer.h"

#include <utility>

namespace tavro {

ScriptedPlayer::MissRule ScriptedPlayer::missEvery(int32_t n) {
  return [n](int32_t itemNumber) { return n > 0 && itemNumber % n == 0; };
}

ScriptedPlayer::ScriptedPlayer(Device& device, VirtualClock& clock, MissRule missRule)
    : device_(device), clock_(clock), missRule_(std::move(missRule)) {}

void ScriptedPlayer::press(bool gameA) {
  if (gameA) {
    device_.Inp_game_a_down();
    device_.Inp_game_a_up();
  } else {
    device_.Inp_game_b_down();
    device_.Inp_game_b_up();
  }
}

ScriptedPlayer::Result ScriptedPlayer::playGame(int32_t gameMode, int64_t limitMs) {
  const bool gameA = gameMode != 9;
  const int32_t chooseMode = gameA ? 6 : 7;
  const int64_t start = clock_.now();
  // From the segment test the game button first leads to the clock.
  if (device_.device_mode == 0) press(gameA);
  press(gameA);
  Result result;
  if (device_.device_mode != chooseMode) return result;
  while (device_.device_mode != 10 && clock_.now() - start < limitMs) {
    if (!clock_.advanceToNext()) break;
    if (onStep) onStep();
    act();
  }
  result.score = device_.score;
  result.misses = device_.misses;
  result.virtualMs = clock_.now() - start;
  result.finished = device_.device_mode == 10;
  return result;
}

int32_t ScriptedPlayer::lowestItemColumn() const {
  // The lowest item is decided first; among items in the same row, the one
  // whose column advances first in the turn order.
  int32_t bestColumn = 0;
  int32_t bestRow = 0;
  for (int32_t k = 0; k < 3; ++k) {
    const int32_t c = (device_.phase_column - 1 + k) % 3 + 1;
    for (int32_t r = 5; r > bestRow; --r) {
      if (device_.item_grid[c][r] == 1) {
        bestRow = r;
        bestColumn = c;
        break;
      }
    }
  }
  return bestColumn;
}

void ScriptedPlayer::act() {
  if (!device_.playing) return;
  const int32_t column = lowestItemColumn();
  if (column == 0) return;
  if (device_.item_grid[column][5] == 1) {
    const int32_t itemNumber = device_.score + device_.misses + 1;
    if (missRule_ && missRule_(itemNumber)) {
      moveTo(column % 3 + 1);
      return;
    }
  }
  moveTo(column);
}

void ScriptedPlayer::moveTo(int32_t column) {
  while (device_.playing && device_.hero_column > column) {
    device_.Inp_left_down();
    device_.Inp_left_up();
  }
  while (device_.playing && device_.hero_column < column) {
    device_.Inp_right_down();
    device_.Inp_right_up();
  }
}

}  // namespace tavro
