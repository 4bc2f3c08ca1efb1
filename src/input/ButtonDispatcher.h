#pragma once
// Turns key events and presses on the drawn buttons into the press and
// release of the five device buttons.
//
// Keyboard and mouse work one device button together: a press from either
// source reaches down() (also a press from the second source while the first
// holds the button, and every auto-repeated key press, which the device's
// latches absorb), and the first release from either source reaches up();
// the later release from the other source is swallowed. A key release that
// belongs to an auto-repeat never reaches up().

#include <array>
#include <cstdint>

#include "KeyTable.h"

namespace tavro {

// Where the button presses go; the device window maps them to Inp_..._down
// and Inp_..._up.
class ButtonSink {
 public:
  virtual ~ButtonSink() = default;
  virtual void down(Button button) = 0;
  virtual void up(Button button) = 0;
};

class ButtonDispatcher {
 public:
  // Both are kept by reference: rebinding takes effect with the next event.
  ButtonDispatcher(const std::array<KeyBinding, kButtonCount>& bindings, ButtonSink& sink);

  // Key events with the key's virtual-key code. Return whether a binding
  // took the key.
  bool keyDown(uint16_t code, bool isAutoRepeat);
  bool keyUp(uint16_t code, bool isAutoRepeat);

  // Left-button press and release on a drawn button.
  void mouseDown(Button button);
  void mouseUp(Button button);

 private:
  struct Sources {
    bool key = false;    // the bound key holds the button
    bool mouse = false;  // the pointer holds the button
    // The key is still down but the mouse already released the button: its
    // repeats and its release are swallowed.
    bool keySpent = false;
  };
  void release(Button button);

  const std::array<KeyBinding, kButtonCount>& bindings_;
  ButtonSink& sink_;
  std::array<Sources, kButtonCount> held_{};
};

}  // namespace tavro
