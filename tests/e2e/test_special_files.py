"""Files that are not regular files, and a huge Config.ini: a named pipe in
place of a skin picture and of a sound no longer stops the program before its
window appears (the picture counts as missing, the cue stays silent); a
Config.ini above 4 MB gets an "Error" box and the program ends without
showing the device. A TZ that names a named pipe is no zone (UTC). Settings
that cannot be saved (the file a named pipe, its lock file a folder, no folder
for it) cost no start: one box tells it, and the program goes on."""

import os
import shutil
import stat
import tempfile
import time

from harness import (App, Failures, Screen, app_windows, device_window, fresh_dist, key,
                     named_window, parse_args, pointer_to, process_windows, require_display,
                     wait_for, window_geometry)
from test_missing_files import close_error_box


def _fifo(path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    os.mkfifo(path)


# (name, settings written, what makes them unsavable and stays as it is)
UNSAVABLE = [
    ("settings-pipe", None, lambda app: app.settings_path, _fifo),
    ("lock-folder", {"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0},
     lambda app: app.settings_path + ".lock", os.mkdir),
    ("no-folder", None, lambda app: os.path.dirname(app.settings_path),
     lambda path: open(path, "w").close()),  # a plain file where the folder should be
]


def _boxes(app):
    """Boxes titled with the application title, on the screen (the device window has
    that title too, and may stand off the screen)."""
    places = [window_geometry(window) for window in app_windows(app, "^Tavro50$")]
    return [place for place in places if place[2] < 561 and place[0] >= 0 and place[1] >= 0]


def titled_box(app, timeout=20):
    return wait_for(lambda: _boxes(app), timeout=timeout, what="a box titled Tavro50")[0]


def unsavable_settings(args, screen, failures):
    for name, settings, path, make in UNSAVABLE:
        app = App(args.dist, args.shots, "special_files-" + name)
        if settings:
            app.write_settings(settings)
        make(path(app))
        kind = stat.S_IFMT(os.stat(path(app)).st_mode)
        app.start()
        try:
            x, y, w, h = titled_box(app)
            app.shot(screen, "notice")
            time.sleep(0.3)
            pointer_to(x + w // 2, y + h // 2)
            key("Return")
            time.sleep(1.0)
            failures.check(app.running() and not _boxes(app),
                           "%s: a box tells that settings cannot be saved; after OK the program "
                           "goes on" % name)
            failures.check(stat.S_IFMT(os.stat(path(app)).st_mode) == kind,
                           "%s: %s is left as it was" % (name, path(app)))
        except AssertionError as error:
            failures.check(False, "%s: %s" % (name, error))
            app.shot(screen, "failure")
        finally:
            app.stop()


def special_time_zones(args, screen, failures):
    """TZ naming a named pipe (with a colon, as a path, as a name under TZDIR) or a folder."""
    folder = tempfile.mkdtemp(prefix="tavro50-tz-")
    os.mkfifo(os.path.join(folder, "pipe"))
    os.mkdir(os.path.join(folder, "dir"))
    for tz in (":%s/pipe" % folder, "%s/pipe" % folder, "pipe", ":%s/dir" % folder):
        app = App(args.dist, args.shots, "special_files-tz", env={"TZ": tz, "TZDIR": folder},
                  fresh_shots=False)
        app.write_settings({"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0})
        app.start()
        try:
            device_window(app, screen, fullscreen=False)
            failures.check(True, "TZ=%s: the device window appears" % tz)
        except AssertionError as error:
            failures.check(False, "TZ=%s: %s" % (tz, error))
        finally:
            app.stop()
    shutil.rmtree(folder, ignore_errors=True)


def main():
    args = parse_args()
    require_display()
    screen = Screen()
    failures = Failures()
    copies = []

    # A skin picture and a cue file replaced by named pipes.
    dist = fresh_dist(args.dist)
    copies.append(dist)
    for name in ("Graphics/Skin/am.bmp", "Sound/Move.wav"):
        os.remove(os.path.join(dist, name))
        os.mkfifo(os.path.join(dist, name))
    app = App(dist, args.shots, "special_files")
    app.write_settings({"SoundMode": 0, "SplashScreen": 0, "FullscreenMode": 0})
    app.start()
    try:
        device_window(app, screen, fullscreen=False)
        app.shot(screen, "pipes")
        failures.check(True, "pipes: the device window appears")
        failures.check(app.running(), "pipes: the program keeps running")
    except AssertionError as error:
        failures.check(False, "pipes: " + str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()

    # Config.ini of 5 MB: its own and more of comment lines.
    dist = fresh_dist(args.dist)
    copies.append(dist)
    with open(os.path.join(dist, "Config.ini"), "a") as config:
        line = "; " + "x" * 97 + "\n"
        config.write(line * (5 * 1024 * 1024 // len(line)))
    app = App(dist, args.shots, "special_files", fresh_shots=False)
    app.shot_count = 10
    app.write_settings({"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0})
    app.start()
    try:
        named_window("^Error$", app)
        big = []
        for window in process_windows(app):
            x, y, w, h = window_geometry(window)
            if w >= 561 and h >= 374 and 0 <= x < screen.width and 0 <= y < screen.height:
                big.append(window)
        close_error_box(app, screen, failures, "huge-config")
        failures.check(not big, "huge-config: no device window on the screen with the box")
    except AssertionError as error:
        failures.check(False, "huge-config: " + str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()

    for copy in copies:
        shutil.rmtree(copy, ignore_errors=True)
    special_time_zones(args, screen, failures)
    unsavable_settings(args, screen, failures)
    failures.finish()


if __name__ == "__main__":
    main()
