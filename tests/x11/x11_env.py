"""What the Linux program's tests share: a virtual X display, screenshots,
the Sun's place in them, a small Xlib client that makes windows the way a
screensaver daemon does, and deadline polls. Every wait has a deadline and
every subprocess a timeout."""

import ctypes
import os
import subprocess
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PROGRAM = os.environ.get("SORVELIN_PROGRAM", os.path.join(ROOT, "dist", "sorvelin"))
CALL_TIMEOUT = 60


def wait_until(predicate, timeout, what, interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def free_display_number():
    for number in range(200, 300):
        if not os.path.exists("/tmp/.X%d-lock" % number) and not os.path.exists("/tmp/.X11-unix/X%d" % number):
            return number
    raise RuntimeError("no free X display number")


class VirtualDisplay:
    """An Xvfb server with a black root window."""

    def __init__(self, width=640, height=480, extra=()):
        self.width, self.height = width, height
        for _ in range(5):   # another run may take the same free number at once
            self.number = free_display_number()
            self.name = ":%d" % self.number
            self.process = subprocess.Popen(
                ["Xvfb", self.name, "-screen", "0", "%dx%dx24" % (width, height), "-br", "-nolisten", "tcp",
                 "-noreset"] + list(extra), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            socket = "/tmp/.X11-unix/X%d" % self.number
            wait_until(lambda: os.path.exists(socket) or self.process.poll() is not None, 10, "Xvfb")
            if self.process.poll() is None:
                self.env = dict(os.environ, DISPLAY=self.name)
                self.env.pop("XSCREENSAVER_WINDOW", None)
                return
        raise RuntimeError("Xvfb did not start")

    def run(self, *command, env=None):
        return subprocess.run(list(command), env=env or self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              text=True, timeout=CALL_TIMEOUT)

    def start(self, *args, **env):
        return subprocess.Popen([PROGRAM] + list(args), env=dict(self.env, **env), stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE, text=True)

    def screenshot(self):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=self.env,
                              stdout=subprocess.PIPE, check=True, timeout=CALL_TIMEOUT).stdout
        return Picture(self.width, self.height, data)

    def sun_at(self, x, y, timeout=20):
        """Waits until the Sun's bright disc is centred on (x, y), within a few pixels."""
        def centred():
            centre = self.screenshot().sun_centre()
            return centre and abs(centre[0] - x) <= 4 and abs(centre[1] - y) <= 4
        wait_until(centred, timeout, "the Sun at (%d, %d)" % (x, y), interval=0.2)

    def stop(self):
        self.process.terminate()
        self.process.wait(10)


class Picture:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def sun_centre(self):
        """The middle of the pale yellow disc, or None when there is none."""
        xs = ys = count = 0
        for y in range(0, self.height, 2):
            for x in range(0, self.width, 2):
                r, g, b = self.at(x, y)
                if r > 200 and g > 200 and b < r - 40:
                    xs, ys, count = xs + x, ys + y, count + 1
        return (xs / count, ys / count) if count else None


class XEvent(ctypes.Union):
    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


class XClient:
    """Makes plain windows, as a daemon does for its programs, and asks windows to close."""

    def __init__(self, display):
        self.x = ctypes.CDLL("libX11.so.6")
        p, ul, i, ui = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_uint
        for name, result, args in (("XOpenDisplay", p, [ctypes.c_char_p]), ("XDefaultRootWindow", ul, [p]),
                                   ("XCreateSimpleWindow", ul, [p, ul, i, i, ui, ui, ui, ul, ul]),
                                   ("XMapWindow", i, [p, ul]), ("XDestroyWindow", i, [p, ul]),
                                   ("XInternAtom", ul, [p, ctypes.c_char_p, i]), ("XSync", i, [p, i]),
                                   ("XSendEvent", i, [p, ul, i, ctypes.c_long, p]), ("XCloseDisplay", i, [p])):
            getattr(self.x, name).restype, getattr(self.x, name).argtypes = result, args
        self.dpy = self.x.XOpenDisplay(display.name.encode())
        if not self.dpy:
            raise RuntimeError("cannot open %s" % display.name)

    def window(self, x, y, width, height):
        window = self.x.XCreateSimpleWindow(self.dpy, self.x.XDefaultRootWindow(self.dpy), x, y, width, height,
                                            0, 0, 0)
        self.x.XMapWindow(self.dpy, window)
        self.x.XSync(self.dpy, 0)
        return window

    def destroy(self, window):
        self.x.XDestroyWindow(self.dpy, window)
        self.x.XSync(self.dpy, 0)

    def ask_to_close(self, window):
        """The window manager's close request (WM_DELETE_WINDOW)."""
        event = XEvent()
        event.xclient.type = 33   # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = self.x.XInternAtom(self.dpy, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = self.x.XInternAtom(self.dpy, b"WM_DELETE_WINDOW", 0)
        self.x.XSendEvent(self.dpy, window, 0, 0, ctypes.byref(event))
        self.x.XSync(self.dpy, 0)

    def close(self):
        self.x.XCloseDisplay(self.dpy)
