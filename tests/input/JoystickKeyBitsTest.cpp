// Telling a joystick from the key bits Linux lists for an input device.

#include <gtest/gtest.h>

#include "input/JoystickKeyBits.h"

namespace tavro {
namespace {

TEST(JoystickKeyBits, JoystickButtonsAreFoundInTheirWord) {
  const struct {
    const char* bits;
    int wordBits;
    bool joystick;
  } cases[] = {
      // A gamepad: BTN_SOUTH (0x130) upwards in the fifth word of 64 bits.
      {"7fdb000000000000 0 0 0 0", 64, true},
      {"7fdb000000000000 0 0 0 0\n", 64, true},
      // A joystick: BTN_TRIGGER (0x120); just below it, BTN_0 (0x100) is no joystick's.
      {"100000000 0 0 0 0", 64, true},
      {"1 0 0 0 0", 64, false},
      // BTN_THUMBR (0x13e), the last one, and the same as 32-bit words.
      {"4000000000000000 0 0 0 0", 64, true},
      {"40000000 0 0 0 0 0 0 0 0 0", 32, true},
      {"10000 0 0 0 0 0 0 0 0 0", 32, true},
      // A keyboard: many keys in the low words, none of the joystick's.
      {"0 0 0 0 0 fffffffffffffffe", 64, false},
      {"10000 0 0 0 0 fffffffffffffffe", 64, false},  // bits 0x150 and up: a mouse's
      // A mouse: its buttons from BTN_MOUSE (0x110), just below the joystick's.
      {"ffff0000 0 0 0 0", 64, false},
      {"0 1f0000 0 0 0 0 0 0 0 0", 32, false},
      // Too few words to reach the joystick buttons, nothing, or not a list.
      {"1 0 0", 64, false},
      {"", 64, false},
      {"0", 64, false},
      {"xyz 0 0 0 0", 64, false},
      {"1 0 0 0 0", 48, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hasJoystickButtons(c.bits, c.wordBits), c.joystick) << c.bits;
  }
}

}  // namespace
}  // namespace tavro
