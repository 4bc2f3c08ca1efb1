"""End-to-end harness: runs the real tavro50 from its ready-to-run folder on an X
server, sends input through XTest (xdotool) and reads the screen back from the
X server (XGetImage through ctypes, so the bot can look many times a second).
"""

import argparse
import atexit
import configparser
import ctypes
import ctypes.util
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import desktop

SKIP = desktop.SKIP


# ---------------------------------------------------------------- command line

def parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist", required=True)
    parser.add_argument("--shots", required=True)
    return parser.parse_args()


DESKTOP = None  # the desktop of the run, once require_display() started it


def require_display(width=1280, height=1024):
    """Starts the scenario's own desktop (see desktop.py: a private Xvfb, a
    window manager or a compositor on it, as TAVRO_E2E_DESKTOP says) and
    returns it; DISPLAY names its X server from here on."""
    global DESKTOP
    DESKTOP = desktop.start(width, height)
    return DESKTOP


_end_process = desktop.end_process
window_manager_name = desktop.window_manager_name


def start_private_desktop(width=1280, height=1024):
    return require_display(width, height)


# ---------------------------------------------------------------- screen

class _XImage(ctypes.Structure):
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
        ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
    ]


class Screen:
    """Pixels of the X root window."""

    def __init__(self):
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XDestroyImage = None
        self.x11.XFree.argtypes = [ctypes.c_void_p]
        self.x11.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open the X display")
        self.root = self.x11.XDefaultRootWindow(self.display)
        self.width = self.x11.XDisplayWidth(self.display, 0)
        self.height = self.x11.XDisplayHeight(self.display, 0)

    def grab(self, x=0, y=0, w=None, h=None):
        w = self.width - x if w is None else w
        h = self.height - y if h is None else h
        all_planes = 0xFFFFFFFF
        zpixmap = 2
        image = self.x11.XGetImage(self.display, self.root, x, y, w, h, all_planes, zpixmap)
        if not image:
            raise RuntimeError("XGetImage failed")
        img = image.contents
        bpl = img.bytes_per_line
        raw = ctypes.string_at(img.data, bpl * h)
        # 32 bits per pixel, little-endian BGRX.
        rgb = bytearray(w * h * 3)
        for row in range(h):
            line = raw[row * bpl: row * bpl + w * 4]
            out = row * w * 3
            rgb[out + 0: out + w * 3: 3] = line[2::4]
            rgb[out + 1: out + w * 3: 3] = line[1::4]
            rgb[out + 2: out + w * 3: 3] = line[0::4]
        self.x11.XFree(img.data)
        self.x11.XFree(image)
        return Image(w, h, bytes(rgb), x, y)


class PngScreen:
    """The screen of a desktop without an X server to read (weston): each grab
    is a screenshot the compositor writes."""

    def __init__(self, desktop_):
        self.desktop = desktop_
        self.width, self.height = desktop_.width, desktop_.height

    def grab(self, x=0, y=0, w=None, h=None):
        with tempfile.TemporaryDirectory(prefix="tavro50-grab-") as folder:
            path = os.path.join(folder, "screen.png")
            self.desktop.screenshot_png(path)
            raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                                 check=True).stdout
        image = Image(self.width, self.height, raw)
        w = self.width - x if w is None else w
        h = self.height - y if h is None else h
        return Image(w, h, image.region(x, y, w, h), x, y) if (x, y, w, h) != (
            0, 0, self.width, self.height) else image


def screen_of(desktop_):
    """What reads the desktop's screen."""
    return Screen() if desktop_.display else PngScreen(desktop_)


class Panel:
    """A dock window across the top of the screen that reserves its strip
    (EWMH struts), as a desktop's top panel does: window managers keep normal
    windows out of it, fullscreen ones cover it. It lasts while the object
    lives (its own connection to the X server)."""

    def __init__(self, screen, height=30, colour=0x203040):
        x11 = screen.x11
        x11.XCreateSimpleWindow.restype = ctypes.c_ulong
        x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                            ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                            ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                        ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                        ctypes.c_void_p, ctypes.c_int]
        x11.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x11, self.height = x11, height
        self.display = x11.XOpenDisplay(None)
        root = x11.XDefaultRootWindow(self.display)
        self.window = x11.XCreateSimpleWindow(self.display, root, 0, 0, screen.width, height, 0,
                                              colour, colour)
        atom = lambda name: x11.XInternAtom(self.display, name, 0)
        xa_atom, xa_cardinal, prop_replace = 4, 6, 0
        dock = (ctypes.c_ulong * 1)(atom(b"_NET_WM_WINDOW_TYPE_DOCK"))
        x11.XChangeProperty(self.display, self.window, atom(b"_NET_WM_WINDOW_TYPE"), xa_atom, 32,
                            prop_replace, dock, 1)
        strut = (ctypes.c_long * 12)(0, 0, height, 0, 0, 0, 0, 0, 0, screen.width - 1, 0, 0)
        x11.XChangeProperty(self.display, self.window, atom(b"_NET_WM_STRUT_PARTIAL"),
                            xa_cardinal, 32, prop_replace, strut, 12)
        x11.XChangeProperty(self.display, self.window, atom(b"_NET_WM_STRUT"), xa_cardinal, 32,
                            prop_replace, strut, 4)
        # At the top, where it asks to be (user-given place and size).
        hints = (ctypes.c_long * 18)(1 | 2 | 4 | 8, 0, 0, screen.width, height)
        x11.XChangeProperty(self.display, self.window, atom(b"WM_NORMAL_HINTS"),
                            atom(b"WM_SIZE_HINTS"), 32, prop_replace, hints, 18)
        x11.XMapWindow(self.display, self.window)
        x11.XSync(self.display, 0)
        time.sleep(0.5)  # the window manager takes it in


class Image:
    def __init__(self, w, h, rgb, x0=0, y0=0):
        self.w, self.h, self.rgb, self.x0, self.y0 = w, h, rgb, x0, y0

    def pixel(self, x, y):
        """Pixel at screen coordinates."""
        i = ((y - self.y0) * self.w + (x - self.x0)) * 3
        return tuple(self.rgb[i:i + 3])

    def region(self, x, y, w, h):
        """Raw RGB rows of a rectangle in screen coordinates, as one bytes object."""
        rows = []
        for yy in range(y - self.y0, y - self.y0 + h):
            start = (yy * self.w + (x - self.x0)) * 3
            rows.append(self.rgb[start:start + w * 3])
        return b"".join(rows)

    def save(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        ppm = b"P6 %d %d 255\n" % (self.w, self.h) + self.rgb
        subprocess.run(["convert", "ppm:-", path], input=ppm, check=True)


def dark_mask(img, rect, threshold=110):
    """The set of (dx, dy) pixels darker than threshold inside rect (screen coordinates)."""
    x, y, w, h = rect
    data = img.region(x, y, w, h)
    mask = set()
    for i in range(w * h):
        r, g, b = data[i * 3], data[i * 3 + 1], data[i * 3 + 2]
        if (r * 299 + g * 587 + b * 114) // 1000 < threshold:
            mask.add((i % w, i // w))
    return mask


def pixel_distance(a, b, rect, tolerance=60):
    """How many pixels of rect differ noticeably between two images."""
    x, y, w, h = rect
    ra, rb = a.region(x, y, w, h), b.region(x, y, w, h)
    changed = 0
    for i in range(0, len(ra), 3):
        if abs(ra[i] - rb[i]) + abs(ra[i + 1] - rb[i + 1]) + abs(ra[i + 2] - rb[i + 2]) > tolerance:
            changed += 1
    return changed


def mean_saturation(img, rect):
    """Average of (max - min) over the RGB channels of rect: 0 for a grey picture."""
    x, y, w, h = rect
    data = img.region(x, y, w, h)
    total = 0
    for i in range(0, len(data), 3):
        px = data[i:i + 3]
        total += max(px) - min(px)
    return total / max(1, w * h)


def differs(a, b, rect, min_pixels=4):
    x, y, w, h = rect
    ra, rb = a.region(x, y, w, h), b.region(x, y, w, h)
    changed = 0
    for i in range(0, len(ra), 3):
        if abs(ra[i] - rb[i]) + abs(ra[i + 1] - rb[i + 1]) + abs(ra[i + 2] - rb[i + 2]) > 60:
            changed += 1
            if changed >= min_pixels:
                return True
    return False


# ---------------------------------------------------------------- input

def xdotool(*args, check=True):
    result = subprocess.run(["xdotool", *[str(a) for a in args]], capture_output=True, text=True)
    if check and result.returncode != 0:
        raise RuntimeError("xdotool %s failed: %s" % (" ".join(map(str, args)), result.stderr))
    return result.stdout.strip()


def key(*names):
    """Taps keys one after another. The program takes a release followed within
    a few milliseconds by a press of the same key for one auto-repeat, so taps
    are spaced well apart (xdotool waits half the delay between press and
    release and half after the release)."""
    xdotool("key", "--delay", "200", *names)


def key_down(name):
    xdotool("keydown", name)


def key_up(name):
    xdotool("keyup", name)


def pointer_location():
    out = xdotool("getmouselocation", "--shell")
    values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return int(values["X"]), int(values["Y"]), int(values["WINDOW"])


def pointer_to(x, y):
    # "mousemove --sync" waits for the pointer to move, which never happens when
    # it already stands there.
    if pointer_location()[:2] != (x, y):
        xdotool("mousemove", "--sync", x, y)


def click(x, y, button=1):
    pointer_to(x, y)
    xdotool("click", button)


def press(x, y, button=1):
    pointer_to(x, y)
    xdotool("mousedown", button)


def release(button=1):
    xdotool("mouseup", button)


def window_names(window):
    """The window's _NET_WM_NAME and WM_NAME (None where unset)."""
    names = []
    for prop in ("_NET_WM_NAME", "WM_NAME"):
        out = subprocess.run(["xprop", "-id", str(window), prop], capture_output=True,
                             text=True).stdout.strip()
        value = None
        if "=" in out:
            value = out.split("=", 1)[1].strip()
            if value.startswith('"') and value.endswith('"'):
                value = value[1:-1]
        names.append(value)
    return names


def window_title(window):
    """The title a window manager shows: _NET_WM_NAME, else WM_NAME."""
    net_name, name = window_names(window)
    return net_name if net_name is not None else name


def window_geometry(window):
    """The window's own area on the screen (inside any frame a window manager
    put around it): xwininfo's absolute position, which holds under reparenting."""
    out = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True).stdout
    values = {}
    for line in out.splitlines():
        if ":" in line:
            name, value = line.split(":", 1)
            values[name.strip()] = value.strip()
    try:
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))
    except (KeyError, ValueError):
        raise RuntimeError("no geometry for window %s" % window)


def frame_extents(window):
    """(left, right, top, bottom) of the frame a window manager drew, or zeros."""
    out = subprocess.run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"], capture_output=True,
                         text=True).stdout
    if "=" not in out:
        return (0, 0, 0, 0)
    return tuple(int(v) for v in out.split("=", 1)[1].split(","))


def top_level(window):
    """The child of the root window that holds the window (its frame under a
    window manager, the window itself without one)."""
    window = int(window)
    for _ in range(8):
        out = subprocess.run(["xwininfo", "-tree", "-id", str(window)], capture_output=True,
                             text=True).stdout
        root = re.search(r"Root window id: (0x[0-9a-f]+)", out)
        parent = re.search(r"Parent window id: (0x[0-9a-f]+)", out)
        if not root or not parent or parent.group(1) == root.group(1) or parent.group(1) == "0x0":
            return window
        window = int(parent.group(1), 16)
    return window


def window_under_pointer(x, y):
    """The top-level window under the point (see top_level)."""
    pointer_to(x, y)
    return top_level(pointer_location()[2])


def wait_for(condition, timeout=10.0, interval=0.05, what="condition"):
    return desktop.wait_until(condition, timeout, what, interval, error=AssertionError)


# ---------------------------------------------------------------- the skin

class Skin:
    """Rectangles of the 81 picture controls from the ready-to-run Config.ini."""

    def __init__(self, dist):
        parser = configparser.ConfigParser(strict=False, interpolation=None)
        parser.optionxform = str.lower
        with open(os.path.join(dist, "Config.ini"), encoding="latin-1") as f:
            parser.read_string(f.read())
        self.game_w = int(parser.get("Common", "GameWidth", fallback="561"))
        self.game_h = int(parser.get("Common", "GameHeight", fallback="374"))
        self.rects = {}
        for n in range(1, 82):
            section = "Image%d" % n
            get = lambda k: int(parser.get(section, k, fallback="0"))
            self.rects[n] = (get("left"), get("top"), get("width"), get("height"))

    def rect(self, n, origin):
        x, y, w, h = self.rects[n]
        return (origin[0] + x, origin[1] + y, w, h)


# Control numbers (the Image sections of Config.ini).
IM_GAME_A, IM_GAME_B = 14, 15
MISS_MARKS = list(range(16, 26))
DIGIT_POS = [26, 27, 28, 29]
COLON, AM, PM, TIME_1, TIME_2, BELL, ALARM, CHRONO, DATE = 30, 31, 32, 33, 34, 35, 36, 37, 38
LCD_SEGMENTS = ([IM_GAME_A, IM_GAME_B] + MISS_MARKS + DIGIT_POS +
                list(range(30, 39)) + list(range(49, 82)))


def hero(column, image):
    return 49 + 3 * (image - 1) + (column - 1)


def item(column, row):
    return 58 + 3 * (row - 1) + (column - 1)


# ---------------------------------------------------------------- the program

_end_with_parent = desktop.end_with_parent


class App:
    """One run of the program from a ready-to-run folder with its own settings folder."""

    def __init__(self, dist, shots, name, config_home=None, env=None, faketime=None,
                 fresh_shots=True):
        self.dist = dist
        self.shots = shots
        self.name = name
        if config_home is None:
            config_home = tempfile.mkdtemp(prefix="tavro50-e2e-")
            atexit.register(shutil.rmtree, config_home, True)
        self.config_home = config_home
        self.env = dict(os.environ)
        self.env.update({"XDG_CONFIG_HOME": self.config_home, "QT_QPA_PLATFORM": "xcb",
                         "SDL_AUDIODRIVER": "dummy"})
        for name, value in (DESKTOP.program_env.items() if DESKTOP else ()):
            if value is None:
                self.env.pop(name, None)
            else:
                self.env[name] = value
        self.env.pop("TAVRO_CONFIG_DIR", None)
        if faketime:
            self.env.update({
                "LD_PRELOAD": "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
                "FAKETIME": "@" + faketime, "DONT_FAKE_MONOTONIC": "1"})
        if env:
            self.env.update(env)
        self.process = None
        self.shot_count = 0
        self.starts = 0
        if fresh_shots:
            shutil.rmtree(os.path.join(shots, name), ignore_errors=True)

    @property
    def settings_path(self):
        return os.path.join(self.config_home, "Velquin", "Tavro50.conf")

    def write_settings(self, values):
        os.makedirs(os.path.dirname(self.settings_path), exist_ok=True)
        with open(self.settings_path, "w") as f:
            f.write("[General]\n")
            for k, v in values.items():
                f.write("%s=%s\n" % (k, v))

    def settings(self):
        values = {}
        if os.path.exists(self.settings_path):
            with open(self.settings_path) as f:
                for line in f:
                    if "=" in line:
                        k, v = line.strip().split("=", 1)
                        values[k] = v
        return values

    def start(self, attempts=3):
        """Starts the program. A start that fails to reach the X server (Xvfb now
        and then refuses a connection while it is busy) is retried."""
        for attempt in range(attempts):
            os.makedirs(os.path.join(self.shots, self.name), exist_ok=True)
            self.starts += 1
            self.log_path = os.path.join(self.shots, self.name, "tavro50-%d.log" % self.starts)
            while os.path.exists(self.log_path):  # another run of this test wrote it
                self.starts += 1
                self.log_path = os.path.join(self.shots, self.name, "tavro50-%d.log" % self.starts)
            with open(self.log_path, "wb") as log:
                self.process = subprocess.Popen(["./tavro50"], cwd=self.dist, env=self.env,
                                                stdout=log, stderr=subprocess.STDOUT,
                                                preexec_fn=_end_with_parent)
            deadline = time.monotonic() + 2.0
            while time.monotonic() < deadline and self.running() and not process_windows(self):
                time.sleep(0.1)
            if self.running() or "could not connect to display" not in self.log():
                return self
            print("note: the program could not reach the X server; starting it again")
        return self

    def log(self):
        """What the program printed so far."""
        try:
            with open(self.log_path, errors="replace") as f:
                return f.read()
        except (OSError, AttributeError):
            return ""

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=10):
        return self.process.wait(timeout=timeout)

    def stop(self):
        if self.running():
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def shot(self, screen, label):
        return self.shot_image(screen.grab(), label)

    def shot_image(self, image, label):
        self.shot_count += 1
        image.save(os.path.join(self.shots, self.name, "%02d-%s.png" % (self.shot_count, label)))
        return image


class running:
    """`with running(app, screen, failures):` starts the program; an assertion
    (a wait that timed out) inside becomes a failed check with a screenshot,
    and the program is stopped at the end whatever happened."""

    def __init__(self, app, screen, failures):
        self.app, self.screen, self.failures = app, screen, failures

    def __enter__(self):
        self.app.start()
        return self.app

    def __exit__(self, kind, error, trace):
        if kind is AssertionError:
            self.failures.check(False, str(error))
            try:
                self.app.shot(self.screen, "failure")
            except Exception as shot_error:  # the screen itself may be gone
                print("no screenshot:", shot_error)
        self.app.stop()
        return kind is AssertionError


def fresh_dist(dist, without=()):
    """A copy of the ready-to-run folder, less some entries."""
    copy = tempfile.mkdtemp(prefix="tavro50-dist-")
    atexit.register(shutil.rmtree, copy, True)
    for entry in os.listdir(dist):
        if entry in without:
            continue
        src = os.path.join(dist, entry)
        dst = os.path.join(copy, entry)
        if os.path.isdir(src):
            shutil.copytree(src, dst)
        else:
            shutil.copy2(src, dst)
    return copy


def centred_origin(screen, w, h):
    return (max(0, (screen.width - w) // 2), max(0, (screen.height - h) // 2))


class Failures:
    def __init__(self):
        self.messages = []
        self.passed = 0

    def check(self, condition, message):
        if not condition:
            self.messages.append(message)
            print("FAIL:", message)
        else:
            self.passed += 1
            print("ok:", message)
        return bool(condition)

    def finish(self):
        print("checks: %d passed, %d failed" % (self.passed, len(self.messages)))
        sys.exit(1 if self.messages else 0)


# ---------------------------------------------------------------- windows of a run

def process_windows(app):
    out = xdotool("search", "--onlyvisible", "--pid", app.process.pid, check=False)
    return [int(w) for w in out.split()] if out else []


def device_window(app, screen, timeout=40.0, fullscreen=None):
    """Waits until a window of the run stands on the screen at least as large as the
    game area (fullscreen True: covering the screen; False: game-sized), and returns
    (window, (x, y, w, h))."""

    def found():
        if not app.running():
            raise AssertionError("the program ended early (exit code %s): %s"
                                 % (app.process.poll(), app.log()[-300:]))
        for window in process_windows(app):
            try:
                x, y, w, h = window_geometry(window)
            except (RuntimeError, KeyError):
                continue
            if x < 0 or y < 0 or x >= screen.width or y >= screen.height:
                continue
            covers = (x, y, w, h) == (0, 0, screen.width, screen.height)
            if fullscreen is True and not covers:
                continue
            if fullscreen is False and covers:
                continue
            if w >= 561 and h >= 374:
                return window, (x, y, w, h)
        return None

    return wait_reporting(app, found, timeout, "the device window on the screen")


def window_report(app):
    """The program's windows as the X server has them (name, place, size, map
    state), then the end of what the program printed: what a wait that timed
    out leaves to go by."""
    lines = ["windows of the program:"]
    out = xdotool("search", "--pid", app.process.pid, check=False) if app.process else ""
    for window in (out.split() if out else []):
        info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
        state = re.search(r"Map State: (\w+)", info)
        try:
            geometry = "%d,%d %dx%d" % window_geometry(window)
        except RuntimeError:
            geometry = "?"
        lines.append("  %s %r %s %s" % (window, window_title(window), geometry,
                                         state.group(1) if state else "?"))
    if len(lines) == 1:
        lines.append("  none")
    lines.append("the program printed: %s" % (app.log()[-1500:] or "nothing"))
    return "\n".join(lines)


def wait_reporting(app, condition, timeout, what):
    """wait_for, and on a timeout the windows present and the program's output."""
    try:
        return wait_for(condition, timeout=timeout, interval=0.15, what=what)
    except AssertionError as error:
        if app.running():
            print(window_report(app))
        raise error


def app_windows(app, pattern):
    """Visible windows of this run whose name (WM_NAME) matches the pattern; other
    runs of the program on the same X server do not count."""
    found = []
    for window in process_windows(app):
        if any(name is not None and re.search(pattern, name) for name in window_names(window)):
            found.append(window)
    return found


def named_window(name, app, timeout=40.0):
    def found():
        if not app.running():
            raise AssertionError("the program ended early while waiting for %r (exit code %s): %s"
                                 % (name, app.process.poll(), app.log()[-300:]))
        windows = app_windows(app, name)
        return windows[0] if windows else None

    return wait_reporting(app, found, timeout, "a window named %r" % name)


def settled(screen, rect=None, timeout=5.0):
    """A screenshot after two grabs in a row came out identical."""
    previous = None
    deadline = time.monotonic() + timeout
    while True:
        image = screen.grab(*rect) if rect else screen.grab()
        if previous is not None and image.rgb == previous.rgb:
            return image
        if time.monotonic() > deadline:
            return image
        previous = image
        time.sleep(0.1)


def wait_change(screen, before, rect, timeout=5.0, what="a change on the screen"):
    """Waits until rect differs from the image before; returns a full screenshot."""
    def changed():
        image = screen.grab()
        return image if differs(before, image, rect) else None

    return wait_for(changed, timeout=timeout, what=what)


# ---------------------------------------------------------------- reading the LCD

class Lcd:
    """Reads segments and digits of the device at a given game-area origin, by
    comparison with screenshots in which the segments are known to be on or off."""

    def __init__(self, skin, origin):
        self.skin = skin
        self.origin = origin
        self.on_ref = {}
        self.off_ref = {}
        self.glyphs = []  # (digit, mask)

    def rect(self, n):
        return self.skin.rect(n, self.origin)

    def learn_on(self, image, segments):
        for n in segments:
            self.on_ref[n] = image

    def learn_off(self, image, segments):
        for n in segments:
            self.off_ref[n] = image

    def is_on(self, image, n):
        rect = self.rect(n)
        to_on = pixel_distance(image, self.on_ref[n], rect)
        to_off = pixel_distance(image, self.off_ref[n], rect)
        return to_on < to_off

    def learn_digits(self, image, digits):
        """digits: four characters for positions 1..4, ' ' for blank."""
        for pos, digit in zip(DIGIT_POS, digits):
            self.glyphs.append((digit, dark_mask(image, self.rect(pos))))

    def known_digits(self):
        return sorted(set(d for d, _ in self.glyphs))

    def digit(self, image, pos):
        mask = dark_mask(image, self.rect(pos))
        if len(mask) <= 4:
            return " "  # a blank position shows the bare LCD
        best, best_distance = "?", None
        for digit, glyph in self.glyphs:
            distance = len(mask ^ glyph)
            if best_distance is None or distance < best_distance:
                best, best_distance = digit, distance
        # A glyph differs from its nearest neighbour by tens of pixels; a few
        # stray pixels are noise, more means an unknown glyph.
        if best_distance is None or best_distance > max(6, len(mask) // 8):
            return "?"
        return best

    def digits(self, image):
        return "".join(self.digit(image, pos) for pos in DIGIT_POS)


def body_match(image, origin, dist, skin):
    """Share of sampled pixels of the body picture found at origin on the screen
    (points that no other control covers and that are not the key colour)."""
    path = os.path.join(dist, "Graphics", "Skin", "body.bmp")
    raw = subprocess.run(["convert", path, "rgb:-"], capture_output=True, check=True).stdout
    w, h = skin.rects[1][2], skin.rects[1][3]
    key = tuple(raw[(h - 1) * w * 3:(h - 1) * w * 3 + 3])
    covered = [skin.rects[n] for n in range(2, 82)]
    total = matched = 0
    for y in range(3, h - 3, 11):
        for x in range(3, w - 3, 13):
            if any(cx <= x < cx + cw and cy <= y < cy + ch for cx, cy, cw, ch in covered):
                continue
            px = tuple(raw[(y * w + x) * 3:(y * w + x) * 3 + 3])
            if px == key:
                continue
            total += 1
            sx, sy = origin[0] + x, origin[1] + y
            if 0 <= sx < image.w and 0 <= sy < image.h:
                got = image.pixel(sx, sy)
                if sum(abs(a - b) for a, b in zip(got, px)) <= 12:
                    matched += 1
    return matched / max(1, total)


def settings_value(app, name):
    return app.settings().get(name)


def is_true(value):
    return value is not None and value.strip().lower() in ("1", "true")


def scenario():
    """The start of every scenario: its arguments, its own desktop, the screen,
    the skin of the ready-to-run folder and the list of checks."""
    args = parse_args()
    require_display()
    return args, Screen(), Skin(args.dist), Failures()
