"""Side windows and the keyboard: after the about window, the manual and key
settings close, the next key reaches the device window without the pointer
moving onto it; the windows carry the border hints of their kind; Escape and
Enter act on the window with a drop-down list open; the first Escape after key
settings closed ends the program, run after run."""

import subprocess
import time

from harness import (scenario, ALARM, CHRONO, DATE, TIME_1, TIME_2, App, Failures, Screen, Skin,
                     app_windows, device_window, differs, key, named_window, parse_args,
                     pointer_to, process_windows, require_display, settled, wait_for,
                     window_manager_name, xdotool)

KEYS_WINDOW = "^Key settings$"
ABOUT_WINDOW = "^About the author...$"
MANUAL_WINDOW = "^Manual$"
SPLASH_WINDOW = "^About this game...$"
MENU_ROWS_TO_KEY_SETTINGS = 6
ESCAPE_RUNS = 10

# Motif hints: functions and decorations bits.
FUNC_RESIZE, FUNC_MOVE, FUNC_MINIMIZE, FUNC_MAXIMIZE, FUNC_CLOSE = 2, 4, 8, 16, 32
DECOR_TITLE, DECOR_MENU, DECOR_MINIMIZE, DECOR_MAXIMIZE = 8, 16, 32, 64


def motif_hints(window):
    out = subprocess.run(["xprop", "-id", str(window), "_MOTIF_WM_HINTS"], capture_output=True,
                         text=True).stdout
    if "=" not in out:
        return None
    return [int(v.strip(), 0) for v in out.split("=", 1)[1].split(",")]


def size_hints(window):
    out = subprocess.run(["xprop", "-id", str(window), "WM_NORMAL_HINTS"], capture_output=True,
                         text=True).stdout
    sizes = {}
    for line in out.splitlines():
        for kind in ("minimum", "maximum"):
            if "program specified %s size" % kind in line:
                w, h = line.split(":", 1)[1].strip().split(" by ")
                sizes[kind] = (int(w), int(h))
    return sizes


def allowed_actions(window):
    out = subprocess.run(["xprop", "-id", str(window), "_NET_WM_ALLOWED_ACTIONS"],
                         capture_output=True, text=True).stdout
    return out.split("=", 1)[1] if "=" in out else ""


def check_border(failures, window, name, close_button):
    hints = motif_hints(window)
    failures.check(hints is not None and len(hints) >= 3, "%s: Motif hints set" % name)
    if hints is None or len(hints) < 3:
        return
    flags, functions, decorations = hints[:3]
    failures.check(flags & 1 and not functions & (FUNC_RESIZE | FUNC_MINIMIZE | FUNC_MAXIMIZE),
                   "%s: no resize, minimise or maximise offered (functions %#x)" % (name, functions))
    failures.check(bool(functions & FUNC_CLOSE) == close_button,
                   "%s: close %s (functions %#x)" % (name, "offered" if close_button else
                                                     "not offered", functions))
    failures.check(flags & 2 and decorations & DECOR_TITLE and
                   not decorations & (DECOR_MENU | DECOR_MINIMIZE | DECOR_MAXIMIZE),
                   "%s: a title without menu, minimise or maximise icons (decorations %#x)"
                   % (name, decorations))
    sizes = size_hints(window)
    failures.check(sizes.get("minimum") is not None and sizes.get("minimum") == sizes.get("maximum"),
                   "%s: fixed size %s" % (name, sizes))
    if window_manager_name():
        actions = allowed_actions(window)
        failures.check("MAXIMIZE" not in actions and "RESIZE" not in actions,
                       "%s: the window manager offers neither maximise nor resize" % name)


class Device:
    """The running program with its device window in the segment test; the pointer
    stays in the top-left corner of the screen, off every window."""

    def __init__(self, args, screen, skin, name):
        self.screen, self.skin = screen, skin
        # A clock at 10:20, so that each of time 1, time 2 and the alarm
        # (12:00) shows on the panel what the others do not.
        self.app = App(args.dist, args.shots, name, fresh_shots=False,
                       faketime="2026-12-10 10:20:00")
        self.app.write_settings({"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0})

    def start(self):
        pointer_to(0, 0)
        self.app.start()
        self.window, (x, y, w, h) = device_window(self.app, self.screen, fullscreen=False)
        self.origin = (x, y)
        # Each TIME press changes the mode, and with it at least one of these
        # indicators (the digits may stay: 12:05 in time 2 and the alarm's 12:00
        # share their first digit, and the colon blinks by itself).
        self.indicators = [self.skin.rect(n, self.origin)
                           for n in (TIME_1, TIME_2, ALARM, CHRONO, DATE)]
        time.sleep(0.5)
        return self

    def time_key_reaches_device(self, what):
        """TIME steps the clock modes: the mode indicators change when the key arrives."""
        before = settled(self.screen)
        key("3")

        def changed():
            now = self.screen.grab()
            return any(differs(before, now, rect) for rect in self.indicators)

        try:
            wait_for(changed, timeout=3, what=what)
            return True
        except AssertionError:
            return False

    def open_key_settings(self, at=(280, 190)):
        """Through the context menu, opened by a right-click on the device at
        `at` (in the game area)."""
        before = set(process_windows(self.app))
        x, y = self.origin
        pointer_to(x + at[0], y + at[1])
        xdotool("click", 3)
        wait_for(lambda: set(process_windows(self.app)) - before, timeout=5, what="the menu")
        pointer_to(0, 0)
        key(*(["Down"] * MENU_ROWS_TO_KEY_SETTINGS))
        key("Return")
        return named_window(KEYS_WINDOW, self.app)


def side_windows(args, screen, skin, failures):
    device = Device(args, screen, skin, "side_windows").start()
    app = device.app
    try:
        failures.check(device.time_key_reaches_device("TIME at start"),
                       "a key reaches the device at start")
        for shortcut, title, close_button, closer in (("F1", ABOUT_WINDOW, True, "Escape"),
                                                      ("F4", MANUAL_WINDOW, None, "Escape")):
            key(shortcut)
            window = named_window(title, app)
            time.sleep(0.4)
            app.shot(screen, "open-" + shortcut)
            if close_button is not None:
                check_border(failures, window, title, close_button)
            else:
                hints = motif_hints(window)
                failures.check(hints is not None and hints[0] & 2 and hints[2] == 0,
                               "%s: no border or title bar (hints %s)" % (title, hints))
            key(closer)
            wait_for(lambda: not app_windows(app, title), timeout=5, what=title + " to close")
            failures.check(device.time_key_reaches_device("TIME after " + title),
                           "after %s closes, a key reaches the device" % title)

        window = device.open_key_settings()
        time.sleep(0.4)
        app.shot(screen, "key-settings")
        check_border(failures, window, "Key settings", False)
        # Escape with the first list dropped down closes the window, list and all.
        key("alt+Down")
        time.sleep(0.5)
        app.shot(screen, "list-dropped-down")
        key("Escape")
        wait_for(lambda: not app_windows(app, KEYS_WINDOW), timeout=5,
                 what="Escape with the list open to close key settings")
        failures.check(True, "Escape with a list dropped down closes key settings")
        failures.check(device.time_key_reaches_device("TIME after key settings"),
                       "after key settings closes, a key reaches the device")
        # Enter with a list dropped down accepts (the bindings are unchanged).
        stored = app.settings().get("Key1")
        device.open_key_settings()
        key("alt+Down")
        time.sleep(0.5)
        key("Return")
        wait_for(lambda: not app_windows(app, KEYS_WINDOW), timeout=5,
                 what="Enter with the list open to accept")
        failures.check(True, "Enter with a list dropped down accepts key settings")
        failures.check(app.settings().get("Key1") == stored, "Key1 unchanged by that accept")
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()


def splash_list(args, screen, failures):
    """The launcher's sound list dropped down: Escape still ends the program."""
    app = App(args.dist, args.shots, "side_windows_splash", fresh_shots=False)
    app.write_settings({"SoundMode": 2, "SplashScreen": 1, "FullscreenMode": 0})
    pointer_to(0, 0)
    app.start()
    try:
        window = named_window(SPLASH_WINDOW, app)
        check_border(failures, window, "the launcher", False)
        time.sleep(0.5)
        key("alt+Down")
        time.sleep(0.5)
        app.shot(screen, "splash-list-dropped-down")
        key("Escape")
        try:
            failures.check(app.wait_exit(timeout=5) == 0,
                           "Escape with the sound list dropped down ends the program")
        except Exception:
            failures.check(False, "Escape with the sound list dropped down ends the program")
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()


def escape_after_key_settings(args, screen, skin, failures):
    """Key settings closed by the mouse (accept) or by Escape; the first Escape
    then ends the program. The pointer never rests on the device window."""
    ended = 0
    for run in range(ESCAPE_RUNS):
        by_mouse = run % 2 == 0
        device = Device(args, screen, skin, "side_windows_escape").start()
        app = device.app
        try:
            window = device.open_key_settings()
            time.sleep(0.3)
            if by_mouse:
                # The accept button, then the pointer back to the corner.
                xdotool("mousemove", "--window", window, "--sync", 183 + 41, 130 + 12)
                xdotool("click", 1)
                pointer_to(0, 0)
            else:
                key("Escape")
            wait_for(lambda: not app_windows(app, KEYS_WINDOW), timeout=5,
                     what="key settings to close")
            key("Escape")
            try:
                app.wait_exit(timeout=4)
                ended += 1
            except Exception:
                app.shot(screen, "escape-lost-%d" % run)
                print("run %d (%s): the first Escape was lost" % (run, "mouse" if by_mouse else
                                                                    "Escape"))
        except AssertionError as error:
            failures.check(False, "run %d: %s" % (run, error))
            app.shot(screen, "failure-%d" % run)
        finally:
            app.stop()
    failures.check(ended == ESCAPE_RUNS, "the first Escape after key settings ends the program "
                   "(%d of %d runs)" % (ended, ESCAPE_RUNS))


def main():
    args, screen, skin, failures = scenario()
    side_windows(args, screen, skin, failures)
    splash_list(args, screen, failures)
    escape_after_key_settings(args, screen, skin, failures)
    failures.finish()


if __name__ == "__main__":
    main()
