"""The show on three monitors (Xorg's dummy driver, which Wine sees as three):
black covers over every monitor but the primary, and everything put back at
every kind of end."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import (COVER_TITLE, RENDERER, RENDERER_TITLE, SHOW_TITLE, WM_CLOSE, WS_EX_NOACTIVATE,  # noqa: E402
                     WS_EX_TOPMOST, WS_POPUP, HostTestCase, wait_until)


def titled(session, title):
    """Every top-level window with the title: rectangle, style, extended style, visibility, owner."""
    windows = []
    for line in session.probe_lines("titled", title):
        if line.startswith("window="):
            rect, style, exstyle, visible, owner, _ = line[len("window="):].split("|")
            windows.append({"rect": tuple(map(int, rect.split())), "style": int(style, 16),
                            "exstyle": int(exstyle, 16), "visible": visible == "1", "owner": int(owner)})
    return windows


class ThreeMonitors(HostTestCase):
    # In X terms: the primary in the middle at 1280 x 1024, a smaller monitor
    # on its left (negative coordinates for Windows) and one of a third size
    # on its right. The show's 1024 x 768 mode shrinks the primary and moves
    # the right-hand monitor.
    monitors = [(1280, 1024, 1024, 0), (1024, 768, 0, 0), (1152, 864, 2304, 0)]

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        seen = cls.session.probe("monitors")["count"]
        if seen != "3":
            cls.tearDownClass()
            raise AssertionError("Wine sees %s monitors here, not 3" % seen)

    def setUp(self):
        # A show that was killed without its host leaves its mode behind.
        if self.session.display.outputs() != self.monitors:
            self.session.display.arrange()

    def other_monitors(self):
        """The other monitors as the X server has them now, in the coordinates
        Windows gives them: the primary's top-left corner is the origin."""
        outputs = self.session.display.outputs()
        _, _, px, py = outputs[0]
        return sorted((x - px, y - py, x - px + w, y - py + h) for w, h, x, y in outputs[1:])

    def covered(self):
        """Waits for the two covers of a running show and checks each one lies
        exactly over its monitor, above everything, black, never active."""
        covers = wait_until(lambda: (lambda c: c if len(c) == 2 else None)(titled(self.session, COVER_TITLE)),
                            30, "two covers")
        show = wait_until(lambda: titled(self.session, RENDERER_TITLE), 10, "the show's window")[0]
        self.assertEqual(sorted(c["rect"] for c in covers), self.other_monitors())
        for cover in covers:
            self.assertTrue(cover["visible"])
            self.assertTrue(cover["style"] & WS_POPUP)
            self.assertEqual(cover["exstyle"] & (WS_EX_TOPMOST | WS_EX_NOACTIVATE), WS_EX_TOPMOST | WS_EX_NOACTIVATE)
            self.assertNotEqual(cover["owner"], 0)
        self.assertEqual(show["rect"], (0, 0, 1024, 768))

        # Black wherever a monitor is; the desktop's own colour where none is
        # (below the shorter monitors), so the black is the covers', not the desktop's.
        outputs = self.session.display.outputs()

        def painted():
            shot = self.session.screenshot("three-monitors")
            for w, h, x, y in outputs[1:]:
                if shot.count(lambda p: p != (0, 0, 0), (x, y, x + w, y + h)) > 0:
                    return None
            return shot
        shot = wait_until(painted, 20, "black over the other monitors")
        bottom = max(h for w, h, x, y in outputs)
        left_w, left_h, left_x, _ = outputs[1]
        self.assertEqual(shot.at(left_x + left_w // 2, bottom - 1), harness.MonitorDisplay.DESKTOP)
        self.assertLess(left_h, bottom)

    def put_back(self):
        """After any end: no cover left, every monitor at its own mode and place."""
        wait_until(lambda: not titled(self.session, COVER_TITLE), 10, "the covers gone")
        wait_until(lambda: self.session.display.outputs() == self.monitors, 15, "the monitors as they were")

    def test_escape_ends_the_show_and_takes_the_covers_with_it(self):
        launched = self.session.launch(RENDERER, RENDERER_TITLE)
        self.covered()
        self.assertTrue(self.session.press_until_gone(RENDERER_TITLE, "Escape"))
        self.assertEqual(launched.wait_exit(), 0)
        self.put_back()

    def test_a_close_request_to_a_cover_ends_the_show(self):
        launched = self.session.launch(RENDERER, RENDERER_TITLE)
        self.covered()
        self.session.post(COVER_TITLE, WM_CLOSE)
        self.assertEqual(launched.wait_exit(), 0)
        self.put_back()

    def test_a_killed_renderer_leaves_no_cover_and_the_host_puts_the_display_back(self):
        folder = self.install()
        host = self.host(folder, "/s")
        self.covered()
        self.assertIn("killed", self.session.probe("kill", RENDERER_TITLE))
        self.put_back()
        self.assertTrue(self.session.window_gone(SHOW_TITLE, 10000), "the host outlived its show")
        self.assertEqual(host.wait_exit(), 0)


if __name__ == "__main__":
    harness.main()
