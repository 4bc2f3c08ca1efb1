"""A scaled screen (device pixel ratio 2): the window is centred and shaped like
the body, fullscreen covers the screen with its backdrop around a centred game
area, and the LCD segments and the manual are drawn from their double-resolution
pictures without blur. Sizes in the skin are logical pixels; the screen has twice as many.

The check runs on a desktop of its own with a 2048 x 1536 screen."""

import ctypes
import ctypes.util
import os
import subprocess
import time

import harness
from harness import (App, Failures, Skin, centred_origin, dark_mask, device_window, key,
                     named_window, parse_args, pointer_to, settled, window_geometry)

SCALE = 2
SCREEN_W, SCREEN_H = 2048, 1536
# Segments whose edges are compared with their pictures, each on its own: a
# falling star, the AM mark (a keyed bitmap) and a catch sparkle.
SHARP_SEGMENTS = [61, 31, 73]


def picture_rgba(path):
    """(width, height, RGBA bytes) of a picture file."""
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True,
                          check=True, text=True).stdout.split()
    raw = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], capture_output=True,
                         check=True).stdout
    return int(size[0]), int(size[1]), raw


def hi_res_path(path):
    stem, ext = os.path.splitext(path)
    return stem + "@2x" + ext


def ink_mask(path, scale):
    """The pixels (at screen resolution) that a segment picture covers with ink:
    from its @2x picture, or from the picture itself blown up."""
    w, h, raw = picture_rgba(path)
    keyed = path.lower().endswith(".bmp")  # a bitmap's ink: every pixel but its key colour
    key = raw[(h - 1) * w * 4:(h - 1) * w * 4 + 3]
    mask = set()
    for y in range(h):
        for x in range(w):
            i = (y * w + x) * 4
            if (raw[i:i + 3] != key) if keyed else raw[i + 3] >= 160:
                if scale == 1:
                    mask.add((x, y))
                else:
                    mask.update((x * scale + dx, y * scale + dy)
                                for dx in range(scale) for dy in range(scale))
    return mask


def skin_file(dist, n):
    with open(os.path.join(dist, "Config.ini"), encoding="latin-1") as f:
        section = None
        for line in f:
            line = line.strip()
            if line.startswith("["):
                section = line[1:-1].lower()
            elif section == "image%d" % n and line.lower().startswith("filename="):
                return os.path.join(dist, "Graphics", "Skin", line.split("=", 1)[1])
    raise AssertionError("no picture for Image%d" % n)


def check_sharp(failures, image, skin, origin, dist, label):
    """Each segment's ink on the screen follows its @2x picture to the pixel: a
    blown-up or smoothed picture misses along every slanted edge."""
    for n in SHARP_SEGMENTS:
        path = skin_file(dist, n)
        hi = hi_res_path(path)
        if not failures.check(os.path.exists(hi), "%s: %s exists" % (label, os.path.basename(hi))):
            continue
        expected = ink_mask(hi, 1)
        blocky = ink_mask(path, SCALE)
        x, y, w, h = skin.rects[n]
        rect = (origin[0] + x * SCALE, origin[1] + y * SCALE, w * SCALE, h * SCALE)
        seen = dark_mask(image, rect, threshold=100)
        miss = len(seen ^ expected)
        reference = max(1, len(blocky ^ expected))
        failures.check(miss * 4 < reference,
                       "%s: Image%d's edges are those of its @2x picture (%d pixels off; a "
                       "blown-up picture is %d off)" % (label, n, miss, reference))


class _XRectangle(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort)]


def window_shape(screen, window):
    """The window's bounding shape as {row: [(x0, x1), ...]} in window pixels."""
    xext = ctypes.CDLL(ctypes.util.find_library("Xext"))
    xext.XShapeGetRectangles.restype = ctypes.POINTER(_XRectangle)
    xext.XShapeGetRectangles.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                         ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_int)]
    count, ordering = ctypes.c_int(0), ctypes.c_int(0)
    shape_bounding = 0
    rects = xext.XShapeGetRectangles(screen.display, window, shape_bounding,
                                     ctypes.byref(count), ctypes.byref(ordering))
    rows = {}
    for i in range(count.value):
        r = rects[i]
        for y in range(r.y, r.y + r.height):
            rows.setdefault(y, []).append((r.x, r.x + r.width))
    if rects:
        screen.x11.XFree(rects)
    return rows


def in_shape(rows, x, y):
    return any(x0 <= x < x1 for x0, x1 in rows.get(y, ()))


def body_samples(dist, skin):
    """Points of the body picture, in logical pixels, whose 3 x 3 neighbourhood is
    all key colour or all body, with whether they are body."""
    w, h, raw = picture_rgba(os.path.join(dist, "Graphics", "Skin", "body.bmp"))
    key = raw[(h - 1) * w * 4:(h - 1) * w * 4 + 3]

    def is_key(x, y):
        return raw[(y * w + x) * 4:(y * w + x) * 4 + 3] == key

    samples = []
    for y in range(1, h - 1, 3):
        for x in range(1, w - 1, 3):
            around = {is_key(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)}
            if len(around) == 1:
                samples.append((x, y, not around.pop()))
    return samples


def check_windowed(failures, args, screen, skin):
    app = App(args.dist, args.shots, "scaled-windowed", env={"QT_SCALE_FACTOR": str(SCALE)})
    app.write_settings({"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 0})
    app.start()
    try:
        window, (x, y, w, h) = device_window(app, screen, fullscreen=False)
        # centred in logical pixels: a window can only stand on whole ones
        logical = centred_origin(screen, skin.game_w * SCALE, skin.game_h * SCALE)
        expected = (logical[0] // SCALE * SCALE, logical[1] // SCALE * SCALE)
        failures.check((w, h) == (skin.game_w * SCALE, skin.game_h * SCALE),
                       "windowed: the window is the game area at twice the size (%dx%d)" % (w, h))
        failures.check((x, y) == expected,
                       "windowed: the window at %s is centred at %s" % ((x, y), expected))
        failures.check(x >= 0 and y >= 0 and x + w <= screen.width and y + h <= screen.height,
                       "windowed: the whole window is on the screen")
        image = settled(screen)
        app.shot_image(image, "windowed")
        shape = window_shape(screen, window)
        wrong = [(sx, sy) for sx, sy, body in body_samples(args.dist, skin)
                 if in_shape(shape, sx * SCALE + 1, sy * SCALE + 1) != body]
        failures.check(not wrong, "windowed: the window's shape is the body's (%d of the sampled "
                       "points wrong, first %s)" % (len(wrong), wrong[:3]))
        check_sharp(failures, image, skin, (x, y), args.dist, "windowed")
        check_manual(failures, app, screen, (x, y, w, h))
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()


def check_manual(failures, app, screen, device):
    """The manual's first page fills its window from 1@2x.bmp, pixel for pixel
    (away from the corner buttons)."""
    x, y, w, h = device
    pointer_to(x + 280 * SCALE, y + 190 * SCALE)
    key("F4")
    window = named_window("^Manual$", app)
    time.sleep(0.5)
    mx, my, mw, mh = window_geometry(window)
    image = settled(screen)
    app.shot_image(image, "manual")
    page = os.path.join(app.dist, "Graphics", "Manual", "1@2x.bmp")
    if not failures.check(os.path.exists(page), "manual: 1@2x.bmp exists"):
        key("Escape")
        return
    pw, ph, raw = picture_rgba(page)
    failures.check((mw, mh) == (pw, ph), "manual: the window is the page at twice the size "
                   "(%dx%d, page %dx%d)" % (mw, mh, pw, ph))
    off = 0
    rows = range(40 * SCALE, min(ph, mh) - 40 * SCALE, 3)
    cols = range(40 * SCALE, min(pw, mw) - 40 * SCALE, 3)
    for py in rows:
        for px in cols:
            want = tuple(raw[(py * pw + px) * 4:(py * pw + px) * 4 + 3])
            if sum(abs(a - b) for a, b in zip(image.pixel(mx + px, my + py), want)) > 6:
                off += 1
    failures.check(off * 100 <= len(rows) * len(cols),
                   "manual: page 1 is drawn from 1@2x.bmp (%d of %d samples differ)"
                   % (off, len(rows) * len(cols)))
    key("Escape")


def check_fullscreen(failures, args, screen, skin):
    app = App(args.dist, args.shots, "scaled-fullscreen", env={"QT_SCALE_FACTOR": str(SCALE)})
    app.write_settings({"SoundMode": 2, "SplashScreen": 0, "FullscreenMode": 1})
    app.start()
    try:
        device_window(app, screen, fullscreen=True)
        image = settled(screen)
        app.shot_image(image, "fullscreen")
        failures.check(True, "fullscreen: the window covers the screen")
        # The night-sky backdrop is larger than the screen and centred on it: every
        # screen pixel shows it, none the plain background colour (black), except
        # under the game menu button in the top-left corner.
        step = 64
        menu = (36 * SCALE, 32 * SCALE)
        black = [(sx, sy) for sy in range(0, screen.height, step)
                 for sx in range(0, screen.width, step)
                 if image.pixel(sx, sy) == (0, 0, 0) and not (sx < menu[0] and sy < menu[1])]
        corners = [image.pixel(cx, cy) for cx, cy in
                   [(menu[0], 0), (screen.width - 1, 0), (0, screen.height - 1),
                    (screen.width - 1, screen.height - 1)]]
        failures.check(not black and (0, 0, 0) not in corners,
                       "fullscreen: the backdrop covers the screen (%d black samples, corners %s)"
                       % (len(black), corners))
        logical = centred_origin(screen, skin.game_w * SCALE, skin.game_h * SCALE)
        origin = (logical[0] // SCALE * SCALE, logical[1] // SCALE * SCALE)
        w, _, raw = picture_rgba(os.path.join(args.dist, "Graphics", "Skin", "body.bmp"))
        covered = [skin.rects[n] for n in range(2, 82)]
        total = matched = 0
        for sx, sy, body in body_samples(args.dist, skin)[::7]:
            if not body or any(cx <= sx < cx + cw and cy <= sy < cy + ch
                               for cx, cy, cw, ch in covered):
                continue
            want = raw[(sy * w + sx) * 4:(sy * w + sx) * 4 + 3]
            got = image.pixel(origin[0] + sx * SCALE + 1, origin[1] + sy * SCALE + 1)
            total += 1
            matched += sum(abs(a - b) for a, b in zip(got, want)) <= 40
        failures.check(matched > 0.9 * total, "fullscreen: the game area is centred (%d of %d "
                       "body samples)" % (matched, total))
        check_sharp(failures, image, skin, origin, args.dist, "fullscreen")
    except AssertionError as error:
        failures.check(False, str(error))
        app.shot(screen, "failure")
    finally:
        app.stop()


def main():
    args = parse_args()
    harness.require_display(SCREEN_W, SCREEN_H)
    failures = Failures()
    screen = harness.Screen()
    skin = Skin(args.dist)
    check_windowed(failures, args, screen, skin)
    check_fullscreen(failures, args, screen, skin)
    failures.finish()


if __name__ == "__main__":
    main()
