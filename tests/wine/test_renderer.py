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


class FullScreen(RendererTestCase):
    display_size = (1024, 768, 16)

    def test_borderless_topmost_window_at_the_show_mode_and_the_mode_restored_after(self):
        before = self.session.display_mode()
        launched = self.start()
        info = self.shown_window()

        self.assertEqual(info["class"], "OpenGL")
        self.assertTrue(style(info) & WS_POPUP)
        self.assertFalse(style(info) & (WS_CAPTION | WS_THICKFRAME))
        self.assertEqual(exstyle(info) & (WS_EX_TOPMOST | WS_EX_APPWINDOW), WS_EX_TOPMOST | WS_EX_APPWINDOW)
        self.assertEqual(info["outer"], "0 0 1024 768")
        self.assertEqual(self.session.display_mode(), (1024, 768, 16))
        self.assertEqual(self.session.probe("cursor")["showing"], "0")

        self.session.post(TITLE, WM_CLOSE)
        self.assertEqual(launched.wait_exit(), 0)
        self.assertEqual(self.session.display_mode(), before)

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
        shot = wait_until(self._full_frame, 15, "a drawn frame")

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

    def _full_frame(self):
        # Until the first frame is drawn the screen can be one flat colour
        # (white under Wine while the window maps): wait for dark sky in the
        # corners and something bright in the middle.
        shot = self.session.screenshot("show")
        r, g, _ = shot.at(512, 384)
        corners = [shot.at(x, y) for x, y in ((2, 2), (1021, 2), (2, 765), (1021, 765))]
        sky = sum(max(p) < 60 for p in corners) >= 3   # a star may sit on one
        return shot if sky and r > 200 and g > 200 else None


class RefusedMode(RendererTestCase):
    # This display has no 1024 x 768 mode at any depth.
    display_size = (1280, 1024, 24)

    def test_framed_window_of_outer_size_1024_by_768_with_the_cursor_visible(self):
        before = self.session.display_mode()
        launched = self.start()
        info = self.shown_window()

        self.assertEqual(info["class"], "OpenGL")
        self.assertTrue(style(info) & WS_CAPTION)
        self.assertFalse(exstyle(info) & WS_EX_TOPMOST)
        self.assertEqual(outer_size(info), (1024, 768))
        self.assertEqual(self.session.probe("cursor")["showing"], "1")
        self.assertEqual(self.session.display_mode(), before)

        self.session.post(TITLE, WM_CLOSE)
        self.assertEqual(launched.wait_exit(), 0)
        self.assertEqual(self.session.display_mode(), before)


if __name__ == "__main__":
    harness.main()
