"""Private desktops for the end-to-end scenarios. Every scenario runs on servers
of its own, never on the user's: a private Xvfb, with or without a window
manager (openbox, xfwm4), GNOME's compositor nested in it (mutter, the program
natively on Wayland or through its XWayland), or weston headless. They end
with the scenario.

TAVRO_E2E_DESKTOP picks one (bare when unset); TAVRO_E2E_DISPLAY names an X
server to use instead (for debugging: nothing is started on it)."""

import atexit
import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
X_DESKTOPS = ("bare", "openbox", "xfwm4")
DESKTOPS = X_DESKTOPS + ("mutter", "mutter-xwayland", "weston")


def end_with_parent():
    """In a child before exec: a SIGTERM when the test script dies, so that a
    killed test leaves nothing running."""
    import ctypes
    pr_set_pdeathsig = 1
    ctypes.CDLL(None).prctl(pr_set_pdeathsig, signal.SIGTERM)


def end_process(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def spawn(command, env=None, log=None):
    """A server of the scenario's, ended when the scenario ends."""
    out = open(log, "wb") if log else subprocess.DEVNULL
    process = subprocess.Popen(command, env=env, stdout=out, stderr=subprocess.STDOUT,
                               preexec_fn=end_with_parent)
    atexit.register(end_process, process)
    return process


def require(*tools):
    for tool in tools:
        if shutil.which(tool) is None:
            print("%s is not installed: skipped" % tool)
            sys.exit(SKIP)


def wait_until(condition, timeout, what, interval=0.1, error=RuntimeError):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(interval)
    raise error("timed out waiting for " + what)


def private_folder(prefix):
    folder = tempfile.mkdtemp(prefix=prefix)
    os.chmod(folder, 0o700)
    atexit.register(shutil.rmtree, folder, True)
    return folder


def start_xvfb(width, height):
    """A private Xvfb; it picks a free display number itself and writes it to
    the pipe, so that runs side by side never race for one."""
    require("Xvfb")
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               "%dx%dx24" % (width, height), "-nolisten", "tcp"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              pass_fds=(write_end,), preexec_fn=end_with_parent)
    os.close(write_end)
    atexit.register(end_process, server)
    with os.fdopen(read_end) as numbers:
        number = numbers.readline().strip()
    if not number:
        raise RuntimeError("Xvfb did not start")
    return ":" + number


def window_manager_name(display=None):
    """The name the running window manager gives itself (EWMH), or None."""
    env = dict(os.environ, DISPLAY=display) if display else None
    out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True,
                         text=True, env=env).stdout
    match = re.search(r"window id # (0x[0-9a-f]+)", out)
    if not match:
        return None
    out = subprocess.run(["xprop", "-id", match.group(1), "_NET_WM_NAME"], capture_output=True,
                         text=True, env=env).stdout
    match = re.search(r'= "(.*)"', out)
    return match.group(1) if match else None


class Desktop:
    """What a scenario runs on. `display` is the X server the scenario reads
    the screen from and sends input to (None under weston); `program_env` is
    what the program is started with."""

    def __init__(self, name):
        self.name = name
        self.display = None
        self.program_env = {}
        self.native_wayland = False
        self.has_input = True
        self.program_display = None  # the X server the program's windows are on

    # Which scenario checks apply.
    @property
    def x_windows(self):
        """The program's windows can be looked up on an X server."""
        return self.program_display is not None

    def screenshot_png(self, path):
        """The whole screen as a PNG file."""
        if self.name == "weston":
            self._weston_screenshot(path)
        else:
            subprocess.run(["import", "-display", self.display, "-window", "root", path],
                           check=True)

    def _weston_screenshot(self, path):
        folder = tempfile.mkdtemp(prefix="tavro50-shot-")
        try:
            subprocess.run(["weston-screenshooter"], cwd=folder, env=self.wayland_env,
                           check=True, capture_output=True, timeout=20)
            shot = wait_until(lambda: glob.glob(os.path.join(folder, "*.png")), 5,
                              "the weston screenshot")[0]
            shutil.move(shot, path)
        finally:
            shutil.rmtree(folder, True)


def start(width=1280, height=1024):
    """The desktop TAVRO_E2E_DESKTOP names, on servers of the scenario's own;
    os.environ's DISPLAY then names its X server (unset under weston)."""
    name = os.environ.get("TAVRO_E2E_DESKTOP") or os.environ.get("TAVRO_E2E_WM") or "bare"
    if name not in DESKTOPS:
        raise RuntimeError("unknown desktop %r (one of %s)" % (name, ", ".join(DESKTOPS)))
    desktop = Desktop(name)
    os.environ.pop("WAYLAND_DISPLAY", None)
    given = os.environ.get("TAVRO_E2E_DISPLAY")
    if given and name in X_DESKTOPS:
        desktop.display = given
    elif name == "weston":
        _start_weston(desktop, width, height)
    else:
        desktop.display = start_xvfb(*((1024, 768) if name.startswith("mutter") else
                                       (width, height)))
    if desktop.display:
        os.environ["DISPLAY"] = desktop.display
    else:
        os.environ.pop("DISPLAY", None)
    if name in ("openbox", "xfwm4") and not given:
        _start_window_manager(desktop)
    elif name.startswith("mutter"):
        _start_mutter(desktop)
    if name in X_DESKTOPS:
        desktop.program_display = desktop.display
        desktop.program_env = {"QT_QPA_PLATFORM": "xcb"}
    print("desktop: %s%s" % (name, " on Xvfb " + desktop.display if desktop.display else ""))
    return desktop


def _start_window_manager(desktop):
    name = desktop.name
    require(name, "dbus-run-session")
    config = private_folder("tavro50-%s-" % name)
    # xfwm4 keeps its settings in xfconf, reached over a session bus of its own.
    command = ["openbox"] if name == "openbox" else ["dbus-run-session", "xfwm4",
                                                      "--compositor=off"]
    expected = "Openbox" if name == "openbox" else "Xfwm4"
    managers = []

    def running():
        # A busy machine may keep the manager from taking the screen at once;
        # one that gave up is started again.
        if not managers or managers[-1].poll() is not None:
            managers.append(spawn(command, env=dict(os.environ, XDG_CONFIG_HOME=config,
                                                    DISPLAY=desktop.display)))
        return window_manager_name(desktop.display) == expected

    wait_until(running, 60, "%s to run" % name, interval=0.2)
    # The manager names itself before it is ready: openbox loses the map
    # request of a window mapped in between, which then stays unmapped for
    # good. A probe window, mapped again until the manager shows it, tells
    # when it is ready.
    env = dict(os.environ, DISPLAY=desktop.display)
    probe = spawn(["xev", "-geometry", "8x8+0+0", "-name", "tavro50-probe"], env=env)
    tries = []

    def probe_mapped():
        out = subprocess.run(["xwininfo", "-name", "tavro50-probe"], capture_output=True,
                             text=True, env=env).stdout
        match = re.search(r"Window id: (0x[0-9a-f]+)", out)
        tries.append(1)
        if match and "IsViewable" not in out and len(tries) % 10 == 0:
            subprocess.run(["xdotool", "windowmap", match.group(1)], env=env)
        return "IsViewable" in out

    wait_until(probe_mapped, 60, "%s to map a window" % name, interval=0.1)
    end_process(probe)


def _start_mutter(desktop):
    """GNOME's compositor in a window of the Xvfb that covers it; its own
    XWayland serves X programs."""
    require("mutter", "dbus-run-session", "Xwayland")
    runtime = private_folder("tavro50-mutter-")
    socket_name = "tavro50-wayland-0"
    log = os.path.join(runtime, "mutter.log")
    env = dict(os.environ, DISPLAY=desktop.display, XDG_RUNTIME_DIR=runtime,
               MUTTER_DEBUG_DUMMY_MODE_SPECS="1024x768")
    env.pop("XAUTHORITY", None)
    spawn(["dbus-run-session", "mutter", "--nested", "--wayland",
           "--wayland-display=" + socket_name], env=env, log=log)

    def xwayland_display():
        with open(log, errors="replace") as f:
            match = re.search(r"Using public X11 display (:\d+)", f.read())
        auth = glob.glob(os.path.join(runtime, ".mutter-Xwaylandauth.*"))
        return (match.group(1), auth[0]) if match and auth else None

    display, auth = wait_until(xwayland_display, 60, "mutter and its XWayland")
    wait_until(lambda: os.path.exists(os.path.join(runtime, socket_name)), 30,
               "mutter's Wayland socket")
    wayland = {"WAYLAND_DISPLAY": socket_name, "XDG_RUNTIME_DIR": runtime}
    desktop.wayland_env = dict(os.environ, **wayland)
    if desktop.name == "mutter":
        desktop.native_wayland = True
        desktop.program_env = dict(wayland, QT_QPA_PLATFORM="wayland", DISPLAY=None)
    else:
        # As on a GNOME session: both displays, no platform chosen.
        desktop.program_display = display
        desktop.program_env = dict(wayland, DISPLAY=display, XAUTHORITY=auth,
                                   QT_QPA_PLATFORM=None)
    # The compositor's picture reaches the Xvfb once its window is up.
    wait_until(lambda: _nested_window_shown(desktop.display), 30, "mutter's window")


def _nested_window_shown(display):
    out = subprocess.run(["xwininfo", "-root", "-children", "-display", display],
                         capture_output=True, text=True).stdout
    return bool(re.search(r'"mutter', out, re.IGNORECASE)) or "1024x768+0+0" in out


def _start_weston(desktop, width, height):
    require("weston", "weston-screenshooter")
    runtime = private_folder("tavro50-weston-")
    socket_name = "tavro50-weston-0"
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
    env.pop("DISPLAY", None)
    spawn(["weston", "--backend=headless-backend.so", "--use-pixman", "--width=%d" % width,
           "--height=%d" % height, "--socket=" + socket_name, "--debug"], env=env,
          log=os.path.join(runtime, "weston.log"))
    wait_until(lambda: os.path.exists(os.path.join(runtime, socket_name)), 30,
               "weston's Wayland socket")
    wayland = {"WAYLAND_DISPLAY": socket_name, "XDG_RUNTIME_DIR": runtime}
    desktop.wayland_env = dict(env, **wayland)
    desktop.native_wayland = True
    desktop.has_input = False  # headless weston has no seat: no keys, no pointer
    desktop.program_env = dict(wayland, QT_QPA_PLATFORM="wayland", DISPLAY=None)
    desktop.width, desktop.height = width, height
    time.sleep(1.0)  # its shell draws the background and the panel
