"""Game A played by a bot that reads the LCD from the screen: it catches a few
items, then lets five go by; the final score becomes the stored high score and
is shown at the next start when game A is chosen."""

import time

from harness import (scenario, DIGIT_POS, IM_GAME_A, LCD_SEGMENTS, MISS_MARKS, App, Failures, Lcd, Screen,
                     Skin, centred_origin, device_window, differs, item, key, key_down, key_up,
                     parse_args, pointer_to, require_display, settings_value, settled, wait_change,
                     wait_for)

CATCHES_WANTED = 5
GAME_TIMEOUT = 75.0


def panel_text(score):
    return ("%4d" % score)[-4:]


class Bot:
    def __init__(self, screen, lcd):
        self.screen = screen
        self.lcd = lcd
        self.hero = 2
        self.catches = 0
        self.catching = True
        # One grab covers the item rows, the panel and the miss marks.
        rects = [lcd.rect(item(c, r)) for c in (1, 2, 3) for r in (4, 5)]
        rects += [lcd.rect(n) for n in DIGIT_POS + MISS_MARKS[:5]]
        x0 = min(r[0] for r in rects)
        y0 = min(r[1] for r in rects)
        x1 = max(r[0] + r[2] for r in rects)
        y1 = max(r[1] + r[3] for r in rects)
        self.area = (x0, y0, x1 - x0, y1 - y0)

    def grab(self):
        return self.screen.grab(*self.area)

    def items(self, image):
        """For each column, the lowest lit row among rows 4 and 5 (0: none)."""
        lowest = {}
        for column in (1, 2, 3):
            lowest[column] = 0
            for row in (5, 4):
                if self.lcd.is_on(image, item(column, row)):
                    lowest[column] = row
                    break
        return lowest

    def move_to(self, column):
        while self.hero < column:
            key("Right")
            self.hero += 1
        while self.hero > column:
            key("Left")
            self.hero -= 1

    def misses(self, image):
        return sum(1 for n in MISS_MARKS[:5] if self.lcd.is_on(image, n))

    def play(self, first_panel):
        """Plays until the fifth miss mark; returns the last picture."""
        panel = first_panel
        deadline = time.monotonic() + GAME_TIMEOUT
        while time.monotonic() < deadline:
            image = self.grab()
            if differs(panel, image, self.lcd.rect(DIGIT_POS[3]), min_pixels=6):
                time.sleep(0.03)  # let the repaint finish
                image = self.grab()
                panel = image
                self.catches += 1
                self.lcd.learn_digits(image, panel_text(self.catches))
                if self.catches >= CATCHES_WANTED:
                    self.catching = False
            if self.misses(image) >= 5:
                return image
            lowest = self.items(image)
            candidates = [c for c in (1, 2, 3) if lowest[c]]
            if candidates:
                target = max(candidates, key=lambda c: lowest[c])
                if self.catching:
                    self.move_to(target)
                elif lowest.get(self.hero):
                    free = [c for c in (1, 2, 3) if not lowest[c]]
                    if free:
                        self.move_to(min(free, key=lambda c: abs(c - self.hero)))
            time.sleep(0.03)
        raise AssertionError("the game did not end within %d s" % GAME_TIMEOUT)


def main():
    args, screen, skin, failures = scenario()
    app = App(args.dist, args.shots, "game_bot")
    app.write_settings({"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 1})
    app.start()
    final_score = None
    try:
        device_window(app, screen, fullscreen=True)
        origin = centred_origin(screen, skin.game_w, skin.game_h)
        lcd = Lcd(skin, origin)
        pointer_to(origin[0] + 280, origin[1] + 190)
        test = settled(screen)
        app.shot_image(test, "segment-test")
        lcd.learn_on(test, LCD_SEGMENTS)

        key("3")
        clock = wait_change(screen, test, lcd.rect(item(1, 1)), what="the clock display")
        time.sleep(0.2)
        clock = settled(screen)
        app.shot_image(clock, "clock")
        lcd.learn_off(clock, LCD_SEGMENTS)

        key("1")
        high = wait_change(screen, clock, lcd.rect(IM_GAME_A), what="the game A high score")
        time.sleep(0.1)
        high = screen.grab()
        app.shot_image(high, "high-score")
        failures.check(lcd.is_on(high, IM_GAME_A), "game A indicator on after pressing 1")
        lcd.learn_digits(high, panel_text(0))

        bot = Bot(screen, lcd)
        last = bot.play(bot.grab())
        over = screen.grab()
        app.shot_image(over, "five-misses")
        final_score = bot.catches
        print("bot caught %d items" % final_score)
        failures.check(final_score > 0, "the bot caught items (score %d)" % final_score)
        read = lcd.digits(last)
        failures.check(read == panel_text(final_score),
                       "panel at the end reads %r, counted %d" % (read, final_score))

        stored = wait_for(lambda: settings_value(app, "HiScore1"), timeout=8,
                          what="HiScore1 in the settings")
        failures.check(stored == str(final_score),
                       "HiScore1 = %s after game over, final score %d" % (stored, final_score))
        failures.check(app.running(), "the program still runs after game over")
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()

    if final_score:
        again = App(args.dist, args.shots, "game_bot", config_home=app.config_home,
                    fresh_shots=False)
        again.shot_count = app.shot_count
        again.start()
        try:
            device_window(again, screen, fullscreen=True)
            pointer_to(origin[0] + 280, origin[1] + 190)
            before = settled(screen)
            key("3")
            clock = wait_change(screen, before, lcd.rect(item(1, 1)), what="the clock display")
            time.sleep(0.2)
            clock = settled(screen)
            key_down("1")  # held: the high score stays until the release
            try:
                wait_change(screen, clock, lcd.rect(IM_GAME_A), what="the game A high score")
                time.sleep(0.2)
                shown = again.shot(screen, "high-score-after-restart")
            finally:
                key_up("1")
            failures.check(lcd.is_on(shown, IM_GAME_A), "restart: GAME A indicator on")
            read = lcd.digits(shown)
            failures.check(read == panel_text(final_score),
                           "restart: high score panel reads %r, expected %r" % (
                               read, panel_text(final_score)))
            failures.check(settings_value(again, "HiScore1") == str(final_score),
                           "restart: HiScore1 kept")
        except AssertionError as error:
            failures.check(False, str(error))
            again.shot(screen, "failure")
        finally:
            again.stop()
    failures.finish()


if __name__ == "__main__":
    main()
