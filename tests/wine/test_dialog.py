"""The settings dialog under Wine: placement, look, choices, writing the file."""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import (CALL_TIMEOUT, DIALOG_TITLE, MESSAGE_CAPTION,  # noqa: E402
                     HostTestCase, WineSession, wait_until, windows_path)

TITLE = DIALOG_TITLE
CHOOSER = "ﾌｧｲﾙを開く"

# Points inside the dialog's client area, in twips, from its layout.
PANEL = (180, 240)
CHOICE_LABEL = {0: (660 + 100, 1140 + 90), 1: (660 + 200, 840 + 90), 2: (660 + 200, 1440 + 90)}
TRACK_LIST = (1680 + 200, 780 + 150)
FILE_BUTTON = (420 + 300, 1680 + 180)
OK_BUTTON = (4740 + 600, 3000 + 180)
CANCEL_BUTTON = (6000 + 600, 3000 + 180)


class DialogTestCase(HostTestCase):
    """Opens the dialog and finds places in it from the layout in twips."""

    twips_per_pixel = 15.0   # 96 dots per inch

    def open_dialog(self, folder):
        host = self.host(folder, "/c", title=TITLE)
        host.wait_window()
        self.find_dialog()
        return host

    def find_dialog(self):
        """Waits until the dialog shows and takes its client area's place."""
        info = wait_until(lambda: self.visible_dialog(), 10, "the dialog shown")
        left, top, right, bottom = map(int, info["outer"].split())
        width, height = map(int, info["client"].split())
        border = (right - left - width) // 2
        self.origin = (left + border, bottom - border - height)
        self.info = info

    def visible_dialog(self):
        info = self.session.window(TITLE, 0)
        return info if info and info["visible"] == "1" else None

    def at(self, twips):
        return (self.origin[0] + int(twips[0] / self.twips_per_pixel),
                self.origin[1] + int(twips[1] / self.twips_per_pixel))

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

    def assertWritten(self, folder, kind, repeat, music=b""):
        # NOTE: Wine's profile writer drops the blank after '='; Windows keeps it.
        expected = harness.settings_file_bytes(kind, repeat, music)
        written = wait_until(lambda: self.settings_bytes(folder), 10, "the settings file")
        self.assertIn(written, (expected, expected.replace(b"= ", b"=")))

    def press_ok_until_closed(self):
        self.click(self.at(OK_BUTTON))
        wait_until(lambda: self.session.window(TITLE, 0) is None, 10, "the dialog's end")


class Dialog(DialogTestCase):

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
        self.choose_music_file(media["mp3"])
        self.click(self.at(OK_BUTTON))
        wait_until(lambda: self.session.window(TITLE, 0) is None, 10, "the dialog's end")
        self.assertWritten(folder, 2, 0, windows_path(media["mp3"]).encode())

    def test_hover_shows_the_highlight_frame_and_leaving_restores_normal(self):
        folder = self.install()
        self.open_dialog(folder)
        ring = self.at((6000 + 600, 3000 + 2 * self.twips_per_pixel + 1))   # top ring 2 of the cancel button
        normal = self.session.screenshot("before").at(*ring)
        self.session.xdotool("mousemove", *map(str, self.at(CANCEL_BUTTON)))
        lit = wait_until(lambda: self._ring_is(ring, lambda p: p[2] < p[0] - 30), 5, "the HighLight frame")
        self.assertGreater(lit[0], 230)   # warm yellow inner frame
        self.session.xdotool("mousemove", "5", "5")
        wait_until(lambda: self._ring_is(ring, lambda p: p == normal), 10, "the Normal frame again")

    def test_tab_passes_over_disabled_buttons(self):
        file_button = tuple(int(v / self.twips_per_pixel) for v in (PANEL[0] + 420, PANEL[1] + 1680))
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

    def test_buttons_carry_their_captions_for_screen_readers(self):
        folder = self.install()
        self.open_dialog(folder)
        lines = self.session.probe_lines("text", TITLE, 0)
        buttons = sorted(line[len("child="):] for line in lines if line.startswith("child=Command|"))
        self.assertEqual(buttons, sorted(["Command|設定", "Command|ｷｬﾝｾﾙ", "Command|..."]))

    def test_music_file_that_is_away_stays_chosen_and_ok_keeps_it(self):
        folder = self.install()
        away = "Z:\\no-such-stick\\Music\\away.mp3"
        self.write_settings(folder, 2, repeat=0, music=away)
        self.open_dialog(folder)
        shot = self.session.screenshot("away")
        marked = shot.at(*self.on_panel((420 + 90, 1440 + 90)))   # the box of choice 2
        self.assertGreater(marked[2], marked[0] + 60)
        self.press_ok_until_closed()
        self.assertWritten(folder, 2, 0, away.encode())

    def test_save_that_cannot_write_is_told_and_the_dialog_stays(self):
        # NOTE: a folder where the file should be is refused under Wine; a
        # read-only file is not when the tests run as root.
        folder = self.install()
        ini = os.path.join(folder, "Sorvelin.ini")
        os.makedirs(ini)
        self.open_dialog(folder)
        self.click(self.on_panel(CHOICE_LABEL[1]))
        self.click(self.at(OK_BUTTON))

        wait_until(lambda: self.session.window(MESSAGE_CAPTION, 0), 10, "the save failure message")
        message = "\n".join(self.session.probe_lines("text", MESSAGE_CAPTION, 0))
        self.assertIn("保存できませんでした", message)
        self.assertIn(windows_path(ini), message)
        self.assertIsNotNone(self.session.window(TITLE, 0), "the dialog stays open")
        self.assertTrue(os.path.isdir(ini))

        # Once the file can be written, OK saves and closes as usual.
        self.session.post(MESSAGE_CAPTION, 0x10)
        wait_until(lambda: self.session.window(MESSAGE_CAPTION, 0) is None, 10, "the message's end")
        os.rmdir(ini)
        self.press_ok_until_closed()
        self.assertWritten(folder, 1, 0)

    def test_unreadable_settings_file_is_told_once_and_ok_asks_before_replacing_it(self):
        folder = self.install()
        self.write_settings(folder, 2, repeat=4, music="C:\\Music\\song.mp3")
        stored = self.settings_bytes(folder)
        lock = self.session.launch(harness.PROBE, "SettingsLock",
                                   args=("lock", windows_path(os.path.join(folder, "Sorvelin.ini")), "SettingsLock"))
        lock.wait_window()
        self.open_dialog(folder)
        self.assertIn("読めませんでした", self.message_text())
        self.dismiss_message()
        self.session.post("SettingsLock", 0x10)   # the other program lets go
        lock.wait_exit()
        self.click(self.at(OK_BUTTON))
        self.assertIn("置き換えますか", self.message_text())
        self.dismiss_message(answer=7)   # IDNO
        wait_until(lambda: self.session.window(TITLE, 0) is None, 10, "the dialog's end")
        self.assertEqual(self.settings_bytes(folder), stored)

    def test_host_in_a_user_folder_outside_the_code_page_opens_and_stores_a_music_file_that_plays(self):
        # Code page 1252 here: Ł has only a best-fit look-alike, L.
        user = os.path.join(self.session.scratch_folder("users"), "Łukasz")
        folder = os.path.join(user, "Sorvelin")
        os.makedirs(folder)
        for program in (harness.HOST, harness.RENDERER):
            shutil.copy(program, folder)
        media = harness.make_test_media(os.path.join(user, "Music"))

        # Started by its long path, as the Start-menu entry starts it.
        self.start_by_long_path(folder, "/c")
        self.find_dialog()
        self.choose_music_file(media["mp3"])
        self.press_ok_until_closed()
        self.assertNotIn(b"Lukasz", wait_until(lambda: self.settings_bytes(folder), 10, "the settings file"))

        before = self.session.audio.audible_seconds()
        self.start_by_long_path(folder, "/s")
        self.assertIsNotNone(self.session.window(harness.RENDERER_TITLE, 20000), "the show started")
        wait_until(lambda: self.session.audio.audible_seconds() > before + 0.1, 20, "the chosen music")
        self.assertTrue(self.session.press_until_gone(harness.RENDERER_TITLE, "Escape"))

    def start_by_long_path(self, folder, arguments):
        """Wine hands the program its path in Unicode, as a shortcut does."""
        started = subprocess.Popen(["wine", windows_path(os.path.join(folder, "Sorvelin.scr")), arguments],
                                   env=self.session.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(started.wait, CALL_TIMEOUT)
        return started

    def message_text(self):
        wait_until(lambda: self.session.window(MESSAGE_CAPTION, 0), 15, "the dialog's message")
        return "\n".join(self.session.probe_lines("text", MESSAGE_CAPTION, 0))

    def dismiss_message(self, answer=None):
        # WM_COMMAND with the button's id, or WM_CLOSE
        self.session.post(MESSAGE_CAPTION, *((0x111, answer) if answer else (0x10,)))
        wait_until(lambda: self.session.window(MESSAGE_CAPTION, 0) is None, 10, "the message's end")

    def choose_music_file(self, path):
        """The file choice, then the file typed into the chooser and taken."""
        self.click(self.on_panel(CHOICE_LABEL[2]))
        self.click(self.on_panel(FILE_BUTTON))
        wait_until(lambda: self.session.window(CHOOSER, 0), 15, "the file chooser")
        self.type_into_chooser(windows_path(path))
        self.session.xdotool("key", "Return")
        wait_until(lambda: self.session.window(CHOOSER, 0) is None, 15, "the chooser's end")

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


class DialogAtHigherDpi(DialogTestCase):
    """The dialog opened on displays of 120, 144 and 192 dots per inch, in one
    prefix of its own so the other tests keep 96: each DPI is set in the
    registry and takes effect when Wine starts again."""

    @classmethod
    def setUpClass(cls):
        cls.prefix_folder = tempfile.mkdtemp(prefix="sorvelin-dpi-")
        prefix = os.path.join(cls.prefix_folder, "prefix")
        harness.make_prefix(prefix)
        cls.session = WineSession(*cls.display_size, prefix=prefix)

    @classmethod
    def tearDownClass(cls):
        super().tearDownClass()
        shutil.rmtree(cls.prefix_folder, ignore_errors=True)

    def set_dpi(self, dpi):
        for key in ("HKCU\\Control Panel\\Desktop",
                    "HKLM\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"):
            subprocess.run(["wine", "reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"],
                           env=self.session.env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           timeout=CALL_TIMEOUT)
        self.session.end_wine()
        self.twips_per_pixel = 1440.0 / dpi

    def children(self):
        """Class and place (left, top, right, bottom in the parent's client area) of each child."""
        found = []
        for line in self.session.probe_lines("children", TITLE):
            if line.startswith("child="):
                fields = line[len("child="):].split("|")
                found.append((fields[0], tuple(map(int, fields[3].split()))))
        return found

    def test_layout_follows_the_display_in_whole_rounded_pixels(self):
        folder = self.install()
        self.write_settings(folder, 1, repeat=4)
        for dpi in (120, 144, 192):
            with self.subTest(dpi=dpi):
                self.set_dpi(dpi)
                self.open_dialog(folder)
                self.check_layout(dpi)
                self.session.post(TITLE, 0x10)
                wait_until(lambda: self.session.window(TITLE, 0) is None, 10, "the dialog's end")

    def check_layout(self, dpi):
        def px(twips):   # twips at this DPI, rounded
            return (twips * dpi + 720) // 1440

        def place(left, top, width, height):
            return (px(left), px(top), px(left) + px(width), px(top) + px(height))

        client = (px(7425), px(3690))   # 619 x 308, 743 x 369, 990 x 492
        self.assertEqual(self.info["client"], "%d %d" % client)
        children = self.children()
        places = {at for _, at in children}
        panel = place(180, 240, 7035, 2475)   # Pic_C
        cmd_file = place(420, 1680, 615, 375)   # on the panel
        for expected in (panel, place(4740, 3000, 1215, 375), place(6000, 3000, 1215, 375), cmd_file):
            self.assertIn(expected, places)
        # Every control lies inside its container: the panel's client (less its
        # one-pixel border) or the form's client.
        panel_client = (panel[2] - panel[0] - 2, panel[3] - panel[1] - 2)
        for kind, (left, top, right, bottom) in children:
            on_panel = kind == "ComboBox" or (kind == "Command" and top == cmd_file[1])
            width, height = panel_client if on_panel else client
            if kind in ("Command", "ComboBox", "Velmorani_P_Panel"):
                self.assertTrue(0 <= left < right <= width and 0 <= top < bottom <= height, (kind, left, top))

        shot = self.session.screenshot("dpi%d" % dpi)
        # The marked box of choice 1 is scaled to 180 twips: its blue reaches three quarters in.
        box = shot.at(*self.on_panel((420 + 135, 840 + 135)))
        self.assertGreater(box[2], box[0] + 60)
        # Captions and labels at 9.75 point are scaled and whole: the caption
        # 設定 keeps clear of the button's frame.
        ok_left, ok_top = self.at((4740, 3000))
        top, bottom = ok_top + px(45), ok_top + px(375) - px(45)
        ink_rows = [y for y in range(top, bottom)
                    if any(sum(shot.at(x, y)) < 200 for x in range(ok_left + px(120), ok_left + px(1095)))]
        self.assertGreaterEqual(len(ink_rows), 8 * dpi // 96, "the caption 設定 is drawn whole")
        self.assertGreater(min(ink_rows), top)
        self.assertLess(max(ink_rows), bottom - 1)
        label_left, label_top = self.on_panel((660, 1440))
        ink_columns = [x for x in range(label_left, label_left + px(1500))
                       if any(sum(shot.at(x, y)) < 200 for y in range(label_top, label_top + px(200)))]
        self.assertGreater(max(ink_columns) - min(ink_columns), 47 * dpi // 96, "MP3、WAV at %d dpi" % dpi)


if __name__ == "__main__":
    harness.main()
