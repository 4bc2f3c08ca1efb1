#pragma once
// The small interfaces through which the device core reaches the outside world.
// The device window implements them with Qt; tests implement them with a
// virtual clock and recording fakes.

#include <cstdint>
#include <string_view>

#include "SkinImage.h"

namespace tavro {

// The LCD segments and pressed button images as the window draws them.
class Display {
 public:
  virtual ~Display() = default;
  // Shows or hides one picture control. Called only when the state changes.
  virtual void setVisible(SkinImage image, bool visible) = 0;
  // Gives a digit position (im_panel_digit_pos_1..4) a copy of the picture of
  // digit 0..9, or an empty picture for -1.
  virtual void setDigit(SkinImage position, int digit) = 0;
};

// The eight device timers, by number.
enum class TimerId : int {
  Clock = 0,
  Alarm,
  Date,
  GameStart,
  Game,
  Hit,
  Reprise,
  GameOver,
};
inline constexpr int kTimerCount = 8;

// Runs the device timers. start() begins a new period of `intervalMs` from this
// moment (restarting one that runs); the backend then calls
// TimerSink::onTimer(id) once per period until stop().
class TimerBackend {
 public:
  virtual ~TimerBackend() = default;
  virtual void start(TimerId id, int intervalMs) = 0;
  virtual void stop(TimerId id) = 0;
};

class TimerSink {
 public:
  virtual ~TimerSink() = default;
  virtual void onTimer(TimerId id) = 0;
};

// The five sound cues of the handheld.
enum class Cue : int { Start = 0, Move, Got, Miss, Gameover };

class SoundCues {
 public:
  virtual ~SoundCues() = default;
  virtual void play(Cue cue) = 0;
};

// Where high scores are written ("HiScore1", "HiScore2").
class ScoreStore {
 public:
  virtual ~ScoreStore() = default;
  virtual void writeInteger(std::string_view name, int32_t value) = 0;
};

struct LocalDateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

class LocalTime {
 public:
  virtual ~LocalTime() = default;
  virtual LocalDateTime now() const = 0;
};

// Uniform draws of the four outcomes 0..3.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual int draw4() = 0;
};

}  // namespace tavro
