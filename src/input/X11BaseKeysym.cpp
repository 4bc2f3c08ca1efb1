#include "X11BaseKeysym.h"

#include <QGuiApplication>
#include <cstdlib>

#if defined(TAVRO_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace tavro {

uint32_t x11BaseKeysym(uint32_t keycode, uint32_t state) {
#if defined(TAVRO_HAVE_XCB) && QT_CONFIG(xcb)
  const auto* x11 =
      qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection || keycode < 8 || keycode > 255) {
    return 0;
  }
  // The core keyboard mapping lists group 1 level 1, group 1 level 2, group 2
  // level 1, ... for each key code; the event state carries the group in its
  // bits 13 and 14.
  const uint32_t group = (state >> 13) & 3;
  if (group > 1) {
    return 0;
  }
  const auto code = static_cast<xcb_keycode_t>(keycode);
  xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, code, 1), nullptr);
  if (!reply) {
    return 0;
  }
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
  const int count = xcb_get_keyboard_mapping_keysyms_length(reply);
  uint32_t keysym = 0;
  if (static_cast<int>(2 * group) < count) {
    keysym = syms[2 * group];
  }
  if (keysym == 0 && group == 1 && count > 0) {
    keysym = syms[0];  // a key without a second group keeps its first
  }
  std::free(reply);
  return keysym;
#else
  (void)keycode;
  (void)state;
  return 0;
#endif
}

}  // namespace tavro
