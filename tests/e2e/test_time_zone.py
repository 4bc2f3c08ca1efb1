"""The host's time zone: new contents of the zone file that TZ names (replaced
by a rename, or rewritten in place) show on the clock at its next tick, with the
host clock held by libfaketime."""

import os
import shutil
import struct
import tempfile
import time

from harness import (scenario, DIGIT_POS, LCD_SEGMENTS, App, Failures, Lcd, Screen, Skin, device_window,
                     key, parse_args, pointer_to, require_display, settled, wait_change,
                     wait_for)


def zone_file(offset_minutes):
    """A zone file (TZif version 1) of one zone with a fixed offset from UTC."""
    header = struct.pack(">4s16x6l", b"TZif", 0, 0, 0, 0, 1, 4)
    return header + struct.pack(">lBB", offset_minutes * 60, 0, 0) + b"ZZZ\0"


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    args, screen, skin, failures = scenario()
    folder = tempfile.mkdtemp(prefix="tavro50-zone-")
    zone = os.path.join(folder, "zone")
    write(zone, zone_file(0))
    app = App(args.dist, args.shots, "time_zone", env={"TZ": ":" + zone},
              faketime="2026-12-10 10:20:00")
    app.write_settings({"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0})
    app.start()
    try:
        _, (wx, wy, _, _) = device_window(app, screen, fullscreen=False)
        origin = (wx, wy)
        lcd = Lcd(skin, origin)
        pointer_to(origin[0] + 280, origin[1] + 190)
        test = settled(screen)
        lcd.learn_on(test, LCD_SEGMENTS)
        lcd.learn_digits(test, "8888")

        # The alarm display (12:00 whatever the zone) teaches the digits 1, 2, 0.
        key("3")
        wait_change(screen, test, lcd.rect(DIGIT_POS[0]), what="time 1")
        key("3")
        time.sleep(0.3)
        key("3")
        time.sleep(0.3)
        lcd.learn_digits(app.shot_image(settled(screen), "alarm"), "1200")
        for _ in range(3):  # chronometer, date, time 1
            key("3")
            time.sleep(0.3)
        start = app.shot_image(settled(screen), "utc")
        failures.check(lcd.digits(start) == "1020", "time 1 in UTC reads 1020 (reads %r)"
                       % lcd.digits(start))

        cases = [("replaced by a rename", 120, "1220"), ("rewritten in place", 60, "1120")]
        for how, offset, panel in cases:
            if how.startswith("replaced"):
                write(zone + ".new", zone_file(offset))
                os.rename(zone + ".new", zone)
            else:
                write(zone, zone_file(offset))
            changed = time.monotonic()
            try:
                wait_for(lambda: lcd.digits(screen.grab()) == panel, timeout=3.0,
                         what="the clock in the new zone")
                failures.check(True, "zone file %s: the clock reads %s after %.1f s"
                               % (how, panel, time.monotonic() - changed))
            except AssertionError:
                failures.check(False, "zone file %s: the clock reads %r, expected %s"
                               % (how, lcd.digits(screen.grab()), panel))
            app.shot(screen, "utc%+d" % (offset // 60))
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()
        shutil.rmtree(folder, ignore_errors=True)
    failures.finish()


if __name__ == "__main__":
    main()
