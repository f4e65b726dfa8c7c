"""The renderer program under Wine: its window, the display mode, its end."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import (MSG_TOGGLE_MODE, RENDERER, WM_CLOSE, WS_CAPTION, WS_EX_APPWINDOW,  # noqa: E402
                     WS_EX_TOPMOST, WS_POPUP, WS_THICKFRAME, WineTestCase, wait_until)
from harness import RENDERER_TITLE as TITLE  # noqa: E402


def style(info):
    return int(info["style"], 16)


def exstyle(info):
    return int(info["exstyle"], 16)


def outer_size(info):
    left, top, right, bottom = map(int, info["outer"].split())
    return right - left, bottom - top


def client_size(info):
    return tuple(map(int, info["client"].split()))


class RendererTestCase(WineTestCase):

    def start(self):
        launched = self.session.launch(RENDERER, TITLE)
        launched.wait_window()
        return launched

    def shown_window(self, accept=lambda info: True, timeout=15):
        """The renderer's window once it is visible and as wanted."""
        def look():
            info = self.session.window(TITLE, 100)
            return info if info and info["visible"] == "1" and accept(info) else None
        return wait_until(look, timeout, "a shown renderer window")

    def cursor_showing(self):
        return self.session.probe("cursor")["showing"] == "1"

    def full_frame(self):
        """A screenshot once the first frame is drawn. Until then the screen can
        be one flat colour (white under Wine while the window maps): wait for
        dark sky in the corners and something bright in the middle."""
        def look():
            shot = self.session.screenshot("show")
            w, h = shot.width, shot.height
            r, g, _ = shot.at(w // 2, h // 2)
            corners = [shot.at(x, y) for x, y in ((2, 2), (w - 3, 2), (2, h - 3), (w - 3, h - 3))]
            sky = sum(max(p) < 60 for p in corners) >= 3   # a star may sit on one
            return shot if sky and r > 200 and g > 200 else None
        return wait_until(look, 15, "a drawn frame")


class FullScreen(RendererTestCase):
    display_size = (1024, 768, 16)

    # The mode switch itself is seen in ShowModeGranted: this display already
    # is 1024 x 768 x 16, so its mode says nothing about the renderer.
    def test_borderless_topmost_window_of_the_shows_size_with_the_cursor_hidden(self):
        launched = self.start()
        info = self.shown_window()

        self.assertEqual(info["class"], "OpenGL")
        self.assertTrue(style(info) & WS_POPUP)
        self.assertFalse(style(info) & (WS_CAPTION | WS_THICKFRAME))
        self.assertEqual(exstyle(info) & (WS_EX_TOPMOST | WS_EX_APPWINDOW), WS_EX_TOPMOST | WS_EX_APPWINDOW)
        self.assertEqual(info["outer"], "0 0 1024 768")
        self.assertFalse(self.cursor_showing())

        self.session.post(TITLE, WM_CLOSE)
        self.assertEqual(launched.wait_exit(), 0)
        self.assertTrue(self.cursor_showing())

    def test_escape_ends_the_program_with_exit_code_0(self):
        launched = self.start()
        self.shown_window()
        self.assertTrue(self.session.press_until_gone(TITLE, "Escape"))
        self.assertEqual(launched.wait_exit(), 0)

    def test_close_request_from_another_program_ends_it_with_exit_code_0(self):
        launched = self.start()
        self.shown_window()
        self.session.post(TITLE, WM_CLOSE)
        self.assertEqual(launched.wait_exit(), 0)

    def test_toggle_recreates_the_window_in_the_other_mode_and_back(self):
        launched = self.start()
        first = self.shown_window()
        self.assertTrue(style(first) & WS_POPUP)

        self.session.post(TITLE, MSG_TOGGLE_MODE)
        framed = self.shown_window(lambda info: style(info) & WS_CAPTION)
        # A framed window of the show's width; on a screen of exactly the
        # show's size the system trims its height to fit the frame in.
        self.assertEqual(client_size(framed)[0], 1024)
        self.assertGreater(outer_size(framed)[0], 1024)
        self.assertFalse(exstyle(framed) & WS_EX_TOPMOST)
        self.assertEqual(framed["pid"], first["pid"])
        self.assertEqual(self.session.probe("cursor")["showing"], "1")
        # Still animating in the new window.
        one = self.session.screenshot("framed-1")
        two = wait_until(lambda: self._changed_from(one), 10, "the next frames")
        self.assertIsNotNone(two)

        self.session.post(TITLE, MSG_TOGGLE_MODE)
        again = self.shown_window(lambda info: style(info) & WS_POPUP)
        self.assertEqual(again["pid"], first["pid"])
        self.assertEqual(again["outer"], "0 0 1024 768")

        self.session.post(TITLE, WM_CLOSE)
        self.assertEqual(launched.wait_exit(), 0)

    def _changed_from(self, picture):
        now = self.session.screenshot("framed-2")
        return now if now.pixels != picture.pixels else None

    def test_screenshot_shows_the_sun_textured_planets_and_grey_stars(self):
        launched = self.start()
        self.shown_window()
        shot = self.full_frame()

        # The Sun's glow in the middle: bright pale yellow.
        r, g, b = shot.at(512, 384)
        self.assertGreater(r, 200)
        self.assertGreater(g, 200)
        self.assertLess(b, r - 40)

        # Grey one-pixel stars.
        grey = shot.count(lambda p: 110 <= p[0] <= 150 and abs(p[0] - p[1]) <= 8 and abs(p[1] - p[2]) <= 8)
        self.assertGreater(grey, 200)

        # Textured planets away from the Sun: coloured, not grey or white.
        sun_box = (512 - 110, 384 - 110, 512 + 110, 384 + 110)
        coloured = shot.count(
            lambda p: max(p) - min(p) > 40 and max(p) > 60, (0, 0, 1024, 768)) - \
            shot.count(lambda p: max(p) - min(p) > 40 and max(p) > 60, sun_box)
        self.assertGreater(coloured, 150)

        self.session.post(TITLE, WM_CLOSE)
        self.assertEqual(launched.wait_exit(), 0)


class EscapeIsNeverLost(RendererTestCase):
    """One tap of Escape, its key-up right behind it, always ends the show:
    pressed as the window appears while the pictures load, and between slow
    frames of the reference rasteriser. Twenty taps in all."""

    SLOW = {"GALLIUM_DRIVER": "softpipe"}

    def start_with(self, env):
        return self.session.launch(RENDERER, TITLE, env=env)

    def tap_when_focused(self):
        """A real key tap through the X server, once the shown window has the X focus."""
        def focused():
            found = self.session.xdotool("search", "--onlyvisible", "--name", "^%s$" % TITLE).stdout.split()
            if not found:
                return None
            self.session.xdotool("windowfocus", found[0])
            return self.session.xdotool("getwindowfocus").stdout.strip() == found[0]
        wait_until(focused, 20, "the shown window with the X focus", interval=0.01)
        self.session.xdotool("key", "Escape")

    def assert_ends(self, launched, what):
        self.assertEqual(launched.wait_exit(timeout=40), 0, what)

    def test_a_tap_as_the_window_appears_ends_it(self):
        for env in ({}, self.SLOW):
            for attempt in range(4):
                launched = self.start_with(env)
                self.tap_when_focused()
                self.assert_ends(launched, "key tap %d, %s" % (attempt, env))
            for attempt in range(2):
                launched = self.start_with(env)
                self.session.probe("tap", TITLE, 20000)
                self.assert_ends(launched, "queued tap %d, %s" % (attempt, env))

    def test_a_tap_between_slow_frames_ends_it(self):
        for attempt in range(4):
            launched = self.start_with(self.SLOW)
            self.full_frame()
            self.tap_when_focused()
            self.assert_ends(launched, "key tap %d" % attempt)
        for attempt in range(4):
            launched = self.start_with(self.SLOW)
            self.full_frame()
            self.session.probe("tap", TITLE)
            self.assert_ends(launched, "queued tap %d" % attempt)

    def test_a_close_request_as_the_window_appears_or_between_slow_frames_ends_it(self):
        for drawn_first in (False, True):
            launched = self.start_with(self.SLOW)
            self.session.window(TITLE, 20000)
            if drawn_first:
                self.full_frame()
            self.session.post(TITLE, WM_CLOSE)
            self.assert_ends(launched, "close, frame drawn first: %s" % drawn_first)


def bright_centre(shot, box):
    """The centre of the Sun's pale yellow disc and glow inside the box."""
    x0, y0, x1, y1 = box
    xs = ys = count = 0
    for y in range(y0, y1, 2):
        for x in range(x0, x1, 2):
            r, g, b = shot.at(x, y)
            if r > 200 and g > 200 and b < r - 40:
                xs, ys, count = xs + x, ys + y, count + 1
    return (xs / count, ys / count) if count else None


class RefusedMode(RendererTestCase):
    # This display has no 1024 x 768 mode at any depth: the show covers it at its own size.
    display_size = (1280, 1024, 24)

    def test_bare_topmost_popup_over_the_whole_desktop_without_a_mode_change(self):
        before = self.session.display_mode()
        launched = self.start()
        info = self.shown_window()

        self.assertEqual(info["class"], "OpenGL")
        self.assertTrue(style(info) & WS_POPUP)
        self.assertFalse(style(info) & (WS_CAPTION | WS_THICKFRAME))
        self.assertTrue(exstyle(info) & WS_EX_TOPMOST)
        self.assertEqual(info["outer"], "0 0 1280 1024")
        self.assertEqual(client_size(info), (1280, 1024))
        self.assertEqual(self.session.display_mode(), before)
        self.assertFalse(self.cursor_showing())

        # The picture is drawn at the screen's size: the Sun in its middle, not
        # where a 1024 x 768 picture would put it (512, 640 from the top).
        shot = self.full_frame()
        self.assertEqual((shot.width, shot.height), (1280, 1024))
        centre = bright_centre(shot, (440, 312, 840, 712))
        self.assertIsNotNone(centre)
        self.assertAlmostEqual(centre[0], 640, delta=8)
        self.assertAlmostEqual(centre[1], 512, delta=8)

        self.assertTrue(self.session.press_until_gone(TITLE, "Escape"))
        self.assertEqual(launched.wait_exit(), 0)
        self.assertTrue(self.cursor_showing())
        self.assertEqual(self.session.display_mode(), before)

    def test_toggle_goes_to_the_framed_window_of_the_shows_size_and_back(self):
        before = self.session.display_mode()
        launched = self.start()
        first = self.shown_window()
        self.assertEqual(first["outer"], "0 0 1280 1024")

        self.session.post(TITLE, MSG_TOGGLE_MODE)
        framed = self.shown_window(lambda info: style(info) & WS_CAPTION)
        self.assertEqual(client_size(framed), (1024, 768))
        self.assertFalse(exstyle(framed) & WS_EX_TOPMOST)
        self.assertEqual(framed["pid"], first["pid"])
        self.assertTrue(self.cursor_showing())

        self.session.post(TITLE, MSG_TOGGLE_MODE)
        again = self.shown_window(lambda info: style(info) & WS_POPUP)
        self.assertEqual(again["pid"], first["pid"])
        self.assertEqual(again["outer"], "0 0 1280 1024")
        self.assertTrue(exstyle(again) & WS_EX_TOPMOST)
        self.assertFalse(self.cursor_showing())
        self.assertEqual(self.session.display_mode(), before)

        self.session.post(TITLE, WM_CLOSE)
        self.assertEqual(launched.wait_exit(), 0)
        self.assertTrue(self.cursor_showing())


class ShowModeGranted(RendererTestCase):
    # A desktop of 1280 x 1024 that grants 1024 x 768 x 16: the switch to the
    # show's mode and its undoing both show in the desktop's size.
    display_size = (1280, 1024, 24)

    def test_show_switches_to_its_mode_and_escape_puts_the_desktop_back(self):
        desktop = harness.VirtualDesktop(self.session, "SorvelinShow", 1280, 1024)
        launched = desktop.launch(RENDERER, TITLE)
        launched.wait_window(timeout=60)
        wait_until(lambda: desktop.size() == (1024, 768), 15, "the desktop at the show's mode")
        self.assertTrue(desktop.press_until_gone(TITLE, "Escape"), "the renderer outlived Escape")
        self.assertEqual(launched.wait_exit(), 0)
        wait_until(lambda: desktop.size() == (1280, 1024), 10, "the desktop back at 1280 x 1024")


if __name__ == "__main__":
    harness.main()
