#pragma once
// Pictures compiled into the program (PNG bytes), generated at build time.

#include <cstddef>
#include <string_view>

namespace tavro::builtin {

struct Blob {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  bool empty() const { return size == 0; }
};

// The PNG bytes of the built-in picture with this name, or an empty blob.
// Names: "game_menu", "splash_background", "splash_box", "splash_play",
// "splash_play_disabled", "splash_donate", "about_portrait", "icon",
// "manual_close_up", "manual_close_down", "manual_left_up", "manual_left_down",
// "manual_right_up", "manual_right_down".
Blob picture(std::string_view name);

}  // namespace tavro::builtin
