#include "shell/FullscreenSwitch.h"

#include "device/window/unit1.h"
#include "shell/GameMenu.h"
#include "shell/SettingsStore.h"
#include "skin/gfxinit.h"

namespace tavro {

void switchFullscreen(TForm1& form, GameMenu& gameMenu,
                      const std::function<void(bool)>& setChecked) {
  form.fullscreen_mode = !form.fullscreen_mode;
  if (setChecked) {
    setChecked(form.fullscreen_mode);
  }
  // The way that led here (the shortcut, the context menu's opening or the
  // game menu row's release) folds the rows themselves.
  gameMenu.game_menu_open = false;
  if (SettingsStore* settings = form.settings()) {
    settings->writeBool("FullscreenMode", form.fullscreen_mode);
  }
  form.placeOffScreen();
  Gfx_Load_Skin(form);
  form.centreOnScreen();
}

}  // namespace tavro
