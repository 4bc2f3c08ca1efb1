#pragma once
// A simple automatic player for the demo, the tests and the benchmarks: it
// drives a Device over a VirtualClock, keeps the hero under the item that will
// be decided first and lets chosen items through on purpose.

#include <cstdint>
#include <functional>

#include "Device.h"
#include "VirtualClock.h"

namespace tavro {

class ScriptedPlayer {
 public:
  // Whether to let the n-th decided item of the game (1-based) through.
  using MissRule = std::function<bool(int32_t itemNumber)>;
  // Lets every n-th item through.
  static MissRule missEvery(int32_t n);

  struct Result {
    int32_t score = 0;
    int32_t misses = 0;
    int64_t virtualMs = 0;  // from the game button press to the game-over mode
    bool finished = false;  // reached game over within the time limit
  };

  ScriptedPlayer(Device& device, VirtualClock& clock, MissRule missRule);

  // Presses and releases the button of game A (mode 8) or B (mode 9), plays
  // until the device reaches game over (mode 10) or `limitMs` of virtual time
  // pass, and reports the outcome.
  Result playGame(int32_t gameMode, int64_t limitMs = 24LL * 3600 * 1000);

  // One decision between ticks: moves the hero where he should stand now.
  void act();

  // Called after every step of virtual time, before the player reacts to it.
  std::function<void()> onStep;

 private:
  // Column of the advancing item that will be decided first, or 0.
  int32_t lowestItemColumn() const;
  void moveTo(int32_t column);
  void press(bool gameA);

  Device& device_;
  VirtualClock& clock_;
  MissRule missRule_;
};

}  // namespace tavro
