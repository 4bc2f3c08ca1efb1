"""First start on empty settings: fullscreen, the splash window asks for the
sound output; choosing "(no sound)" starts the segment test, centred."""

import time

from harness import (scenario, AM, COLON, DIGIT_POS, LCD_SEGMENTS, TIME_1, App, Failures, Screen, Skin,
                     app_windows, body_match, centred_origin, dark_mask, device_window, differs,
                     key, mean_saturation, named_window, parse_args, pointer_to, process_windows,
                     require_display, settled, wait_change, wait_for, window_geometry, window_title,
                     frame_extents)

SPLASH = "^About this game...$"
SPLASH_SIZE = (460, 420)
PLAY = (116, 340, 107, 30)  # place of the play pictures in the splash window


def check_segment_test(app, screen, skin, failures, origin, test):
    """Every segment is on in test: checked against later pictures in which it is off."""
    # Later pictures in which each segment is off: time 1 at 10:20 (every
    # digit differs from 8) and the alarm (TIME 1 and AM off, blinking colon).
    pointer_to(origin[0] + 280, origin[1] + 190)
    key("3")
    wait_change(screen, test, skin.rect(DIGIT_POS[0], origin), what="the time display")
    time.sleep(0.2)
    time_1 = settled(screen)
    app.shot_image(time_1, "time-1")
    key("3", "3")
    time.sleep(0.3)
    alarm = settled(screen)
    app.shot_image(alarm, "alarm")
    colon_off = None
    deadline = time.monotonic() + 2.5
    while colon_off is None and time.monotonic() < deadline:
        frame = screen.grab()
        if differs(frame, test, skin.rect(COLON, origin)):
            colon_off = frame
        time.sleep(0.04)

    not_lit = []
    for n in LCD_SEGMENTS:
        reference = alarm if n in (TIME_1, AM) else colon_off if n == COLON else time_1
        if reference is None or not differs(test, reference, skin.rect(n, origin)):
            not_lit.append(n)
    failures.check(len(LCD_SEGMENTS) == 58 and not not_lit,
                   "all 58 segments on in the segment test (not lit: %s)" % not_lit)

    masks = [dark_mask(test, skin.rect(n, origin)) for n in DIGIT_POS]
    spread = max(len(m ^ masks[0]) for m in masks)
    failures.check(spread <= len(masks[0]) // 5 and len(masks[0]) > 20,
                   "the four digit positions show one and the same glyph (%d of %d pixels apart)"
                   % (spread, len(masks[0])))
    others = [dark_mask(alarm, skin.rect(n, origin)) for n in DIGIT_POS]  # 1 2 0 0
    failures.check(all(len(o - masks[i]) <= 3 and len(masks[i] - o) > 5
                       for i, o in enumerate(others)),
                   "that glyph covers the glyphs 1, 2 and 0: the panel reads 8888")


def main():
    args, screen, skin, failures = scenario()
    app = App(args.dist, args.shots, "first_start", faketime="2026-12-10 10:20:00")
    app.start()
    try:
        splash = named_window(SPLASH, app)
        x, y, w, h = window_geometry(splash)
        failures.check((w, h) == SPLASH_SIZE, "splash window is %dx%d" % (w, h))
        centre = centred_origin(screen, *SPLASH_SIZE)
        # Under a window manager the window's place is its frame's (the
        # border and title bar come on top of the window's own size).
        left, _, top, _ = frame_extents(splash)
        failures.check(abs(x - left - centre[0]) <= 2 and abs(y - top - centre[1]) <= 2,
                       "splash window centred: at (%d, %d), expected %s" % (x, y, centre))
        play = (x + PLAY[0], y + PLAY[1], PLAY[2], PLAY[3])
        # Drawn once its dark blue title band shows.
        wait_for(lambda: mean_saturation(screen.grab(x, y, w, 52), (x, y, w, 52)) > 20,
                 timeout=5, what="the splash window to be drawn")
        image = settled(screen)
        app.shot_image(image, "splash")
        greyed = mean_saturation(image, play)
        failures.check(greyed < 30, "no output chosen: the greyed play picture (saturation %.0f)"
                       % greyed)
        shown = [(wid, window_geometry(wid), window_title(wid)) for wid in process_windows(app)
                 if wid != splash]
        shown = [entry for entry in shown if entry[1][0] >= 0 and entry[1][1] >= 0]
        failures.check(not shown, "the device window is not on the screen yet (%s)" % shown)
        # A window manager may pull the parked window back until a corner of it
        # shows: nothing of the device may show before Play, anywhere.
        root = image.pixel(screen.width - 1, screen.height - 1)
        stray = [(px, py) for py in range(0, 160, 2) for px in range(0, 240, 2)
                 if image.pixel(px, py) != root]
        failures.check(not stray, "nothing of the device shows in the top-left corner (%d pixels "
                       "differ from the root, first %s)" % (len(stray), stray[:3]))

        # Enter without a choice does nothing.
        pointer_to(x + w // 2, y + 40)
        key("Return")
        time.sleep(0.5)
        failures.check(app_windows(app, SPLASH),
                       "Enter without a chosen output keeps the splash")

        # The list has the focus: End chooses its last entry, "(no sound)".
        key("End")
        enabled = wait_change(screen, image, play, what="the play picture to change")
        enabled = settled(screen)
        app.shot_image(enabled, "no-sound-chosen")
        failures.check(mean_saturation(enabled, play) > greyed + 20,
                       "an output chosen: the coloured play picture (saturation %.0f)"
                       % mean_saturation(enabled, play))
        key("Return")
        wait_for(lambda: not app_windows(app, SPLASH), timeout=5, what="the splash to close")
        failures.check(True, "Enter closes the splash")
        device_window(app, screen, fullscreen=True)
        failures.check(True, "the device window covers the screen")
        wait_for(lambda: app.settings().get("SoundMode"), timeout=3,
                 what="SoundMode in the settings")
        values = app.settings()
        failures.check(values.get("SoundMode") == "2", "SoundMode=2 stored (got %s)"
                       % values.get("SoundMode"))
        failures.check(values.get("SplashScreen") in ("1", "true"),
                       "SplashScreen=1 stored (got %s)" % values.get("SplashScreen"))

        corner = screen.grab(0, 0, 36, 32)
        dark = sum(1 for i in range(0, len(corner.rgb), 3) if sum(corner.rgb[i:i + 3]) < 60)
        light = sum(1 for i in range(0, len(corner.rgb), 3) if min(corner.rgb[i:i + 3]) > 200)
        failures.check(dark > 36 * 32 // 2 and light > 20,
                       "the game menu button stands at the top-left corner (%d dark, %d white "
                       "pixels)" % (dark, light))
        # On a 1280 x 1024 screen the game area stands at (359, 325).
        origin = centred_origin(screen, skin.game_w, skin.game_h)
        time.sleep(0.3)
        test = settled(screen)
        app.shot_image(test, "segment-test")
        match = body_match(test, origin, args.dist, skin)
        failures.check(match > 0.9, "the game area is centred on the screen at %s (%.0f%% of "
                       "body samples in place)" % (origin, 100 * match))

        check_segment_test(app, screen, skin, failures, origin, test)
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()
    failures.finish()


if __name__ == "__main__":
    main()
