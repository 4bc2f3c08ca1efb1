#pragma once
// The keyboard layout of the X server the program runs on.

#include <cstdint>

namespace tavro {

// The keysym that the key with this X11 key code gives with no modifier held,
// in the layout group that the X11 event state names (AltGr+Q on a German
// layout: the keysym of q). 0 when the program does not run on X11 or the
// server names no such keysym. Asks the server each time, so a layout changed
// while the program runs is seen at once.
uint32_t x11BaseKeysym(uint32_t keycode, uint32_t state);

}  // namespace tavro
