#pragma once
// The device buttons held on the game controllers. Each controller is known
// by a number (SDL's instance id); its buttons and its left stick work the
// five device buttons:
//   D-pad left/right, left stick left/right  -> LEFT / RIGHT
//   south (A) -> GAME A, east (B) -> GAME B, north (Y) and Back -> TIME
// The pads together are one source of each device button: every input that
// starts to hold a button reaches down() (the device's latches absorb the
// second one), and up() comes when the last input holding it lets go.

#include <array>
#include <cstdint>

#include "input/ButtonDispatcher.h"
#include "input/KeyTable.h"
#include "input/StickHysteresis.h"

namespace tavro {

// Controller buttons, numbered as SDL's SDL_GameControllerButton.
enum PadInput : int {
  kPadSouth = 0,
  kPadEast = 1,
  kPadWest = 2,
  kPadNorth = 3,
  kPadBack = 4,
  kPadGuide = 5,
  kPadStart = 6,
  kPadDpadUp = 11,
  kPadDpadDown = 12,
  kPadDpadLeft = 13,
  kPadDpadRight = 14,
  kPadInputCount = 21,  // SDL_CONTROLLER_BUTTON_MAX of SDL 2.26
};

// The device button a controller button works, or -1.
int padInputButton(int input);

class PadState {
 public:
  // Controllers beyond this many at once are left out.
  static constexpr int kMaxPads = 8;

  explicit PadState(ButtonSink& sink) : sink_(sink) {}

  // A controller's button went down or up; buttons that work no device
  // button are ignored.
  void button(int32_t pad, int input, bool pressed);
  // The left stick's horizontal axis moved (-32768..32767).
  void stickX(int32_t pad, int value);
  // The controller went away: every button it held is released.
  void remove(int32_t pad);

  // Whether any controller holds the device button.
  bool holds(Button button) const;

 private:
  // Bits of the inputs that hold a device button: the controller buttons by
  // number, and the stick's two sides above them.
  static constexpr uint32_t kStickLeftBit = 1u << 30;
  static constexpr uint32_t kStickRightBit = 1u << 31;

  struct Pad {
    int32_t id = -1;
    bool used = false;
    std::array<uint32_t, kButtonCount> inputs{};
    StickHysteresis stick;
  };

  Pad* find(int32_t pad);
  Pad* findOrAdd(int32_t pad);
  void hold(Pad& pad, Button button, uint32_t bit, bool on);

  ButtonSink& sink_;
  std::array<Pad, kMaxPads> pads_{};
};

}  // namespace tavro
