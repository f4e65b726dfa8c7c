"""The host program under Wine: start-up checks, the show and the preview."""

import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import (DIALOG_TITLE, MESSAGE_CAPTION, MISSING_RENDERER,  # noqa: E402
                     RENDERER_TITLE, SHOW_TITLE, WM_CLOSE, HostTestCase, wait_until, windows_path)

class StartUp(HostTestCase):

    def test_missing_renderer_is_reported_for_show_settings_and_other_letters(self):
        folder = self.install(with_renderer=False)
        for arguments in ("/s", "/c", "/a"):
            with self.subTest(arguments=arguments):
                launched = self.host(folder, arguments, title=MESSAGE_CAPTION)
                launched.wait_window()
                self.assertIn(MISSING_RENDERER, self.session.texts(MESSAGE_CAPTION))
                self.session.post(MESSAGE_CAPTION, WM_CLOSE)
                self.assertEqual(launched.wait_exit(), 0)
                self.assertIsNone(self.session.window(SHOW_TITLE, 0))

    def test_unknown_letter_with_the_renderer_present_ends_silently(self):
        folder = self.install()
        launched = self.host(folder, "/a", title=MESSAGE_CAPTION, wait_ms=3000)
        self.assertEqual(launched.wait_exit(), 0)
        self.assertEqual(launched.value("window_ms"), "none")

    def test_a_second_copy_ends_at_once_beside_a_show_or_a_dialog(self):
        folder = self.install()
        for marker in (SHOW_TITLE, DIALOG_TITLE):
            with self.subTest(marker=marker):
                other = self.session.launch(harness.PROBE, marker, args=("blank", marker))
                other.wait_window()
                launched = self.host(folder, "/s", title=RENDERER_TITLE, wait_ms=3000)
                self.assertEqual(launched.wait_exit(), 0)
                self.assertEqual(launched.value("window_ms"), "none")
                self.session.post(marker, WM_CLOSE)
                other.wait_exit()

    def test_development_folder_is_made_and_an_existing_one_is_left_alone(self):
        folder = self.install()
        made = self.session.drive_c("Quonrade")
        shutil.rmtree(made, ignore_errors=True)
        self.assertEqual(self.host(folder, "/a", title=MESSAGE_CAPTION, wait_ms=0).wait_exit(), 0)
        self.assertTrue(os.path.isdir(made))

        keep = os.path.join(made, "keep.txt")
        with open(keep, "w") as note:
            note.write("kept")
        self.assertEqual(self.host(folder, "/a", title=MESSAGE_CAPTION, wait_ms=0).wait_exit(), 0)
        with open(keep) as note:
            self.assertEqual(note.read(), "kept")


class Show(HostTestCase):

    def start_show(self, folder, arguments="/s"):
        launched = self.host(folder, arguments, title=RENDERER_TITLE)
        launched.wait_window()
        self.assertIsNotNone(self.session.window(SHOW_TITLE, 2000))
        return launched

    def end_show(self):
        """Escape in the renderer; the host follows (bench/show_end.py times it)."""
        self.assertTrue(self.session.press_until_gone(RENDERER_TITLE, "Escape"))
        wait_until(lambda: self.session.window(SHOW_TITLE, 0) is None, 20, "the host's end")

    def test_mp3_plays_restarts_and_stops_with_the_show(self):
        media = harness.make_test_media(self.session.scratch_folder("media"))
        folder = self.install()
        self.write_settings(folder, 2, music=windows_path(media["mp3"]))
        before = self.session.audio.audible_seconds()

        self.start_show(folder)   # bench/show_start.py times the music's start
        wait_until(lambda: self.session.audio.audible_seconds() > before + 0.1, 20, "the music")
        # A one-second tone heard for well over a second was started again.
        wait_until(lambda: self.session.audio.audible_seconds() > before + 1.6, 20, "the MP3 restarted")

        self.end_show()
        ended = self.session.audio.audible_seconds()
        self.assertRaises(AssertionError, wait_until,
                          lambda: self.session.audio.audible_seconds() > ended + 0.05, 1.5, "more sound")

    def test_wav_loops_past_its_length_and_stops_at_the_end(self):
        media = harness.make_test_media(self.session.scratch_folder("media"))
        folder = self.install()
        self.write_settings(folder, 2, music=windows_path(media["wav"]))
        before = self.session.audio.audible_seconds()
        self.start_show(folder)
        wait_until(lambda: self.session.audio.audible_seconds() > before + 1.2, 20, "the WAV looping")
        self.end_show()
        ended = self.session.audio.audible_seconds()
        self.assertRaises(AssertionError, wait_until,
                          lambda: self.session.audio.audible_seconds() > ended + 0.05, 1.5, "more sound")

    def test_cd_without_a_drive_runs_silently_and_ends_normally(self):
        folder = self.install()
        self.write_settings(folder, 1, repeat=3)
        launched = self.start_show(folder)
        self.end_show()
        self.assertEqual(launched.wait_exit(), 0)

    def test_close_request_to_the_show_ends_the_host_and_leaves_the_renderer(self):
        folder = self.install()
        self.start_show(folder, "")   # the empty command line is a show too
        self.session.post(SHOW_TITLE, WM_CLOSE)
        wait_until(lambda: self.session.window(SHOW_TITLE, 0) is None, 5, "the host's end")
        self.assertIsNotNone(self.session.window(RENDERER_TITLE, 0))
        self.session.post(RENDERER_TITLE, WM_CLOSE)

    def test_second_show_ends_at_once_and_starts_no_second_renderer(self):
        folder = self.install()
        first = self.start_show(folder)
        renderer_pid = self.session.window(RENDERER_TITLE)["pid"]
        second = self.host(folder, "/s", title="no such window", wait_ms=0)
        self.assertEqual(second.wait_exit(), 0)
        self.assertEqual(self.session.window(RENDERER_TITLE)["pid"], renderer_pid)
        self.end_show()

    def test_renderer_slow_to_show_its_window_keeps_its_host(self):
        folder = self.install(with_renderer=False)
        # The stand-in renderer waits longer than any fixed allowance a host might give, then shows a window.
        shutil.copy(harness.PROBE, os.path.join(folder, "Sorvelin.dll"))
        plain_env = self.session.env
        self.session.env = dict(plain_env, SORVELIN_SLOW_RENDERER_MS="7000")
        try:
            host = self.host(folder, "/s", title=RENDERER_TITLE, wait_ms=30000)
        finally:
            self.session.env = plain_env
        host.wait_window(timeout=40)
        self.assertIsNotNone(self.session.window(SHOW_TITLE, 0), "the host waited for the window")
        self.session.post(RENDERER_TITLE, WM_CLOSE)
        self.assertEqual(host.wait_exit(), 0)

    def test_renderer_that_cannot_be_started_ends_the_show(self):
        folder = self.install(with_renderer=False)
        with open(os.path.join(folder, "Sorvelin.dll"), "w") as not_a_program:
            not_a_program.write("not a program")   # there to be read, not to be run
        host = self.host(folder, "/s", title=SHOW_TITLE)
        host.wait_window()
        self.assertEqual(host.wait_exit(), 0)

    def test_host_in_a_folder_with_spaces_starts_its_own_renderer(self):
        folder = self.install(folder_name="Program Files/Sorvelin Saver")
        decoy = os.path.join(os.path.dirname(os.path.dirname(folder)), "Program.exe")
        shutil.copy(harness.PROBE, decoy)   # what a split command line would run
        launched = self.start_show(folder)
        self.assertEqual(self.session.window(RENDERER_TITLE)["class"], "OpenGL")
        self.end_show()
        self.assertEqual(launched.wait_exit(), 0)


class ShowOnAVirtualDesktop(HostTestCase):
    """A desktop of 1280 x 1024 that grants the show's 1024 x 768 x 16: the
    host must leave it at its own size however the renderer ended."""

    display_size = (1280, 1024, 24)

    def start_show_in_desktop(self):
        self.desktop = harness.VirtualDesktop(self.session, "SorvelinDesktop", 1280, 1024)
        host = self.desktop.launch(os.path.join(self.install(), "Sorvelin.scr"), RENDERER_TITLE, args=("/s",))
        host.wait_window(timeout=60)
        wait_until(lambda: self.desktop.size() == (1024, 768), 20, "the switch to 1024 x 768")
        return host

    def assertDesktopAtItsSize(self):
        self.assertEqual(self.desktop.size(), (1280, 1024))
        self.assertEqual(self.desktop.probe("display").get("width"), "1280")

    def test_killed_renderer_ends_the_host_and_the_desktop_is_back_at_its_size(self):
        host = self.start_show_in_desktop()
        self.assertIn("killed", self.desktop.probe("kill", RENDERER_TITLE))
        self.assertEqual(host.wait_exit(), 0)
        self.assertDesktopAtItsSize()

    def test_escape_ends_the_show_with_the_desktop_at_its_size(self):
        host = self.start_show_in_desktop()
        self.assertTrue(self.desktop.press_until_gone(RENDERER_TITLE, "Escape"), "the renderer outlived Escape")
        self.assertEqual(host.wait_exit(), 0)
        self.assertDesktopAtItsSize()


class Preview(HostTestCase):
    AREA = "Preview Area"

    def make_area(self, width, height):
        area = self.session.launch(harness.PROBE, self.AREA, args=("blank", self.AREA, width, height))
        area.wait_window()
        return area, self.children()["hwnd"]

    def children(self):
        result = {"hwnd": None, "children": []}
        lines = self.session.probe_lines("children", self.AREA)
        for line in lines:
            key, _, value = line.partition("=")
            if key == "hwnd":
                result["hwnd"] = value
            elif key == "child":
                class_name, title, style, rect, pid = value.split("|")
                result["children"].append({"class": class_name, "title": title, "style": int(style, 16),
                                           "rect": rect, "pid": pid})
        return result

    def preview_form(self, rect=None):
        forms = [c for c in self.children()["children"]
                 if c["class"] == "Velmorani_R" and rect in (None, c["rect"])]
        return forms[0] if forms else None

    def test_both_handle_forms_give_the_area_and_its_end_ends_the_host(self):
        folder = self.install(with_renderer=False)   # a preview never needs the renderer
        for separator, size in ((" ", (152, 112)), (":", (300, 200))):
            with self.subTest(separator=separator):
                area, handle = self.make_area(*size)
                host = self.host(folder, "/p" + separator + handle, title="no such window", wait_ms=0)
                # The form joins the area before it is given the area's size.
                placed = "0 0 %d %d" % size
                form = wait_until(lambda: self.preview_form(placed), 10, "the preview form filling the area")
                self.assertEqual(form["title"], "Preview Window")
                self.assertTrue(form["style"] & 0x40000000)   # WS_CHILD

                self.session.post(self.AREA, WM_CLOSE)
                area.wait_exit()
                self.assertEqual(host.wait_exit(timeout=5), 0)

    def test_preview_beside_a_running_show_ends_at_once(self):
        folder = self.install()
        marker = self.session.launch(harness.PROBE, SHOW_TITLE, args=("blank", SHOW_TITLE))
        marker.wait_window()
        area, handle = self.make_area(152, 112)
        host = self.host(folder, "/p " + handle, title="no such window", wait_ms=0)
        self.assertEqual(host.wait_exit(), 0)
        self.assertIsNone(self.preview_form())


if __name__ == "__main__":
    harness.main()
