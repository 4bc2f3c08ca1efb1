"""What window managers (openbox, xfwm4) do with the program's windows, and the
keyboard between them: side windows stay over the device window (fullscreen
too, panels covered), minimising hides nothing out of reach, the hidden device
never takes the keyboard from the launcher, error boxes at start-up are centred,
and a key held on the launcher does not reach the device. The checks that need
a window manager are left out on the bare server."""

import os
import subprocess
import time

from harness import (scenario, App, Failures, Panel, Screen, Skin, app_windows, device_window,
                     frame_extents, fresh_dist, key, key_down, key_up, named_window,
                     parse_args, pointer_to, process_windows, require_display, running, settled,
                     top_level, wait_for, window_geometry, window_manager_name,
                     window_under_pointer, xdotool)
from test_side_windows import (ABOUT_WINDOW, KEYS_WINDOW, MANUAL_WINDOW, SPLASH_WINDOW,
                               Device)

WINDOWED = {"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0}


def centre_of(window):
    x, y, w, h = window_geometry(window)
    return x + w // 2, y + h // 2


def on_top(window):
    """Whether the window is the one the pointer finds at its centre."""
    found = window_under_pointer(*centre_of(window)) == top_level(window)
    pointer_to(0, 0)
    return found


def minimise(window):
    xdotool("windowminimize", "--sync", window, check=False)
    time.sleep(0.5)


def iconic(window):
    out = subprocess.run(["xprop", "-id", str(window), "WM_STATE"], capture_output=True,
                         text=True).stdout
    return "Iconic" in out


def click_device(x, y):
    pointer_to(x, y)
    xdotool("click", 1)
    time.sleep(0.6)
    pointer_to(0, 0)


def stacking(args, screen, skin, failures, managed):
    """Key settings and the manual over the windowed device; the manual and the
    about window over the fullscreen one; minimised windows come back."""
    device = Device(args, screen, skin, "wm_stacking").start()
    app = device.app
    x, y = device.origin
    body = (x + 30, y + skin.game_h // 2)  # the body, beside the windows in the centre
    try:
        keys = device.open_key_settings()
        time.sleep(0.4)
        click_device(*body)
        failures.check(on_top(keys), "a click on the disabled device leaves key settings on top")
        pointer_to(*centre_of(keys))  # without a window manager the keyboard follows the pointer
        key("Escape")
        pointer_to(0, 0)
        wait_for(lambda: not app_windows(app, KEYS_WINDOW), timeout=10, what="key settings to go")

        # The manual closed while key settings is open: the keyboard goes to key settings.
        key("F4")
        manual = named_window(MANUAL_WINDOW, app)
        device.open_key_settings(at=(30, skin.game_h // 2))  # beside the manual
        mx, my, _, _ = window_geometry(manual)
        pointer_to(mx + 20, my + 20)  # on the manual's page, beside key settings
        xdotool("click", 1)
        time.sleep(0.4)
        key("Escape")
        wait_for(lambda: not app_windows(app, MANUAL_WINDOW), timeout=10, what="the manual to go")
        key("Escape")
        time.sleep(0.8)
        failures.check(not app_windows(app, KEYS_WINDOW),
                       "after the manual closes, Escape reaches key settings")
        pointer_to(0, 0)
        failures.check(device.time_key_reaches_device("TIME after both"),
                       "and then a key reaches the device")

        if managed:
            keys = device.open_key_settings()
            minimise(keys)
            if app_windows(app, KEYS_WINDOW) and not iconic(keys):
                # This window manager keeps the offer of the window's hints: no minimising.
                pointer_to(*centre_of(keys))
                key("Escape")
                pointer_to(0, 0)
                wait_for(lambda: not app_windows(app, KEYS_WINDOW), timeout=10,
                         what="key settings to go")
            else:
                failures.check(not app_windows(app, KEYS_WINDOW) and
                               device.time_key_reaches_device("TIME after minimising"),
                               "minimising key settings gives the device back its keys")
            key("F1")
            about = named_window(ABOUT_WINDOW, app)
            minimise(about)  # openbox minimises the device with its dialog
            xdotool("windowactivate", device.window, check=False)  # as from a task bar
            time.sleep(0.5)
            key("F1")
            failures.check(wait_for(lambda: app_windows(app, ABOUT_WINDOW), timeout=10,
                                    what="the about window again"),
                           "F1 brings a minimised about window back")
            key("Escape")
            time.sleep(0.5)

        key("F12")
        device_window(app, screen, fullscreen=True)
        time.sleep(0.5)
        for shortcut, title in (("F4", MANUAL_WINDOW), ("F1", ABOUT_WINDOW)):
            key(shortcut)
            window = named_window(title, app)
            time.sleep(0.4)
            click_device(40, screen.height - 40)
            app.shot(screen, "fullscreen-" + shortcut)
            failures.check(on_top(window), "%s stays over the fullscreen device after a click "
                           "on it" % title)
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()


def launcher_keys(args, screen, failures, managed):
    """The launcher keeps the keyboard: Alt+Tab finds no hidden device to give
    it to; minimised, it leaves F12 to nobody."""
    app = App(args.dist, args.shots, "wm_launcher_alt_tab")
    with running(app, screen, failures):
        named_window(SPLASH_WINDOW, app)
        time.sleep(0.5)
        key("alt+Tab")
        time.sleep(0.5)
        key("End")  # "(no sound)"
        key("Return")
        device_window(app, screen, fullscreen=True)
        failures.check(True, "after Alt+Tab the launcher still takes End and Enter")
    if not managed:
        return
    app = App(args.dist, args.shots, "wm_launcher_minimised")
    with running(app, screen, failures):
        splash = named_window(SPLASH_WINDOW, app)
        time.sleep(0.5)
        minimise(splash)
        key("F12")
        time.sleep(1.0)
        shown = [window_geometry(w) for w in process_windows(app)]
        big = [place for place in shown if place[2] >= 561 and place[0] >= 0 and place[1] >= 0]
        failures.check("FullscreenMode" not in app.settings() and not big,
                       "F12 with the launcher minimised reaches no window (settings %s)"
                       % app.settings())


def held_play_key(args, screen, skin, failures):
    """1 held to play: its repeats do not press GAME A on the device. The panel
    must show the segment test, as it does after a tap."""
    panels = []
    for label, hold in (("tap", 0.0), ("held", 1.5)):
        app = App(args.dist, args.shots, "wm_play_" + label)
        app.write_settings({"SoundMode": 2, "SplashScreen": 1, "FullscreenMode": 0})
        with running(app, screen, failures):
            named_window(SPLASH_WINDOW, app)
            time.sleep(0.5)
            key_down("1")
            time.sleep(hold)
            key_up("1")
            _, (x, y, _, _) = device_window(app, screen, fullscreen=False)
            pointer_to(0, 0)
            time.sleep(0.6)
            x0, y0, _, h = skin.rect(26, (x, y))
            x1, _, w1, _ = skin.rect(29, (x, y))
            panels.append(settled(screen, (x0, y0, x1 + w1 - x0, h)).rgb)
    failures.check(len(panels) == 2 and panels[0] == panels[1],
                   "with 1 held on the launcher the device shows the segment test")


def error_box_centred(args, screen, failures):
    dist = fresh_dist(args.dist)
    path = os.path.join(dist, "Config.ini")
    with open(path, encoding="latin-1") as config:
        text = config.read()
    with open(path, "w", encoding="latin-1") as config:
        config.write(text.replace("TranspColor=$00ff00ff", "TranspColor=red"))
    app = App(dist, args.shots, "wm_error_box")
    app.write_settings({"FullscreenMode": 0})
    with running(app, screen, failures):
        box = named_window("^Tavro50$", app)
        time.sleep(0.5)
        x, y, w, h = window_geometry(box)
        left, _, top, _ = frame_extents(box)
        # Under a window manager the centred place is its frame's.
        centre = ((screen.width - w) // 2, (screen.height - h) // 2)
        placed = [(x, y), (x - left, y - top)]  # the window's own place, or its frame's
        failures.check(any(abs(px - centre[0]) <= 2 and abs(py - centre[1]) <= 2
                           for px, py in placed),
                       "the start-up error box is centred: at %d,%d, the centre %s"
                       % (x - left, y - top, centre))


def main():
    args, screen, skin, failures = scenario()
    managed = window_manager_name() is not None
    panel = Panel(screen) if managed else None  # a top panel, as desktops have
    stacking(args, screen, skin, failures, managed)
    launcher_keys(args, screen, failures, managed)
    held_play_key(args, screen, skin, failures)
    error_box_centred(args, screen, failures)
    del panel
    failures.finish()


if __name__ == "__main__":
    main()
