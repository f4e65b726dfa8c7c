"""dist/sorvelin on Xvfb, whose GLX goes through Mesa: its own window, the
root window, the daemon's window and a given window; what ends it; and each
kind of bad input with its exit code and message."""

import re
import signal
import unittest

from x11_env import PROGRAM, VirtualDisplay, XClient, free_display_number, wait_until


class ShowTestCase(unittest.TestCase):
    def setUp(self):
        self.display = VirtualDisplay(640, 480)
        self.addCleanup(self.display.stop)
        self.client = XClient(self.display)
        self.addCleanup(self.client.close)

    def start(self, *args, **env):
        program = self.display.start(*args, **env)
        self.addCleanup(lambda: program.poll() is None and program.kill())
        self.addCleanup(program.stderr.close)
        return program

    def assert_ends(self, program, timeout=10):
        wait_until(lambda: program.poll() is not None, timeout, "the program's end")
        self.assertEqual(program.returncode, 0, program.stderr.read())

    def own_window(self):
        return int(wait_until(lambda: self.display.run("xdotool", "search", "--name", "^Sorvelin$").stdout, 20,
                              "the Sorvelin window").split()[0])


class OwnWindow(ShowTestCase):
    def test_covers_the_screen_with_the_sun_in_the_middle_until_escape(self):
        program = self.start()
        info = self.display.run("xwininfo", "-id", str(self.own_window())).stdout
        self.assertEqual([int(re.search(key + r":\s+(-?\d+)", info).group(1)) for key in
                          ("upper-left X", "upper-left Y", "Width", "Height")], [0, 0, 640, 480])
        self.display.sun_at(320, 240)
        self.display.run("xdotool", "key", "Escape")
        self.assert_ends(program)

    def test_a_tap_between_two_slow_frames_still_ends_it(self):
        # Three seconds between frames: the key's press and release both come in one sleep.
        program = self.start("-delay", "3000000")
        self.own_window()
        self.display.sun_at(320, 240)
        self.display.run("xdotool", "key", "Escape")
        self.assert_ends(program, timeout=20)

    def test_a_close_request_ends_it(self):
        program = self.start()
        self.client.ask_to_close(self.own_window())
        self.assert_ends(program)


class OthersWindows(ShowTestCase):
    def test_root_draws_on_the_root_window_until_sigterm(self):
        program = self.start("-root")
        self.display.sun_at(320, 240)
        program.send_signal(signal.SIGTERM)
        self.assert_ends(program)

    def test_root_draws_in_the_daemons_window_until_sigint(self):
        program = self.start("--root", XSCREENSAVER_WINDOW=hex(self.client.window(100, 80, 320, 240)))
        self.display.sun_at(260, 200)
        program.send_signal(signal.SIGINT)
        self.assert_ends(program)

    def test_window_id_follows_the_windows_size_and_ends_with_it(self):
        window = self.client.window(40, 40, 200, 150)
        program = self.start("-window-id", str(window))
        self.display.sun_at(140, 115)
        self.display.run("xdotool", "windowsize", str(window), "360", "270")
        self.display.sun_at(220, 175)
        self.client.destroy(window)
        self.assert_ends(program)

    def test_sigterm_ends_even_a_long_sleep_between_frames(self):
        program = self.start("--window-id", hex(self.client.window(0, 0, 320, 240)), "--delay", "10000000")
        self.display.sun_at(160, 120)
        program.send_signal(signal.SIGTERM)
        self.assert_ends(program, timeout=5)


class BadInput(unittest.TestCase):
    def test_each_fault_gives_its_code_and_one_clear_message(self):
        display = VirtualDisplay(320, 240)
        self.addCleanup(display.stop)
        without_gl = VirtualDisplay(320, 240, extra=["-extension", "GLX"])
        self.addCleanup(without_gl.stop)
        nowhere = ":%d" % free_display_number()
        usage = r"^sorvelin: .*\nusage: sorvelin"
        cases = [(display, args, None, 2, usage)
                 for args in (["-bogus"], ["--delay", "soon"], ["-window-id"], ["-root", "-window-id", "5"])] + [
            (display, ["-window-id", "0x1fffff0"], None, 1, r"^sorvelin: there is no window 0x1fffff0"),
            (display, ["-root"], {"XSCREENSAVER_WINDOW": "nowhere"}, 1, r"^sorvelin: XSCREENSAVER_WINDOW is not"),
            (display, [], {"DISPLAY": nowhere}, 1, r'^sorvelin: cannot open the X display "%s"' % nowhere),
            (without_gl, [], None, 1, r"^sorvelin: the X display .* has no OpenGL \(GLX\)")]
        for on, args, env, code, message in cases:
            with self.subTest(args=args, env=env):
                result = on.run(PROGRAM, *args, env=dict(on.env, **(env or {})))
                self.assertEqual(result.returncode, code, result.stderr)
                self.assertRegex(result.stderr, message)


if __name__ == "__main__":
    unittest.main()
