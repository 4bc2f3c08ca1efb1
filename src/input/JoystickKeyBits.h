#pragma once
// Whether an input device is a joystick or game controller, told from the key
// bits Linux lists for it in /sys/class/input/eventN/device/capabilities/key
// (readable by everyone, unlike the device itself): hexadecimal words of
// `wordBits` bits, separated by spaces, the highest word first.

#include <string_view>

namespace tavro {

inline constexpr int kLongBits = static_cast<int>(sizeof(long) * 8);

// True when any of the joystick or gamepad buttons (BTN_JOYSTICK 0x120 to
// BTN_THUMBR 0x13e) is set. Text that is not such a list gives false.
bool hasJoystickButtons(std::string_view keyBits, int wordBits = kLongBits);

}  // namespace tavro
