"""The settings dialog under Wine: placement, look, choices, writing the file."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import DIALOG_TITLE, KEY_FILE, KEY_KIND, KEY_REPEAT, HostTestCase, wait_until, windows_path  # noqa: E402

TITLE = DIALOG_TITLE
CHOOSER = "ﾌｧｲﾙを開く"
TWIPS = 15.0   # 96 dots per inch here

# Points inside the dialog's client area, in twips, from its layout.
PANEL = (180, 240)
CHOICE_LABEL = {0: (660 + 100, 1140 + 90), 1: (660 + 200, 840 + 90), 2: (660 + 200, 1440 + 90)}
TRACK_LIST = (1680 + 200, 780 + 150)
FILE_BUTTON = (420 + 300, 1680 + 180)
OK_BUTTON = (4740 + 600, 3000 + 180)
CANCEL_BUTTON = (6000 + 600, 3000 + 180)


class Dialog(HostTestCase):

    def open_dialog(self, folder):
        host = self.host(folder, "/c", title=TITLE)
        host.wait_window()
        info = wait_until(lambda: self.visible_dialog(), 10, "the dialog shown")
        left, top, right, bottom = map(int, info["outer"].split())
        width, height = map(int, info["client"].split())
        border = (right - left - width) // 2
        self.origin = (left + border, bottom - border - height)
        self.info = info
        return host

    def visible_dialog(self):
        info = self.session.window(TITLE, 0)
        return info if info and info["visible"] == "1" else None

    def at(self, twips):
        return (self.origin[0] + int(twips[0] / TWIPS), self.origin[1] + int(twips[1] / TWIPS))

    def on_panel(self, twips):
        return self.at((PANEL[0] + twips[0] + 15, PANEL[1] + twips[1] + 15))

    def click(self, point, button=1):
        self.session.xdotool("mousemove", str(point[0]), str(point[1]))
        self.session.xdotool("click", str(button))

    def settings_bytes(self, folder):
        path = os.path.join(folder, "Sorvelin.ini")
        if not os.path.exists(path):
            return None
        with open(path, "rb") as ini:
            return ini.read()

    def expected_file(self, kind, repeat, music=b""):
        lines = [b"[Section]", KEY_KIND + b"= " + str(kind).encode(), KEY_REPEAT + b"= " + str(repeat).encode(),
                 KEY_FILE + b"=" + music]
        return b"\r\n".join(lines) + b"\r\n"

    def assertWritten(self, folder, kind, repeat, music=b""):
        # NOTE: Wine's profile writer drops the blank after '='; Windows keeps it.
        expected = self.expected_file(kind, repeat, music)
        written = wait_until(lambda: self.settings_bytes(folder), 10, "the settings file")
        self.assertIn(written, (expected, expected.replace(b"= ", b"=")))

    def test_opens_with_its_size_and_place_and_the_loaded_choice(self):
        folder = self.install()
        self.write_settings(folder, 1, repeat=4)
        self.open_dialog(folder)
        self.assertEqual(self.info["client"], "495 246")
        left, top, right, bottom = map(int, self.info["outer"].split())
        self.assertLessEqual(abs(left - (1024 - (right - left)) // 2), 1)
        self.assertLessEqual(abs(top - (768 - (bottom - top)) // 3), 1)

        shot = self.session.screenshot("dialog")
        x0, y0 = self.origin
        top_row = shot.at(x0 + 250, y0 + 1)
        middle = shot.at(x0 + 5, y0 + 123)   # left of the panel
        self.assertLess(max(top_row[:2]), 40)                  # dark navy at the top
        self.assertGreater(middle[0], 180)                     # pale blue-grey half way
        self.assertGreater(middle[2], middle[0])
        # A column right of the controls and above the file box: only the strip is there.
        panel = [shot.at(*self.on_panel((6000, 150 + dy))) for dy in range(0, 1350, 15)]
        self.assertTrue(all(150 < p[0] < 240 for p in panel))  # brushed metal
        self.assertGreater(len(set(panel)), 2)   # streaks run across, so colours change downwards
        box = shot.at(*self.on_panel((420 + 90, 840 + 90)))     # the marked box of choice 1
        self.assertGreater(box[2], box[0] + 60)
        empty = shot.at(*self.on_panel((420 + 90, 1140 + 90)))
        self.assertGreater(min(empty), 200)
        ok_face = shot.at(*self.at((4740 + 300, 3000 + 80)))    # light gradient face
        self.assertGreater(min(ok_face), 190)

    def test_cd_choice_with_track_three_writes_the_four_lines(self):
        folder = self.install()
        self.open_dialog(folder)
        self.click(self.on_panel(CHOICE_LABEL[1]), button=3)   # any button chooses
        self.click(self.on_panel(TRACK_LIST))
        self.session.xdotool("key", "ctrl+a")
        self.session.xdotool("type", "3")
        self.click(self.at(OK_BUTTON))
        wait_until(lambda: self.session.window(TITLE, 0) is None, 10, "the dialog's end")
        self.assertWritten(folder, 1, 3)

    def test_cancel_close_box_enter_and_escape_write_nothing(self):
        folder = self.install()
        self.write_settings(folder, 0)
        before = self.settings_bytes(folder)
        self.open_dialog(folder)
        self.click(self.on_panel(CHOICE_LABEL[1]))
        self.session.key(TITLE, "Return")
        self.session.key(TITLE, "Escape")
        self.assertIsNotNone(self.session.window(TITLE, 500), "Enter and Escape do nothing")
        self.click(self.at(CANCEL_BUTTON))
        wait_until(lambda: self.session.window(TITLE, 0) is None, 10, "the dialog's end")
        self.assertEqual(self.settings_bytes(folder), before)

        self.open_dialog(folder)
        self.session.post(TITLE, 0x10)   # the close box
        wait_until(lambda: self.session.window(TITLE, 0) is None, 10, "the dialog's end")
        self.assertEqual(self.settings_bytes(folder), before)

    def test_unknown_kind_marks_nothing_and_is_written_back(self):
        folder = self.install()
        self.write_settings(folder, 5)
        self.open_dialog(folder)
        shot = self.session.screenshot("kind5")
        for kind in range(3):
            box = shot.at(*self.on_panel((420 + 90, (1140, 840, 1440)[kind] + 90)))
            self.assertGreater(min(box), 200, "box %d" % kind)
        self.click(self.at(OK_BUTTON))
        wait_until(lambda: self.session.window(TITLE, 0) is None, 10, "the dialog's end")
        self.assertWritten(folder, 5, 0)

    def test_file_chosen_in_the_chooser_is_written(self):
        media = harness.make_test_media(self.session.scratch_folder("media"))
        folder = self.install()
        self.write_settings(folder, 2)
        self.open_dialog(folder)
        self.click(self.on_panel(CHOICE_LABEL[2]))
        self.click(self.on_panel(FILE_BUTTON))
        wait_until(lambda: self.session.window(CHOOSER, 0), 15, "the file chooser")
        self.type_into_chooser(windows_path(media["mp3"]))
        self.session.xdotool("key", "Return")
        wait_until(lambda: self.session.window(CHOOSER, 0) is None, 15, "the chooser's end")
        self.click(self.at(OK_BUTTON))
        wait_until(lambda: self.session.window(TITLE, 0) is None, 10, "the dialog's end")
        self.assertWritten(folder, 2, 0, windows_path(media["mp3"]).encode())

    def test_hover_shows_the_highlight_frame_and_leaving_restores_normal(self):
        folder = self.install()
        self.open_dialog(folder)
        ring = self.at((6000 + 600, 3000 + 2 * TWIPS + 1))   # top ring 2 of the cancel button
        normal = self.session.screenshot("before").at(*ring)
        self.session.xdotool("mousemove", *map(str, self.at(CANCEL_BUTTON)))
        lit = wait_until(lambda: self._ring_is(ring, lambda p: p[2] < p[0] - 30), 5, "the HighLight frame")
        self.assertGreater(lit[0], 230)   # warm yellow inner frame
        self.session.xdotool("mousemove", "5", "5")
        started = time.monotonic()
        wait_until(lambda: self._ring_is(ring, lambda p: p == normal), 5, "the Normal frame again")
        self.assertLess(time.monotonic() - started, 2.0)   # one 100 ms tick plus the screenshot's own time

    def test_tab_passes_over_disabled_buttons(self):
        file_button = tuple(int(v / TWIPS) for v in (PANEL[0] + 420, PANEL[1] + 1680))
        for choice, reaches_file_button in ((0, False), (2, True)):
            with self.subTest(choice=choice):
                folder = self.install()
                self.open_dialog(folder)
                self.click(self.on_panel(CHOICE_LABEL[choice]))
                places = set()
                for _ in range(4):
                    self.session.key(TITLE, "Tab")
                    focus = wait_until(lambda: self.session.probe("focus", TITLE, check=False), 5, "the focus")
                    if focus.get("focus") == "Command":
                        left, top = map(int, focus["place"].split()[:2])
                        places.add((left, top))
                # The panel's border puts its children a pixel or two further in.
                near = any(abs(x - file_button[0]) <= 3 and abs(y - file_button[1]) <= 3 for x, y in places)
                self.assertEqual(near, reaches_file_button, places)
                self.assertGreaterEqual(len(places), 2, "Tab reaches the OK and cancel buttons")
                self.session.post(TITLE, 0x10)
                wait_until(lambda: self.session.window(TITLE, 0) is None, 10, "the dialog's end")

    def type_into_chooser(self, text):
        """The chooser fills in its controls only after it shows, and keys typed
        before that are lost: type, read the name box back, and type again
        until the text is there."""
        def typed():
            self.session.xdotool("key", "ctrl+a")
            self.session.xdotool("type", text)
            return text in (self.session.texts(CHOOSER, 0) or [])
        wait_until(typed, 15, "the path in the chooser's name box")

    def _ring_is(self, point, wanted):
        pixel = self.session.screenshot("ring").at(*point)
        return pixel if wanted(pixel) else None


if __name__ == "__main__":
    harness.main()
