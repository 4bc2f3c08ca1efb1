#pragma once
// Turns Qt key events into the Windows virtual-key codes of the key table.
//
// Digits of the main keyboard give 48..57 whatever modifier is held (Shift+1
// arrives as '!' and is recovered from the key's position), keypad digits give
// the keypad codes 96..105, letters 65..90 in either case, arrows 37..40,
// either Shift 16, either Ctrl 17, Alt and AltGr 18 (also the Alt key held
// with Shift, which X11 reports as Meta), space 32, Escape 27, Enter 13 and
// F1..F12 112..123. A letter or digit key whose modifier made it give another
// character (AltGr+Q on a German layout gives '@') gives the code of the
// character the key gives unmodified in the active layout. Any other key gives
// 0, which no binding holds.

#include <cstdint>

class QKeyEvent;

namespace tavro {

uint16_t virtualKeyCode(const QKeyEvent& event);

// The keysym a key gives with no modifier held, from its X11 key code and
// event state; 0 where unknown.
using BaseKeysymLookup = uint32_t (*)(uint32_t keycode, uint32_t state);

// As above, with the active layout read through baseKeysym.
uint16_t virtualKeyCode(const QKeyEvent& event, BaseKeysymLookup baseKeysym);

}  // namespace tavro
