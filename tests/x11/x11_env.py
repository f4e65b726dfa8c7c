"""What the Linux program's tests share: a virtual X display, screenshots and
the Sun's place in them, and a small Xlib client that makes windows as a
screensaver daemon does. Every wait has a deadline and every subprocess a
timeout."""

import ctypes
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from x_displays import XServer, free_display_number, start_x_server, wait_until  # noqa: E402,F401

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PROGRAM = os.environ.get("SORVELIN_PROGRAM", os.path.join(ROOT, "dist", "sorvelin"))
CALL_TIMEOUT = 60


class VirtualDisplay(XServer):
    """An Xvfb server with a black root window."""

    def __init__(self, width=640, height=480, extra=()):
        self.width, self.height = width, height
        self.name, self.process = start_x_server(
            lambda name: ["Xvfb", name, "-screen", "0", "%dx%dx24" % (width, height), "-br", "-nolisten", "tcp",
                          "-noreset"] + list(extra), "Xvfb")
        self.env = {k: v for k, v in os.environ.items() if k != "XSCREENSAVER_WINDOW"}
        self.env["DISPLAY"] = self.name

    def run(self, *command, env=None):
        return subprocess.run(list(command), env=env or self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              text=True, timeout=CALL_TIMEOUT)

    def start(self, *args, **env):
        return subprocess.Popen([PROGRAM] + list(args), env=dict(self.env, **env), stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE, text=True)

    def sun_centre(self):
        """The middle of the Sun's pale yellow disc on the screen, or None."""
        rgb = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=self.env, check=True,
                             stdout=subprocess.PIPE, timeout=CALL_TIMEOUT).stdout
        bright = [(i // 3 % self.width, i // 3 // self.width) for i in range(0, len(rgb), 6)
                  if rgb[i] > 200 and rgb[i + 1] > 200 and rgb[i + 2] < rgb[i] - 40]
        return (sum(p[0] for p in bright) / len(bright), sum(p[1] for p in bright) / len(bright)) if bright else None

    def sun_at(self, x, y, timeout=20):
        """Waits until the Sun's disc is centred on (x, y), within a few pixels."""
        def centred():
            centre = self.sun_centre()
            return centre and abs(centre[0] - x) <= 4 and abs(centre[1] - y) <= 4
        wait_until(centred, timeout, "the Sun at (%d, %d)" % (x, y), interval=0.2)


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]


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
        """What a window manager sends for the close button: WM_DELETE_WINDOW."""
        atom = lambda name: self.x.XInternAtom(self.dpy, name, 0)  # noqa: E731
        event = ClientMessage(type=33, window=window, message_type=atom(b"WM_PROTOCOLS"), format=32)
        event.data[0] = atom(b"WM_DELETE_WINDOW")
        self.x.XSendEvent(self.dpy, window, 0, 0, ctypes.byref(event))
        self.x.XSync(self.dpy, 0)

    def close(self):
        self.x.XCloseDisplay(self.dpy)
