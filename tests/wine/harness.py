"""The one Wine test environment: the prefix, the virtual display, the
scratch folder, the probe driver and the constants every Wine test shares.
Tests look at the programs from outside (X screenshots, keys) and from inside
(the probe driver).

Every wait has a deadline and every subprocess a timeout; nothing sleeps and
hopes. Test modules import only this module, never each other.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from x_displays import XServer, start_x_server, wait_until  # noqa: E402,F401  (the tests take wait_until from here)

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DIST = os.environ.get("SORVELIN_DIST", os.path.join(ROOT, "dist"))
PROBE = os.environ.get("SORVELIN_PROBE", os.path.join(ROOT, "build", "win", "tests", "probe.exe"))
RENDERER = os.path.join(DIST, "Sorvelin.dll")
HOST = os.path.join(DIST, "Sorvelin.scr")

# Window titles and texts the programs show.
RENDERER_TITLE = "Velmorani_VC"
COVER_TITLE = "Velmorani_Cover"
SHOW_TITLE = "Velmorani_Main"
DIALOG_TITLE = "<Sorvelin>"
MESSAGE_CAPTION = "Sorvelin (ScreenSaver)"
MISSING_RENDERER = "Sorvelin.dll が同じﾌｫﾙﾀﾞに見つかりません！"

# Window messages and styles.
WM_CLOSE = 0x10
MSG_TOGGLE_MODE = 0x401
WS_POPUP = 0x80000000
WS_CAPTION = 0x00C00000
WS_THICKFRAME = 0x00040000
WS_EX_TOPMOST = 0x00000008
WS_EX_NOACTIVATE = 0x08000000
WS_EX_APPWINDOW = 0x00040000

# The settings file's key names, as stored in code page 932.
KEY_KIND = b"BGM\x8b\xe6\x95\xaa"
KEY_REPEAT = b"BGM\xd8\xcb\xdf\xb0\xc4"
KEY_FILE = b"BGM\xcc\xa7\xb2\xd9"

# Long enough for any single Wine call here, short enough to end a hung test.
CALL_TIMEOUT = 120


def windows_path(unix_path):
    """Wine maps the Unix root to drive Z:."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


def map_dialog_font(env, scratch):
    """Maps the settings dialog's face name, which Windows has and Wine lacks,
    to an installed Japanese font with Latin letters too."""
    reg = os.path.join(scratch, "fonts.reg")
    text = ("Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"
            "\"ＭＳ Ｐゴシック\"=\"IPAPGothic\"\r\n")
    with open(reg, "wb") as out:
        out.write(b"\xff\xfe" + text.encode("utf-16-le"))
    subprocess.run(["wine", "regedit", "/S", windows_path(reg)], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=CALL_TIMEOUT)


def unmanaged_windows(env):
    """No window manager runs on Xvfb: Wine would wait 2 s for a withdraw that
    never comes at every close of a managed window, so timings would measure
    Wine, not the programs."""
    subprocess.run(["wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed",
                    "/d", "N", "/f"], env=env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=CALL_TIMEOUT)


def wine_environment(prefix, display):
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": prefix,
        "WINEDEBUG": "-all",
        "DISPLAY": display,
        # Program arguments and window titles cross as UTF-8.
        "LC_ALL": "C.UTF-8",
        # No prompts for the browser and runtime add-ons while the prefix is made.
        "WINEDLLOVERRIDES": "mscoree,mshtml=",
    })
    return env


def make_prefix(prefix):
    """A fresh prefix, made once per test run, with unmanaged windows and the
    dialog's font mapped."""
    shutil.rmtree(prefix, ignore_errors=True)
    os.makedirs(prefix)
    env = wine_environment(prefix, "")
    env.pop("DISPLAY")
    subprocess.run(["wineboot", "-i"], env=env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=300)
    unmanaged_windows(env)
    scratch = tempfile.mkdtemp(prefix="sorvelin-prefix-")
    try:
        map_dialog_font(env, scratch)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=CALL_TIMEOUT)


def default_prefix():
    return os.environ.get("SORVELIN_WINE_PREFIX", os.path.join(ROOT, "build", "wine-prefix"))


class VirtualDisplay(XServer):
    """An Xvfb server of the size and depth a test chooses."""

    def __init__(self, width, height, depth):
        self.width, self.height, self.depth = width, height, depth
        self.name, self.process = start_x_server(
            lambda name: ["Xvfb", name, "-screen", "0", "%dx%dx%d" % (width, height, depth),
                          "-nolisten", "tcp", "-noreset"], "Xvfb")

class MonitorDisplay(XServer):
    """An X server whose monitors Wine sees one by one: Xorg with the dummy
    video driver, one RandR output a monitor. monitors lists (width, height,
    x, y) in X coordinates, the primary first. The desktop behind the windows
    is painted DESKTOP, so what no window covers shows in a screenshot."""

    DESKTOP = (0x33, 0x66, 0xcc)
    CONFIG = """Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 262144
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768"
    EndSubSection
EndSection
"""

    def __init__(self, folder, monitors):
        self.monitors = monitors
        config = os.path.join(folder, "xorg.conf")
        with open(config, "w") as out:
            out.write(self.CONFIG)
        log = os.path.join(folder, "xorg.log")
        self.name, self.process = start_x_server(
            lambda name: ["Xorg", name, "-config", config, "-logfile", log, "-nolisten", "tcp", "-noreset"],
            "Xorg")
        self.add_modes()
        self.arrange()

    def xrandr(self, *args):
        return subprocess.run(["xrandr", "-display", self.name] + list(args), check=True, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True, timeout=CALL_TIMEOUT).stdout

    def add_modes(self):
        for output, (width, height, x, y) in enumerate(self.monitors):
            mode = "%dx%d" % (width, height)
            if mode != "1024x768":
                # The driver ignores the timings; the clock only has to stay modest.
                clock = (width + 24) * (height + 3) * 60 / 1e6
                self.xrandr("--newmode", mode, "%.2f" % clock, str(width), str(width + 8), str(width + 16),
                            str(width + 24), str(height), str(height + 1), str(height + 2), str(height + 3))
            if output > 0 or mode != "1024x768":
                self.xrandr("--addmode", "DUMMY%d" % output, mode)

    def arrange(self):
        """Sets the monitors to the layout, as after a show that could not put them back."""
        layout = []
        for output, (width, height, x, y) in enumerate(self.monitors):
            layout += ["--output", "DUMMY%d" % output, "--mode", "%dx%d" % (width, height), "--pos", "%dx%d" % (x, y)]
            if output == 0:
                layout.append("--primary")
        # NOTE: Wine sees every monitor only once the layout has been set twice
        # and queried after.
        self.xrandr(*layout)
        self.xrandr(*layout)
        self.xrandr()
        subprocess.run(["xsetroot", "-display", self.name, "-solid", "#%02x%02x%02x" % self.DESKTOP], check=True,
                       timeout=CALL_TIMEOUT)

    def outputs(self):
        """Each connected output's X geometry now: (width, height, x, y), primary first."""
        found = re.findall(r"^DUMMY(\d+) connected (primary )?(\d+)x(\d+)\+(\d+)\+(\d+)", self.xrandr(), re.M)
        ordered = sorted(found, key=lambda f: int(f[0]))
        return [tuple(int(v) for v in f[2:]) for f in ordered]


class Picture:
    """A screenshot's pixels, read through ImageMagick as a binary PPM."""

    def __init__(self, path):
        self.path = path
        data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                              stdout=subprocess.PIPE, timeout=CALL_TIMEOUT).stdout
        fields, at = [], 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            if data[at:at + 1] == b"#":
                at = data.index(b"\n", at)
                continue
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[at + 1:]

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def count(self, wanted, box=None):
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        return sum(1 for y in range(y0, y1) for x in range(x0, x1) if wanted(self.at(x, y)))


class Launched:
    """A program started by the probe, the way the host starts the renderer."""

    def __init__(self, session, path, title, wait_ms=10000, args=(), desktop=None, env=None):
        self.values = {}
        self._lock = threading.Lock()
        # desktop: (name, width, height) of a Wine virtual desktop to start in;
        # the probe runs inside it too, or it could not see the program's window.
        inside = ["explorer", "/desktop=%s,%dx%d" % desktop] if desktop else []
        self.process = subprocess.Popen(
            ["wine"] + inside + [PROBE, "launch", windows_path(path), title, str(wait_ms)] + [str(a) for a in args],
            env=dict(session.env, **(env or {})), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        for line in self.process.stdout:
            key, _, value = line.strip().partition("=")
            with self._lock:
                self.values[key] = value

    def value(self, key):
        with self._lock:
            return self.values.get(key)

    def wait_window(self, timeout=20):
        ms = wait_until(lambda: self.value("window_ms"), timeout, "the launched window")
        if ms == "none":
            raise AssertionError("the launched program showed no window")
        return float(ms)

    def wait_exit(self, timeout=20):
        return int(wait_until(lambda: self.value("exit"), timeout, "the launched program's end"))

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def release(self):
        """Closes the pipe once the reader has seen its end. The programs the
        probe started may hold the pipe open until Wine has ended them."""
        self._reader.join(5)
        if not self._reader.is_alive():
            self.process.stdout.close()


class VirtualDesktop:
    """A Wine virtual desktop inside the session's display. It grants display
    modes the X display refuses (1024 x 768 x 16 on 1280 x 1024) and resizes
    its X window to the mode, so a mode change and its undoing can be seen
    from outside. Windows of another desktop cannot be found from in here:
    every program and probe of a test runs inside. The desktop ends with its
    last program, so a plain keeper window holds it open until close()."""

    KEEPER = "DesktopKeeper"

    def __init__(self, session, name, width, height):
        # No blanks: explorer cuts its arguments there.
        self.session, self.name, self.width, self.height = session, name, width, height
        self.keeper = session.launch(PROBE, self.KEEPER, args=("blank", self.KEEPER), desktop=self.spec())
        self.keeper.wait_window(timeout=60)
        wait_until(lambda: self.size() == (width, height), 30, "the virtual desktop at its size")

    def spec(self):
        return (self.name, self.width, self.height)

    def launch(self, path, title, wait_ms=10000, args=()):
        """Starts a program inside the desktop, as the host starts the renderer."""
        return self.session.launch(path, title, wait_ms, args, desktop=self.spec())

    def probe(self, *args):
        """A probe command run inside the desktop. The desktop exists already,
        so the call does not hold the pipe open for the desktop's life."""
        result = subprocess.run(["wine", "explorer", "/desktop=%s,%dx%d" % self.spec(), PROBE] +
                                [str(a) for a in args], env=self.session.env, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True, timeout=CALL_TIMEOUT)
        return dict(line.strip().partition("=")[::2] for line in result.stdout.splitlines() if "=" in line)

    def x_window(self):
        found = self.session.xdotool("search", "--name", "^%s - Wine desktop$" % self.name).stdout.split()
        return found[0] if found else None

    def size(self):
        """The desktop's X window size, or None while there is none."""
        window = self.x_window()
        if window is None:
            return None
        info = subprocess.run(["xwininfo", "-id", window], env=self.session.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True, timeout=CALL_TIMEOUT).stdout
        width = re.search(r"Width: (\d+)", info)
        height = re.search(r"Height: (\d+)", info)
        return (int(width.group(1)), int(height.group(1))) if width and height else None

    def press_until_gone(self, title, keysym, timeout=20):
        """Types the key into the desktop, whose focused window gets it, until
        the window with that title has gone. The focus may still be on its way
        at the first press."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            window = self.x_window()
            if window is not None:
                self.session.xdotool("windowfocus", window)
                self.session.xdotool("key", keysym)
            if self.probe("gone", title, 2000).get("gone") == "1":
                return True
        return False


class AudioCapture:
    """Points ALSA's default device at a file (16-bit stereo, 44.1 kHz), so
    a test can tell when sound was played, restarted and stopped."""

    BYTES_PER_SECOND = 44100 * 2 * 2

    def __init__(self, home):
        self.path = os.path.join(home, "audio.raw")
        with open(os.path.join(home, ".asoundrc"), "w") as config:
            config.write('pcm.!default { type file slave.pcm "null" file "%s" format "raw" }\n' % self.path)

    def audible_seconds(self, threshold=300):
        """Seconds of sound louder than the threshold captured so far."""
        try:
            with open(self.path, "rb") as capture:
                data = capture.read()
        except FileNotFoundError:
            return 0.0
        samples = memoryview(data[:len(data) // 2 * 2]).cast("h")
        loud = sum(1 for sample in samples if sample > threshold or sample < -threshold)
        return loud * 2 / self.BYTES_PER_SECOND


def make_test_media(folder):
    """A one-second MP3 tone, a half-second WAV tone and a three-second WAV."""
    os.makedirs(folder, exist_ok=True)
    media = {
        "wav": os.path.join(folder, "half.wav"),
        "long_wav": os.path.join(folder, "three.wav"),
        "mp3": os.path.join(folder, "tone.mp3"),
    }
    tone = os.path.join(folder, "tone.wav")
    synth = ["sox", "-n", "-r", "44100", "-c", "2", "-b", "16"]
    for command in (synth + [tone, "synth", "1.0", "sine", "440"],
                    synth + [media["wav"], "synth", "0.5", "sine", "660"],
                    synth + [media["long_wav"], "synth", "3.0", "sine", "550"],
                    ["lame", "--quiet", tone, media["mp3"]]):
        subprocess.run(command, check=True, timeout=CALL_TIMEOUT)
    return media


class WineSession:
    """A display plus the shared prefix, with helpers to drive programs."""

    def __init__(self, width, height, depth, prefix=None, monitors=None):
        self.prefix = prefix or default_prefix()
        if not os.path.isdir(os.path.join(self.prefix, "drive_c")):
            make_prefix(self.prefix)
        # Everything a session writes outside the prefix lives here and goes with it.
        self.scratch = tempfile.mkdtemp(prefix="sorvelin-wine-")
        if monitors:
            self.display = MonitorDisplay(self.scratch_folder("xorg"), monitors)
        else:
            self.display = VirtualDisplay(width, height, depth)
        self.env = wine_environment(self.prefix, self.display.name)
        self.home = self.scratch_folder("home")
        self.audio = AudioCapture(self.home)
        self.env["HOME"] = self.home
        self.shots = os.environ.get("SORVELIN_SHOTS") or self.scratch_folder("shots")
        os.makedirs(self.shots, exist_ok=True)
        self.launched = []

    def scratch_folder(self, name):
        """A new empty folder inside the session's scratch folder."""
        return tempfile.mkdtemp(prefix=name + "-", dir=self.scratch)

    def drive_c(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)

    def end_wine(self):
        """Ends every program of the prefix and waits until they are gone."""
        for launched in self.launched:
            launched.stop()
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL, timeout=CALL_TIMEOUT)
        try:
            subprocess.run(["wineserver", "-w"], env=self.env, timeout=30)
        except subprocess.TimeoutExpired:
            subprocess.run(["wineserver", "-k9"], env=self.env, stderr=subprocess.DEVNULL,
                           timeout=CALL_TIMEOUT)
        for launched in self.launched:
            launched.release()
        self.launched.clear()

    def close(self):
        self.end_wine()
        self.display.stop()
        shutil.rmtree(self.scratch, ignore_errors=True)

    def probe(self, *args, check=True):
        """Runs a probe command and gives its key=value lines as a dict."""
        result = subprocess.run(["wine", PROBE] + [str(a) for a in args], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                                timeout=CALL_TIMEOUT)
        values = dict(line.strip().partition("=")[::2] for line in result.stdout.splitlines() if "=" in line)
        if check and result.returncode != 0:
            raise AssertionError("probe %s failed: %s" % (" ".join(map(str, args)), result.stdout))
        return values

    def probe_lines(self, *args):
        """A probe command's output lines, for answers that repeat a key."""
        result = subprocess.run(["wine", PROBE] + [str(a) for a in args], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, timeout=CALL_TIMEOUT)
        return result.stdout.splitlines()

    def launch(self, path, title, wait_ms=10000, args=(), desktop=None, env=None):
        """Starts a program as the host starts the renderer, through the probe;
        env adds to the program's environment (GALLIUM_DRIVER=softpipe, say)."""
        launched = Launched(self, path, title, wait_ms, args, desktop, env)
        self.launched.append(launched)
        return launched

    def window(self, title, wait_ms=10000):
        info = self.probe("window", title, wait_ms, check=False)
        return info if info.get("found") == "1" else None

    def window_gone(self, title, wait_ms=10000):
        return self.probe("gone", title, wait_ms, check=False).get("gone") == "1"

    def texts(self, title, wait_ms=10000):
        """A window's own text and its children's, read as Unicode."""
        result = subprocess.run(["wine", PROBE, "text", title, str(wait_ms)], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=CALL_TIMEOUT)
        lines = result.stdout.decode("utf-8").splitlines()
        if "found=1" not in lines:
            return None
        return [line.split("|", 1)[1] for line in lines if line.startswith("child=")]

    def display_mode(self):
        mode = self.probe("display")
        return int(mode["width"]), int(mode["height"]), int(mode["bits"])

    def post(self, title, message, wparam=0):
        self.probe("post", title, message, wparam)

    def xdotool(self, *args):
        return subprocess.run(["xdotool"] + list(args), env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True, timeout=30)

    def key(self, title, keysym):
        """Types a key into the window with that title through the X server."""
        found = wait_until(lambda: self.xdotool("search", "--name", "^%s$" % title).stdout.split(),
                           10, "X window %s" % title)
        # No window manager here: give the X focus directly, then type.
        self.xdotool("windowactivate", found[0])
        self.xdotool("windowfocus", found[0])
        self.xdotool("key", keysym)

    def press_until_gone(self, title, keysym, timeout=20):
        """Types the key into the window until the window has gone. The X
        focus may still be on its way to the window at the first press."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                self.key(title, keysym)
            except AssertionError:
                pass   # no such X window any more
            if self.window_gone(title, 3000):
                return True
        return False

    def screenshot(self, name):
        path = os.path.join(self.shots, name + ".png")
        subprocess.run(["import", "-display", self.display.name, "-window", "root", path], check=True,
                       stderr=subprocess.DEVNULL, timeout=60)
        return Picture(path)


class WineTestCase(unittest.TestCase):
    """One display and Wine session for all the tests of a class."""

    display_size = (1024, 768, 16)
    monitors = None   # a MonitorDisplay layout instead of one Xvfb screen

    @classmethod
    def setUpClass(cls):
        cls.session = WineSession(*cls.display_size, monitors=cls.monitors)

    @classmethod
    def tearDownClass(cls):
        cls.session.close()

    def tearDown(self):
        self.session.end_wine()


def settings_file_bytes(kind, repeat=0, music=b""):
    """A settings file as the host writes it on Windows (a blank before numbers)."""
    if isinstance(music, str):
        music = music.encode("cp932")
    lines = [b"[Section]", KEY_KIND + b"= " + str(kind).encode(),
             KEY_REPEAT + b"= " + str(repeat).encode(), KEY_FILE + b"=" + music]
    return b"\r\n".join(lines) + b"\r\n"


class HostTestCase(WineTestCase):
    """Tests that install the host, with or without the renderer, into a folder
    of their own and start it with a command line."""

    def install(self, with_renderer=True, folder_name="Sorvelin"):
        """Both programs copied into a folder of their own, as a user installs them."""
        folder = os.path.join(self.session.scratch_folder("install"), folder_name)
        os.makedirs(folder)
        shutil.copy(HOST, folder)
        if with_renderer:
            shutil.copy(RENDERER, folder)
        return folder

    def write_settings(self, folder, kind, repeat=0, music=""):
        with open(os.path.join(folder, "Sorvelin.ini"), "wb") as ini:
            ini.write(settings_file_bytes(kind, repeat, music))

    def host(self, folder, arguments, title=SHOW_TITLE, wait_ms=10000):
        return self.session.launch(os.path.join(folder, "Sorvelin.scr"), title, wait_ms,
                                   args=arguments.split() if arguments else ())


def main():
    unittest.main(verbosity=2)


if __name__ == "__main__" and os.environ.get("SORVELIN_MAKE_PREFIX"):
    make_prefix(default_prefix())
