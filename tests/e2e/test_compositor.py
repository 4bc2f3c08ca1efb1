"""On a compositor's desktop (GNOME's mutter, weston), natively on Wayland and
through XWayland, as a user sees it on the screen: nothing of the handheld
shows before Play, the area outside its body shows what is behind it,
fullscreen covers the whole output (panels included), a drag moves it, and
Escape ends the program. Everything is read from the screen, since a Wayland
client's windows cannot be looked up from outside."""

import re
import subprocess
import time

from harness import (App, Failures, Skin, centred_origin, key, parse_args, pointer_to,
                     require_display, running, screen_of, settled, wait_for, xdotool)

MAGENTA = (0xFF, 0x00, 0xFF)
STEP = 4  # the grid that changed areas are sampled on


def near(a, b, tolerance=24):
    return sum(abs(p - q) for p, q in zip(a, b)) <= tolerance


def changed_box(blank, image, pointer=None, top=0):
    """The bounding box (x, y, w, h) of the grid points where the image differs
    from the empty desktop, leaving out the pointer's corner and the rows above
    `top` (a panel, whose clock changes by itself); None if none."""
    xs, ys = [], []
    for y in range(top - top % STEP + STEP if top else 0, image.h, STEP):
        for x in range(0, image.w, STEP):
            if pointer and pointer[0] - 4 <= x <= pointer[0] + 24 and \
                    pointer[1] - 4 <= y <= pointer[1] + 32:
                continue
            if not near(blank.pixel(x, y), image.pixel(x, y)):
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return (min(xs), min(ys), max(xs) - min(xs) + STEP, max(ys) - min(ys) + STEP)


def desktop_share(blank, image):
    """Share of the grid points where the empty desktop still shows."""
    points = same = 0
    for y in range(0, image.h, STEP):
        for x in range(0, image.w, STEP):
            points += 1
            same += near(blank.pixel(x, y), image.pixel(x, y), 12)
    return same / points


def wait_box(screen, blank, what, pointer, top, timeout=40):
    """The changed area once the screen has settled with something new on it."""
    def shown():
        return changed_box(blank, screen.grab(), pointer, top)
    wait_for(shown, timeout=timeout, interval=0.3, what=what)
    time.sleep(0.5)
    image = settled(screen)
    return image, changed_box(blank, image, pointer, top)


class Run:
    def __init__(self, args, desktop, screen, skin, blank, failures):
        self.args, self.desktop, self.screen, self.skin = args, desktop, screen, skin
        self.blank, self.failures = blank, failures
        # The pointer waits in the bottom-right corner, off every window.
        self.pointer = (screen.width - 30, screen.height - 40) if desktop.has_input else None
        self.top = 32 if desktop.name == "weston" else 0  # weston's panel
        if self.pointer:
            pointer_to(*self.pointer)

    def app(self, name, settings=None):
        app = App(self.args.dist, self.args.shots, "compositor-" + name)
        if settings:
            app.write_settings(settings)
        return app

    def covered(self):
        """A screenshot once the desktop no longer shows (the window system
        may take a moment to make a window fullscreen), else the last one."""
        image = None
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            image = settled(self.screen)
            if desktop_share(self.blank, image) < 0.01:
                break
            time.sleep(0.3)
        return image

    def check_fullscreen(self, app, label):
        image = self.covered()
        app.shot_image(image, label)
        share = desktop_share(self.blank, image)
        self.failures.check(share < 0.01, "%s: fullscreen covers the whole output (%.1f%% of it "
                            "still shows the desktop)%s" % (label, 100 * share,
                                                            self.x_places(app)))

    def x_places(self, app):
        """Where the X server has the program's windows (XWayland only)."""
        if not self.desktop.x_windows or app.process.poll() is not None:
            return ""
        x11 = dict(app.env, DISPLAY=self.desktop.program_display)
        windows = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                  str(app.process.pid)], capture_output=True, text=True,
                                 env=x11).stdout.split()
        places = []
        for window in windows:
            info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True,
                                  env=x11).stdout
            places.append(" ".join(re.findall(r"(?:Absolute upper-left [XY]|Width|Height):\s+"
                                              r"(-?\d+)", info)))
        return "; windows at " + ", ".join(places)

    def check_windowed(self, app, label):
        """The body stands alone: no key colour, the desktop around it and in its
        see-through corners. Returns the body's box."""
        image, box = wait_box(self.screen, self.blank, "the handheld", self.pointer, self.top)
        app.shot_image(image, label)
        x, y, w, h = box
        game = (self.skin.game_w, self.skin.game_h)
        # The body fills most of the game area; nothing else of the window shows.
        self.failures.check(0.9 * game[0] <= w <= game[0] + STEP and
                            0.9 * game[1] <= h <= game[1] + STEP,
                            "%s: only the handheld shows (changed area %dx%d, the game area "
                            "%dx%d)" % (label, w, h, game[0], game[1]))
        magenta = sum(1 for yy in range(0, image.h, 2) for xx in range(0, image.w, 2)
                      if image.pixel(xx, yy) == MAGENTA)
        self.failures.check(magenta == 0, "%s: no key-colour pixel on the screen (%d found)"
                            % (label, magenta))
        corners = [(x + 1, y + 1), (x + w - 3, y + 1), (x + 1, y + h - 3), (x + w - 3, y + h - 3)]
        through = sum(near(self.blank.pixel(cx, cy), image.pixel(cx, cy)) for cx, cy in corners)
        self.failures.check(through == 4, "%s: the body's corners show the desktop behind "
                            "(%d of 4)" % (label, through))
        return box

    def check_escape(self, app, label):
        key("Escape")
        try:
            code = app.wait_exit(timeout=15)
        except subprocess.TimeoutExpired:
            code = None
        self.failures.check(code == 0, "%s: Escape ends the program (status %s)" % (label, code))


def first_start(run):
    """No settings: the launcher over a hidden, fullscreen device."""
    app = run.app("first-start")
    with running(app, run.screen, run.failures):
        image, box = wait_box(run.screen, run.blank, "the launcher", run.pointer, run.top)
        app.shot_image(image, "before-play")
        # The launcher is 460 x 420 with its title bar and border.
        run.failures.check(box[2] <= 560 and box[3] <= 540,
                           "before Play only the launcher shows (changed area %dx%d at %d,%d)"
                           % (box[2], box[3], box[0], box[1]))
        if not run.desktop.has_input:
            return
        key("End")  # "(no sound)", the last output
        time.sleep(0.3)
        key("Return")
        wait_for(lambda: desktop_share(run.blank, run.screen.grab()) < 0.01, timeout=40,
                 interval=0.3, what="the fullscreen device after Play")
        run.check_fullscreen(app, "after-play")
        run.check_escape(app, "fullscreen")


def windowed(run):
    app = run.app("windowed", {"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0})
    with running(app, run.screen, run.failures):
        x, y, w, h = run.check_windowed(app, "windowed")
        if run.desktop.x_windows:
            # As on X11: the window is found there, and centred on the screen.
            x11 = dict(app.env, DISPLAY=run.desktop.program_display)
            out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                  str(app.process.pid)], capture_output=True, text=True,
                                 env=x11).stdout.split()
            run.failures.check(out, "the program runs on X11 (its windows are on %s)"
                               % run.desktop.program_display)
            info = subprocess.run(["xwininfo", "-id", out[0]], capture_output=True, text=True,
                                  env=x11).stdout if out else ""
            place = tuple(int(v) for v in re.findall(r"Absolute upper-left [XY]:\s+(-?\d+)", info))
            centre = centred_origin(run.screen, run.skin.game_w, run.skin.game_h)
            run.failures.check(place == centre, "centred: at %s, the centre %s" % (place, centre))
        if not run.desktop.has_input:
            return
        # A drag on the body, by the left button held down.
        grab = (x + 30, y + h // 2)  # the body, off every button
        pointer_to(*grab)
        xdotool("mousedown", 1)
        time.sleep(0.2)
        for _ in range(20):  # the window system takes the drag after its first step
            xdotool("mousemove_relative", "--", 3, 2)
            time.sleep(0.03)
        xdotool("mouseup", 1)
        pointer_to(*run.pointer)
        time.sleep(0.8)
        image = settled(run.screen)
        app.shot_image(image, "dragged")
        moved = changed_box(run.blank, image, run.pointer, run.top)
        run.failures.check(moved is not None and abs(moved[0] - x - 60) <= STEP and
                           abs(moved[1] - y - 40) <= STEP,
                           "a drag moves the handheld by (60, 40): from %d,%d to %s"
                           % (x, y, moved[:2] if moved else None))
        key("F1")
        time.sleep(1.5)
        app.shot(run.screen, "about")
        key("Escape")
        time.sleep(0.5)
        key("F12")
        time.sleep(1.5)
        run.check_fullscreen(app, "fullscreen-by-F12")
        key("F12")
        time.sleep(1.0)
        run.check_windowed(app, "windowed-by-F12")
        run.check_escape(app, "windowed")


def fullscreen(run):
    app = run.app("fullscreen", {"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 1})
    with running(app, run.screen, run.failures):
        wait_for(lambda: desktop_share(run.blank, run.screen.grab()) < 0.01, timeout=40,
                 interval=0.3, what="the fullscreen device")
        run.check_fullscreen(app, "fullscreen")


def main():
    args = parse_args()
    desktop = require_display(1024, 768)
    screen = screen_of(desktop)
    failures = Failures()
    if desktop.has_input:
        pointer_to(screen.width - 30, screen.height - 40)
    time.sleep(0.5)
    blank = settled(screen)
    run = Run(args, desktop, screen, Skin(args.dist), blank, failures)
    first_start(run)
    windowed(run)
    if not desktop.has_input:
        fullscreen(run)  # reached by F12 where there are keys
    failures.finish()


if __name__ == "__main__":
    main()
