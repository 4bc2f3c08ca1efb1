"""Bound keys under modifiers and another keyboard layout: the Alt key pressed or
released with Shift held (X11 then reports Meta) presses and releases its button,
and on a German layout AltGr+Q and AltGr+M press the buttons bound to Q and M."""

import subprocess
import time

from harness import (scenario, App, Failures, Screen, Skin, device_window, differs, key_down, key_up,
                     parse_args, pointer_to, require_display, settled)

TIME_DOWN, LEFT_DOWN, RIGHT_DOWN = 7, 10, 12  # the pressed pictures
ALTGR = "ISO_Level3_Shift"


def setxkbmap(layout):
    """Sets the layout; true when the server took it."""
    subprocess.run(["setxkbmap", layout], check=True)
    time.sleep(0.5)  # the program reads the new keymap
    query = subprocess.run(["setxkbmap", "-query"], capture_output=True, text=True).stdout
    return any(line.split() == ["layout:", layout] for line in query.splitlines())


def main():
    args, screen, skin, failures = scenario()
    app = App(args.dist, args.shots, "key_modifiers")
    # time on <ALT>, left on Q, right on M
    app.write_settings({"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0,
                        "Key3": 41, "Key4": 27, "Key5": 23})
    app.start()
    try:
        _, (x, y, _, _) = device_window(app, screen, fullscreen=False)
        pointer_to(x + 280, y + 20)  # on the body, where no hint shows
        time.sleep(0.3)
        rest = settled(screen)
        app.shot_image(rest, "rest")

        def pressed(button):
            time.sleep(0.3)
            return differs(rest, screen.grab(), skin.rect(button, (x, y)), min_pixels=40)

        def keys(label, steps, button):
            """steps: ("down" | "up", key name, whether the button shows pressed after)."""
            for action, name, expected in steps:
                (key_down if action == "down" else key_up)(name)
                shown = pressed(button)
                if not failures.check(shown == expected, "%s: after %s %s the button is %s"
                                      % (label, action, name,
                                         "pressed" if shown else "released")):
                    app.shot(screen, "failure-" + label.replace(" ", "-"))

        keys("Shift, then Alt", [("down", "Shift_L", False), ("down", "Alt_L", True),
                                 ("up", "Alt_L", False), ("up", "Shift_L", False)], TIME_DOWN)
        keys("Alt, then Shift", [("down", "Alt_L", True), ("down", "Shift_L", True),
                                 ("up", "Alt_L", False), ("up", "Shift_L", False)], TIME_DOWN)

        try:
            failures.check(setxkbmap("de"), "the X server switched to the German layout")
            keys("de AltGr+Q", [("down", ALTGR, False), ("down", "q", True), ("up", "q", False),
                                ("up", ALTGR, False)], LEFT_DOWN)
            keys("de AltGr+M", [("down", ALTGR, False), ("down", "m", True), ("up", "m", False),
                                ("up", ALTGR, False)], RIGHT_DOWN)
            keys("de Q, then AltGr", [("down", "q", True), ("down", ALTGR, True),
                                      ("up", "q", False), ("up", ALTGR, False)], LEFT_DOWN)
        finally:
            setxkbmap("us")  # the X server is shared with the other tests
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()
    failures.finish()


if __name__ == "__main__":
    main()
