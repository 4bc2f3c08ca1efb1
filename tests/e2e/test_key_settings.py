"""Key settings from the context menu: game A moved to the space bar is stored
as Key1=44 and the space bar then starts game A; the 1 key no longer does."""

import time

from harness import (scenario, ALARM, IM_GAME_A, LCD_SEGMENTS, App, Failures, Lcd, Screen, Skin, app_windows,
                     device_window, differs, key, key_down, key_up, named_window, parse_args,
                     pointer_to, process_windows, require_display, settings_value, settled,
                     wait_change, wait_for, window_geometry, xdotool)

KEYS_WINDOW = "^Key settings$"
MENU_ROWS_TO_KEY_SETTINGS = 6  # About, Readme, Whatsnew, manual, configuration file, keys


def main():
    args, screen, skin, failures = scenario()
    app = App(args.dist, args.shots, "key_settings")
    app.write_settings({"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0})
    app.start()
    try:
        _, (x, y, w, h) = device_window(app, screen, fullscreen=False)
        origin = (x, y)
        body = (x + 280, y + 190)
        lcd = Lcd(skin, origin)
        pointer_to(*body)
        test = settled(screen)
        app.shot_image(test, "segment-test")
        lcd.learn_on(test, LCD_SEGMENTS)
        key("3", "3", "3")  # segment test -> time 1 -> time 2 -> alarm
        wait_change(screen, test, lcd.rect(IM_GAME_A), what="the clock display")
        time.sleep(0.3)
        alarm = settled(screen)
        app.shot_image(alarm, "alarm")
        lcd.learn_off(alarm, [n for n in LCD_SEGMENTS if n != ALARM])
        lcd.learn_digits(alarm, "1200")
        failures.check(lcd.digits(alarm) == "1200", "alarm display reads 1200")

        # Context menu, then its "Key settings" entry by keyboard.
        before = set(process_windows(app))
        xdotool("click", 3)
        menu = wait_for(lambda: set(process_windows(app)) - before, timeout=5,
                        what="the context menu")
        app.shot(screen, "context-menu")
        pointer_to(5, 5)  # away from the menu, so that no row is under the pointer
        key(*(["Down"] * MENU_ROWS_TO_KEY_SETTINGS))
        app.shot(screen, "menu-row-chosen")
        key("Return")
        dialog = named_window(KEYS_WINDOW, app)
        failures.check(True, "\"Key settings\" opens the key settings window")
        failures.check(not set(process_windows(app)) & menu, "the context menu closed")
        dx, dy, dw, dh = window_geometry(dialog)
        failures.check((dw, dh) == (448, 163), "key settings window is %dx%d" % (dw, dh))
        pointer_to(dx + dw // 2, dy + 10)
        time.sleep(0.3)
        app.shot(screen, "key-settings")

        # cb_1 (game A) has the focus; End takes the last entry, <SPACEBAR>.
        key("End")
        time.sleep(0.3)
        app.shot(screen, "spacebar-chosen")
        key("Return")
        wait_for(lambda: not app_windows(app, KEYS_WINDOW), timeout=5,
                 what="the key settings window to close")
        failures.check(True, "Enter accepts and closes the key settings window")
        stored = wait_for(lambda: settings_value(app, "Key1") == "44", timeout=3,
                          what="Key1=44")
        failures.check(stored, "Key1=44 stored")
        values = app.settings()
        failures.check([values.get("Key%d" % i) for i in range(2, 6)] == ["3", "4", "39", "40"],
                       "the other bindings are kept: %s" % [values.get("Key%d" % i)
                                                            for i in range(2, 6)])

        # The 1 key no longer starts game A; the space bar does.
        pointer_to(*body)
        time.sleep(0.2)
        key("1")
        time.sleep(0.5)
        image = app.shot(screen, "after-1")
        failures.check(not lcd.is_on(image, IM_GAME_A) and not differs(image, alarm,
                                                                       lcd.rect(ALARM)),
                       "the 1 key leaves the alarm display")
        key_down("space")  # held: the high score stays until the release
        try:
            wait_change(screen, alarm, lcd.rect(IM_GAME_A), what="game A chosen by the space bar")
            time.sleep(0.2)
            chosen = app.shot(screen, "spacebar-game-a")
        finally:
            key_up("space")
        failures.check(lcd.is_on(chosen, IM_GAME_A), "space bar: GAME A indicator on")
        failures.check(differs(chosen, alarm, lcd.rect(ALARM)), "space bar: ALARM indicator off")
        failures.check(lcd.digits(chosen) == "   0", "space bar: high score 0 on the panel "
                       "(reads %r)" % lcd.digits(chosen))
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()
    failures.finish()


if __name__ == "__main__":
    main()
