#pragma once
// Turns key events, presses on the drawn buttons and game controller buttons
// into the press and release of the five device buttons.
//
// Keyboard, mouse and game controller work one device button together: a
// press from any source reaches down() (also a press from a second source
// while another holds the button, and every auto-repeated key press, which the
// device's latches absorb), and the first release from any source reaches
// up(); the later releases from the other sources are swallowed. A key release that
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

  // A game controller started or ended holding a button (the controllers
  // together are one source: see PadState).
  void padDown(Button button);
  void padUp(Button button);

 private:
  struct Sources {
    bool key = false;    // the bound key holds the button
    bool mouse = false;  // the pointer holds the button
    bool pad = false;    // a game controller holds the button
    // The key is still down but the mouse or a controller already released
    // the button: its repeats and its release are swallowed.
    bool keySpent = false;
  };
  // The press and release of the mouse or a controller: the first release wins.
  void sourceDown(Button button, bool Sources::*source);
  void sourceUp(Button button, bool Sources::*source);
  void release(Button button);

  const std::array<KeyBinding, kButtonCount>& bindings_;
  ButtonSink& sink_;
  std::array<Sources, kButtonCount> held_{};
};

}  // namespace tavro
