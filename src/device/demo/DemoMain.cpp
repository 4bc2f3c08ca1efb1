// tavro50-demo: plays a scripted game A on the device core in virtual time
// and prints what the LCD shows at the interesting moments.
//
//   tavro50-demo [seed]     seed of the item entries (default 2024)

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "device/ClockSeededRandom.h"
#include "device/Device.h"
#include "device/ScriptedPlayer.h"
#include "device/SystemLocalTime.h"
#include "device/VirtualClock.h"

namespace {

using namespace tavro;

struct QuietDisplay : Display {
  void setVisible(SkinImage, bool) override {}
  void setDigit(SkinImage, int) override {}
};

const char* cueName(Cue cue) {
  switch (cue) {
    case Cue::Start:
      return "Start";
    case Cue::Move:
      return "Move";
    case Cue::Got:
      return "Got";
    case Cue::Miss:
      return "Miss";
    case Cue::Gameover:
      return "Gameover";
  }
  return "?";
}

// Remembers the cues of the current step; prints the rarer ones.
struct DemoSound : SoundCues {
  void play(Cue cue) override {
    last = cue;
    fresh = true;
  }
  Cue last = Cue::Start;
  bool fresh = false;
};

struct DemoScores : ScoreStore {
  void writeInteger(std::string_view name, int32_t value) override {
    std::printf("  >> settings: %.*s = %d\n", static_cast<int>(name.size()), name.data(), value);
  }
};

class Demo {
 public:
  explicit Demo(uint32_t seed) : random_(seed) { clock_.setSink(&device_); }

  void show(const std::string& what) {
    std::printf("\n=== t=%7.3f s  mode %d  %s  (last cue: %s)\n",
                static_cast<double>(clock_.now()) / 1000.0, device_.device_mode, what.c_str(),
                cueName(sound_.last));
    std::fputs(device_.lcd().render().c_str(), stdout);
  }

  int run() {
    device_.setHighScores(0, 0);
    device_.device_mode = 0;
    device_.Gam_Set_Mode();
    show("segment test");

    device_.Inp_time_down();
    device_.Inp_time_up();
    clock_.advance(1);
    show("time 1 (host time)");
    device_.Inp_time_down();
    device_.Inp_time_up();
    device_.Inp_time_down();
    device_.Inp_time_up();
    clock_.advance(1);
    show("alarm");
    device_.Inp_time_down();
    device_.Inp_time_up();
    device_.Inp_time_down();
    device_.Inp_time_up();
    clock_.advance(1);
    show("date (host date)");

    ScriptedPlayer player(device_, clock_, ScriptedPlayer::missEvery(30));
    int32_t lastScore = 0;
    bool firstEntry = true;
    bool firstCatch = true;
    player.onStep = [&] {
      const bool cue = sound_.fresh;
      sound_.fresh = false;
      if (device_.device_mode == 6 || device_.device_mode == 7) return;
      if (firstEntry && cue && sound_.last == Cue::Move) {
        firstEntry = false;
        show("first item enters");
      } else if (cue && sound_.last == Cue::Got && firstCatch) {
        firstCatch = false;
        show("first catch (catching pose, item kept in row 5)");
      } else if (cue && sound_.last == Cue::Miss) {
        show("miss " + std::to_string(device_.misses));
      } else if (cue && sound_.last == Cue::Gameover) {
        show("Gameover cue");
      } else if (device_.score != lastScore &&
                 (device_.score == 4 || device_.score == 50 || device_.score == 100)) {
        show("level up: max_items " + std::to_string(device_.max_items) + ", tick " +
             std::to_string(device_.timer(TimerId::Game).interval()) + " ms");
      }
      lastScore = device_.score;
    };
    std::printf("\n--- game A: the player follows the lowest item, lets every 30th through\n");
    const ScriptedPlayer::Result result = player.playGame(8);
    show("game over");
    std::printf("\nscore %d, misses %d, %.1f s of play\n", result.score, result.misses,
                static_cast<double>(result.virtualMs) / 1000.0);

    clock_.advance(30001);
    show("30 s later: back to the clock");

    device_.Inp_game_a_down();
    show("game A chosen again: the new high score");
    device_.Inp_game_a_up();
    return result.finished ? 0 : 1;
  }

 private:
  QuietDisplay display_;
  DemoSound sound_;
  DemoScores scores_;
  SystemLocalTime time_;
  ClockSeededRandom random_;
  VirtualClock clock_;
  Device device_{display_, clock_, sound_, scores_, time_, random_};
};

}  // namespace

int main(int argc, char** argv) {
  uint32_t seed = 2024;
  if (argc > 1) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(argv[1], &end, 10);
    if (end == argv[1] || *end != '\0') {
      std::fprintf(stderr, "usage: %s [seed]\n", argv[0]);
      return 2;
    }
    seed = static_cast<uint32_t>(value);
  }
  Demo demo(seed);
  return demo.run();
}
