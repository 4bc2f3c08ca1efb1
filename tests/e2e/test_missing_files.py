"""Broken installations: without Config.ini an "Error" box ends the program;
without the Sound folder and a stored sound output an "Error" box ends it too,
the sound choice is forgotten and the next start asks again in the splash."""

import shutil
import time

from harness import (App, Failures, Screen, fresh_dist, key, mean_saturation, named_window,
                     parse_args, pointer_to, require_display, settings_value, wait_for,
                     window_geometry, window_title)

SPLASH = "^About this game...$"
PLAY = (116, 340, 107, 30)  # place of the play pictures in the splash window


def close_error_box(app, screen, failures, label):
    box = named_window("^Error$", app)
    x, y, w, h = window_geometry(box)
    # Wait for the box to be painted: more than one colour inside it.
    wait_for(lambda: len(set(screen.grab(x, y, w, h).rgb[i:i + 3] for i in range(0, w * h * 3, 30)))
             > 1, timeout=5, what="the error box to be drawn")
    app.shot(screen, label)
    failures.check(True, "%s: an \"Error\" box appears" % label)
    title = window_title(box)
    failures.check(title == "Error", "%s: the box's title is \"Error\" (shown title: %r)"
                   % (label, title))
    pointer_to(x + w // 2, y + h // 2)
    key("Return")
    try:
        code = app.wait_exit(timeout=10)
        failures.check(True, "%s: the program ends after Enter (exit code %s)" % (label, code))
    except Exception:
        failures.check(False, "%s: the program ends after Enter" % label)


def main():
    args = parse_args()
    require_display()
    screen = Screen()
    failures = Failures()
    copies = []

    # No Config.ini.
    dist = fresh_dist(args.dist, without=("Config.ini",))
    copies.append(dist)
    app = App(dist, args.shots, "missing_files")
    app.write_settings({"SoundMode": 2, "SplashScreen": 0})
    app.start()
    try:
        close_error_box(app, screen, failures, "no-config")
        failures.check(settings_value(app, "SoundMode") == "2",
                       "no-config: the stored sound output is kept")
    except AssertionError as error:
        failures.check(False, "no-config: " + str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()

    # No Sound folder, with a sound output stored and the splash switched off.
    dist = fresh_dist(args.dist, without=("Sound",))
    copies.append(dist)
    app = App(dist, args.shots, "missing_files", fresh_shots=False)
    app.shot_count = 10
    app.write_settings({"SoundMode": 0, "SplashScreen": 0, "FullscreenMode": 1})
    app.start()
    try:
        close_error_box(app, screen, failures, "no-sound")
        values = app.settings()
        failures.check(values.get("SoundMode") == "-1",
                       "no-sound: SoundMode=-1 stored (got %s)" % values.get("SoundMode"))
        failures.check(values.get("SplashScreen") in ("1", "true"),
                       "no-sound: SplashScreen=1 stored (got %s)" % values.get("SplashScreen"))
    except AssertionError as error:
        failures.check(False, "no-sound: " + str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()

    # The next start asks for the output again: splash with nothing chosen.
    again = App(dist, args.shots, "missing_files", config_home=app.config_home,
                fresh_shots=False)
    again.shot_count = 20
    again.start()
    try:
        splash = named_window(SPLASH, again)
        x, y, w, h = window_geometry(splash)
        time.sleep(0.5)
        image = again.shot(screen, "splash-after-failure")
        failures.check(True, "next start: the splash window is shown")
        play = (x + PLAY[0], y + PLAY[1], PLAY[2], PLAY[3])
        saturation = mean_saturation(image, play)
        failures.check(saturation < 30, "next start: the play picture is greyed (saturation %.0f)"
                       % saturation)
        pointer_to(x + w // 2, y + 60)
        key("Return")
        time.sleep(1.0)
        failures.check(again.running() and named_window(SPLASH, again),
                       "next start: Enter without a chosen output keeps the splash open")
        key("Escape")
        try:
            again.wait_exit(timeout=5)
            failures.check(True, "Escape in the splash window ends the program")
        except Exception:
            failures.check(False, "Escape in the splash window ends the program")
        values = again.settings()
        failures.check(values.get("SoundMode") == "-1"
                       and values.get("SplashScreen") in ("1", "true"),
                       "Escape stores nothing: SoundMode=%s SplashScreen=%s" % (
                           values.get("SoundMode"), values.get("SplashScreen")))
    except AssertionError as error:
        failures.check(False, "next start: " + str(error))
        again.shot(screen, "failure")
    finally:
        again.stop()
    for copy in copies:
        shutil.rmtree(copy, ignore_errors=True)
    failures.finish()


if __name__ == "__main__":
    main()
