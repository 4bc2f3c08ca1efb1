#pragma once
// Turns Qt key events into the Windows virtual-key codes of the key table.
//
// Digits of the main keyboard give 48..57 whatever modifier is held (Shift+1
// arrives as '!' and is recovered from the key's position), keypad digits give
// the keypad codes 96..105, letters 65..90 in either case, arrows 37..40,
// either Shift 16, either Ctrl 17, Alt and AltGr 18, space 32, Escape 27,
// Enter 13 and F1..F12 112..123. Any other key gives 0, which no binding holds.

#include <cstdint>

class QKeyEvent;

namespace tavro {

uint16_t virtualKeyCode(const QKeyEvent& event);

}  // namespace tavro
