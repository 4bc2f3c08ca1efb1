"""Clock modes on a fixed host clock: the time key steps through time 1, time 2,
alarm, chronometer and date, each with its indicator, digits and colon."""

import time

from harness import (scenario, ALARM, AM, BELL, CHRONO, COLON, DATE, DIGIT_POS, LCD_SEGMENTS, PM, TIME_1,
                     TIME_2, App, Failures, Lcd, Screen, Skin, centred_origin, device_window,
                     differs, key, key_down, key_up, parse_args, pixel_distance, pointer_to,
                     require_display, settled, wait_change)

INDICATORS = [TIME_1, TIME_2, ALARM, CHRONO, DATE, AM, PM, BELL]
NAMES = {TIME_1: "TIME 1", TIME_2: "TIME 2", ALARM: "ALARM", CHRONO: "CHRONO", DATE: "DATE",
         AM: "AM", PM: "PM", BELL: "bell"}


def names(segments):
    return sorted(NAMES[n] for n in segments)


def colon_states(screen, lcd, seconds=1.6):
    """The colon's states seen while sampling for a while."""
    seen = set()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        seen.add(lcd.is_on(screen.grab(), COLON))
        time.sleep(0.04)
    return seen


def capture(app, screen, label):
    image = settled(screen)
    app.shot_image(image, label)
    return image


def step(app, screen, label):
    key("3")
    time.sleep(0.3)
    return capture(app, screen, label)


def main():
    args, screen, skin, failures = scenario()
    app = App(args.dist, args.shots, "clock_modes", faketime="2026-12-10 10:20:00")
    app.write_settings({"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0})
    app.start()
    try:
        _, (wx, wy, ww, wh) = device_window(app, screen, fullscreen=False)
        origin = (wx, wy)
        failures.check(origin == centred_origin(screen, skin.game_w, skin.game_h),
                       "windowed device window centred at %s" % (origin,))
        lcd = Lcd(skin, origin)
        pointer_to(origin[0] + 280, origin[1] + 190)

        test = capture(app, screen, "segment-test")
        lcd.learn_on(test, LCD_SEGMENTS)
        lcd.learn_digits(test, "8888")

        # Mode 4 (chronometer) is the reference for the other indicators being off,
        # mode 1 for the chronometer and the colon.
        key("3")
        wait_change(screen, test, lcd.rect(DIGIT_POS[0]), what="time 1")
        time.sleep(0.2)
        mode1 = capture(app, screen, "time-1")
        mode2 = step(app, screen, "time-2")
        mode3 = step(app, screen, "alarm")
        lcd.learn_digits(mode3, "1200")
        mode4 = step(app, screen, "chrono")
        lcd.learn_digits(mode4, "0000")
        # Mode 4 is the reference for the other indicators being off, mode 1 for
        # the chronometer indicator; the colon is steady on in mode 4.
        lcd.learn_off(mode4, [TIME_1, TIME_2, ALARM, DATE, AM, PM, BELL])
        lcd.learn_off(mode1, [CHRONO])
        lcd.learn_on(mode4, [COLON])
        mode5 = step(app, screen, "date")

        # The off state of the colon: a frame of the date display whose colon
        # differs from mode 4.
        colon_off = None
        deadline = time.monotonic() + 2.5
        while colon_off is None and time.monotonic() < deadline:
            image = screen.grab()
            if differs(image, mode4, lcd.rect(COLON)):
                colon_off = image
            time.sleep(0.04)
        failures.check(colon_off is not None, "the colon goes off at times in the date display")
        lcd.learn_off(colon_off or mode1, [COLON])

        expected = {
            "time 1": (mode1, {TIME_1}, "1020", {AM}),
            "time 2": (mode2, {TIME_2}, "1020", {AM}),
            "alarm": (mode3, {ALARM}, "1200", set()),
            "chronometer": (mode4, {CHRONO}, "0000", set()),
            "date": (mode5, {DATE}, "1210", set()),
        }
        for name, (image, indicators, digits, ampm) in expected.items():
            lit = {n for n in INDICATORS if lcd.is_on(image, n)}
            want = indicators | ampm
            failures.check(lit == want, "%s: lit indicators %s, expected %s" % (
                name, names(lit), names(want)))
            read = lcd.digits(image)
            failures.check(read == digits, "%s: panel reads %r, expected %r" % (name, read, digits))
            others = [n for n in LCD_SEGMENTS if n not in DIGIT_POS and n not in INDICATORS
                      and n != COLON]
            stray = [n for n in others if not _off_like(image, mode4, n, lcd)]
            failures.check(not stray, "%s: no game segment on (stray: %s)" % (name, stray))

        # Colon: steady in mode 4, blinking in modes 1, 3 and 5.
        key("3")  # 5 -> 1
        time.sleep(0.3)
        failures.check(colon_states(screen, lcd) == {True, False}, "time 1: the colon blinks")
        failures.check(lcd.digits(screen.grab()) == "1020", "time 1 again after the date: 1020")
        key("3")
        time.sleep(0.2)
        failures.check(colon_states(screen, lcd) == {True, False}, "time 2: the colon blinks")
        key("3")
        time.sleep(0.2)
        failures.check(colon_states(screen, lcd) == {True, False}, "alarm: the colon blinks")
        key("3")
        time.sleep(0.2)
        failures.check(colon_states(screen, lcd) == {True}, "chronometer: the colon is steady on")
        key("3")
        time.sleep(0.2)
        failures.check(colon_states(screen, lcd) == {True, False}, "date: the colon blinks")

        # A held time key steps once, whatever its auto-repeat delivers.
        key_down("3")
        try:
            time.sleep(1.5)
            held = app.shot(screen, "time-key-held")
        finally:
            key_up("3")
        lit = {n for n in INDICATORS if lcd.is_on(held, n)}
        failures.check(lit == {TIME_1, AM}, "holding the time key in the date display steps "
                       "once, to time 1 (lit: %s)" % names(lit))
        app.shot(screen, "end")
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()
    failures.finish()


def _off_like(image, reference, n, lcd):
    """Segment n looks as in the reference (all-off) picture rather than as in the
    segment test."""
    rect = lcd.rect(n)
    return pixel_distance(image, reference, rect) <= pixel_distance(image, lcd.on_ref[n], rect)


if __name__ == "__main__":
    main()
