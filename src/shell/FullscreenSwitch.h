#pragma once
// The switch between fullscreen and windowed mode (F12 and the menu entry
// "Display in fullscreen mode").

#include <functional>

namespace tavro {

class GameMenu;
class TForm1;

// Flips fullscreen_mode (setChecked mirrors it on the menu entry), stores it,
// lays the window out anew off the screen and centres it. An error of the
// skin loader propagates after the new mode is stored and leaves the window
// off the screen; a further switch goes back.
void switchFullscreen(TForm1& form, GameMenu& gameMenu,
                      const std::function<void(bool)>& setChecked);

}  // namespace tavro
