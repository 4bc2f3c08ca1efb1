"""SIGTERM, SIGINT (Ctrl+C) and SIGHUP end the program as the Exit command does,
with a sound output open or without one: exit status 0, the settings on disk
left as they were."""

import signal
import subprocess
import time

from harness import App, Failures, Screen, device_window, parse_args, require_display

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
    failures.finish()


if __name__ == "__main__":
    main()
