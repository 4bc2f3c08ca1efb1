#pragma once
// Recording fakes of the device's ports and a rig that wires them, a virtual
// clock and a Device together.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/ClockSeededRandom.h"
#include "device/Device.h"
#include "device/VirtualClock.h"

namespace tavro::testing {

struct DisplayCall {
  SkinImage image;
  bool isDigit;  // setDigit rather than setVisible
  int value;     // visible flag (0/1) or digit
  bool operator==(const DisplayCall&) const = default;
};

class RecordingDisplay : public Display {
 public:
  void setVisible(SkinImage image, bool visible) override {
    calls.push_back({image, false, visible ? 1 : 0});
  }
  void setDigit(SkinImage position, int digit) override {
    calls.push_back({position, true, digit});
  }
  // Whether the image was ever made visible since the last clear.
  bool everShown(SkinImage image) const {
    for (const DisplayCall& c : calls) {
      if (!c.isDigit && c.image == image && c.value == 1) return true;
    }
    return false;
  }
  std::vector<DisplayCall> calls;
};

class RecordingSound : public SoundCues {
 public:
  void play(Cue cue) override { cues.push_back(cue); }
  std::vector<Cue> take() { return std::exchange(cues, {}); }
  std::vector<Cue> cues;
};

class RecordingScores : public ScoreStore {
 public:
  void writeInteger(std::string_view name, int32_t value) override {
    writes.emplace_back(std::string(name), value);
  }
  std::vector<std::pair<std::string, int32_t>> writes;
};

class FakeLocalTime : public LocalTime {
 public:
  LocalDateTime now() const override { return time; }
  void set(int month, int day, int hour, int minute) {
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
  }
  LocalDateTime time;
};

// Gives queued outcomes first, then `fallback`; counts the draws.
class ScriptedRandom : public RandomSource {
 public:
  int draw4() override {
    ++draws;
    if (queue.empty()) return fallback;
    const int value = queue.front();
    queue.pop_front();
    return value;
  }
  std::deque<int> queue;
  int fallback = 1;  // no random entry
  int draws = 0;
};

// The fakes, a virtual clock and a device wired together. The device draws
// from `random` (scripted), or from a Mersenne Twister when given a seed.
struct DeviceRig {
  RecordingDisplay display;
  RecordingSound sound;
  RecordingScores scores;
  FakeLocalTime time;
  ScriptedRandom random;
  ClockSeededRandom seeded;
  VirtualClock clock;
  Device device;

  explicit DeviceRig(std::optional<uint32_t> seed = std::nullopt)
      : seeded(seed.value_or(0)),
        device(display, clock, sound, scores, time,
               seed ? static_cast<RandomSource&>(seeded) : static_cast<RandomSource&>(random)) {
    clock.setSink(&device);
  }

  void setMode(int32_t mode) {
    device.device_mode = mode;
    device.Gam_Set_Mode();
  }
  void pressGameA() {
    device.Inp_game_a_down();
    device.Inp_game_a_up();
  }
  void pressGameB() {
    device.Inp_game_b_down();
    device.Inp_game_b_up();
  }
  void pressLeft() {
    device.Inp_left_down();
    device.Inp_left_up();
  }
  void pressRight() {
    device.Inp_right_down();
    device.Inp_right_up();
  }
  void pressTime() {
    device.Inp_time_down();
    device.Inp_time_up();
  }
  // From the clock, chooses game A (mode 8) or B (mode 9) by a short press and
  // waits for the start; returns the virtual time the game started at.
  int64_t startGame(int32_t mode) {
    setMode(1);
    if (mode == 8) {
      pressGameA();
    } else {
      pressGameB();
    }
    clock.advance(1800);
    return clock.now();
  }
  std::string lcd() const { return device.lcd().render(); }
};

}  // namespace tavro::testing
