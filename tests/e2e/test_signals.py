"""SIGTERM, SIGINT (Ctrl+C) and SIGHUP end the program as the Exit command does,
with a sound output open or without one, and while an error box of the device
window's creation is open: exit status 0, no launcher, the settings on disk
left as they were."""

import os
import signal
import subprocess
import time

from harness import (App, Failures, Screen, app_windows, device_window, fresh_dist, parse_args,
                     require_display)
from test_special_files import titled_box

SIGNALS = [("SIGTERM", signal.SIGTERM), ("SIGINT", signal.SIGINT), ("SIGHUP", signal.SIGHUP)]
# The sound output chosen in the settings: 0 opens SDL's (silent) dummy driver.
SOUND = [("sound on", {"SoundMode": 0}, "dummy"), ("sound on, disk driver", {"SoundMode": 1}, "disk"),
         ("no sound", {"SoundMode": 2}, "dummy")]


def main():
    args = parse_args()
    require_display()
    screen = Screen()
    failures = Failures()
    for sound_name, sound_settings, driver in SOUND:
        for signal_name, number in SIGNALS:
            label = "%s, %s" % (signal_name, sound_name)
            name = "signals-%s-%s" % (signal_name.lower(), sound_name.replace(" ", "-").replace(",", ""))
            app = App(args.dist, args.shots, name,
                      env={"SDL_AUDIODRIVER": driver, "SDL_DISKAUDIOFILE": "/dev/null"})
            app.write_settings(dict(sound_settings, SplashScreen=0, FullscreenMode=0, HiScore1=37))
            app.start()
            try:
                device_window(app, screen, fullscreen=False)
                time.sleep(0.5)  # the segment test on the screen, samples loaded
                with open(app.settings_path, "rb") as f:
                    before = f.read()
                app.process.send_signal(number)
                try:
                    code = app.wait_exit(timeout=10)
                except subprocess.TimeoutExpired:
                    code = None
                failures.check(code == 0, "%s: the program ends with status 0 (got %s)"
                               % (label, "no end within 10 s" if code is None else code))
                with open(app.settings_path, "rb") as f:
                    after = f.read()
                failures.check(after == before and b"HiScore1=37" in after,
                               "%s: the settings file is as it was" % label)
                log = app.log()
                failures.check("Segmentation" not in log and "Aborted" not in log,
                               "%s: no crash reported" % label)
            finally:
                app.stop()

    # A colour that is no number: the creation's error box waits for OK.
    dist = fresh_dist(args.dist)
    with open(os.path.join(dist, "Config.ini"), "r+", encoding="latin-1") as config:
        text = config.read().replace("TranspColor=$00ff00ff", "TranspColor=red")
        config.seek(0)
        config.write(text)
        config.truncate()
    for signal_name, number in SIGNALS:
        label = "%s in the creation's error box" % signal_name
        app = App(dist, args.shots, "signals-box-%s" % signal_name.lower())
        app.write_settings({"HiScore1": 37, "FullscreenMode": 0})  # the colour of windowed mode
        app.start()
        try:
            titled_box(app, timeout=15)
            failures.check(True, "%s: the error box is open" % label)
            time.sleep(0.3)
            with open(app.settings_path, "rb") as f:
                before = f.read()
            app.process.send_signal(number)
            launcher = False
            deadline = time.monotonic() + 10
            while app.running() and time.monotonic() < deadline:
                launcher = launcher or bool(app_windows(app, "^About this game"))
                time.sleep(0.1)
            code = app.process.poll()
            if code is not None:
                time.sleep(0.5)  # the last windows of a run that went on would show now
            failures.check(code == 0, "%s: the program ends with status 0 (got %s)"
                           % (label, "no end within 10 s" if code is None else code))
            failures.check(not launcher, "%s: no launcher appears" % label)
            with open(app.settings_path, "rb") as f:
                failures.check(f.read() == before, "%s: the settings file is as it was" % label)
        except AssertionError as error:
            failures.check(False, "%s: %s" % (label, error))
            app.shot(screen, "failure")
        finally:
            app.stop()
    failures.finish()


if __name__ == "__main__":
    main()
