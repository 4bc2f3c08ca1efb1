// Costs of the device core: one game tick, and a whole game played to game
// over in virtual time.
#include <benchmark/benchmark.h>

#include <string_view>

#include "device/ClockSeededRandom.h"
#include "device/Device.h"
#include "device/ScriptedPlayer.h"
#include "device/VirtualClock.h"

namespace tavro {
namespace {

struct NullDisplay : Display {
  void setVisible(SkinImage, bool) override {}
  void setDigit(SkinImage, int) override {}
};
struct NullSound : SoundCues {
  void play(Cue) override {}
};
struct NullScores : ScoreStore {
  void writeInteger(std::string_view, int32_t) override {}
};
struct FixedTime : LocalTime {
  LocalDateTime now() const override { return {}; }
};

struct Rig {
  NullDisplay display;
  NullSound sound;
  NullScores scores;
  FixedTime time;
  ClockSeededRandom random{12345};
  VirtualClock clock;
  Device device{display, clock, sound, scores, time, random};
  Rig() { clock.setSink(&device); }
};

void BM_GameTick(benchmark::State& state) {
  Rig rig;
  rig.device.Gam_Set_Mode();
  rig.device.device_mode = 8;
  rig.device.Gam_Set_Mode();
  for (auto _ : state) {
    rig.device.Timer_GameTimer();
    // Keep the game running: a miss would stop it.
    if (!rig.device.playing) {
      rig.device.Timer_RepriseTimer();
      rig.device.misses = 0;
    }
    benchmark::DoNotOptimize(rig.device.item_grid);
  }
}
BENCHMARK(BM_GameTick);

void BM_WholeGame(benchmark::State& state) {
  const int32_t mode = static_cast<int32_t>(state.range(0));
  int64_t virtualMs = 0;
  for (auto _ : state) {
    Rig rig;
    ScriptedPlayer player(rig.device, rig.clock, ScriptedPlayer::missEvery(25));
    const ScriptedPlayer::Result result = player.playGame(mode);
    virtualMs = result.virtualMs;
    benchmark::DoNotOptimize(result);
  }
  state.counters["virtual_s"] = static_cast<double>(virtualMs) / 1000.0;
}
BENCHMARK(BM_WholeGame)->Arg(8)->Arg(9)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavro
