"""The Setup program and its uninstaller under Wine, each test class in a
fresh prefix of its own: what a silent install leaves behind, that the
screensaver it chose starts a show, that an upgrade keeps the settings file,
what an uninstall removes and what it leaves alone, and that neither changes
anything when it cannot do the whole of its work."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import CALL_TIMEOUT, KEY_KIND, RENDERER_TITLE, SHOW_TITLE, wait_until  # noqa: E402

SETUP = os.path.join(harness.DIST, "Sorvelin-Setup.exe")
DESKTOP_KEY = "HKCU\\Control Panel\\Desktop"
UNINSTALL_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sorvelin"
PROGRAMS = ("Sorvelin.scr", "Sorvelin.dll")

# The folder a user chooses, with a blank, so its short (8.3) path differs from its long one.
CHOSEN_FOLDER = "C:\\My Screensavers\\Sorvelin"

# A settings file as a user's copy holds it, with a line the program never writes.
USER_SETTINGS = (b"[Section]\r\n" + KEY_KIND + b"= 1\r\n; kept as it is\r\n"
                 b"BGM\xd8\xcb\xdf\xb0\xc4= 3\r\nBGM\xcc\xa7\xb2\xd9=")


def project_version():
    """The version the top CMakeLists.txt declares, the one place it is kept."""
    with open(os.path.join(harness.ROOT, "CMakeLists.txt")) as cmake:
        return re.search(r"project\(Sorvelin VERSION (\d+\.\d+\.\d+)", cmake.read()).group(1)


def read_bytes(path):
    with open(path, "rb") as data:
        return data.read()


class InstallerTestCase(harness.WineTestCase):
    """A fresh prefix for the class: no earlier install can hide a fault."""

    @classmethod
    def setUpClass(cls):
        cls.prefix_home = tempfile.mkdtemp(prefix="sorvelin-installer-")
        prefix = os.path.join(cls.prefix_home, "prefix")
        harness.make_prefix(prefix)
        cls.session = harness.WineSession(*cls.display_size, prefix=prefix)

    @classmethod
    def tearDownClass(cls):
        super().tearDownClass()
        shutil.rmtree(cls.prefix_home, ignore_errors=True)

    def wine(self, *args, timeout=CALL_TIMEOUT):
        return subprocess.run(["wine"] + list(args), env=self.session.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True, timeout=timeout)

    def start_setup(self, *args):
        """Starts Setup /S from a batch file, as an administrator's script would:
        /D= takes the rest of the command line as it stands, blanks and all,
        which only a command line typed out (not one quoted per argument) gives."""
        script = os.path.join(self.session.scratch_folder("setup"), "setup.bat")
        with open(script, "w") as batch:
            batch.write('"%s" /S %s\r\nexit /b %%errorlevel%%\r\n'
                        % (harness.windows_path(SETUP), " ".join(args)))
        return subprocess.Popen(["wine", "cmd", "/c", harness.windows_path(script)], env=self.session.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run_setup(self, *args, exit_code=0):
        self.assertEqual(self.start_setup(*args).wait(CALL_TIMEOUT), exit_code, "Setup /S %s" % " ".join(args))

    def registry(self, key):
        """A key's values as {name: (type, data)}, or None when the key is missing."""
        result = self.wine("reg", "query", key)
        if result.returncode != 0:
            return None
        values = {}
        for line in result.stdout.splitlines():
            match = re.match(r"^    (\S.*?)    (REG_\w+)    ?(.*)$", line)
            if match:
                values[match.group(1)] = (match.group(2), match.group(3))
        return values

    def window_names(self, pattern):
        """The X window titles that match the pattern, read as UTF-8."""
        found = self.session.xdotool("search", "--name", pattern).stdout.split()
        return [self.session.xdotool("getwindowname", window).stdout.rstrip("\n") for window in found]

    def unix_path(self, windows_path):
        result = self.wine("winepath", "-u", windows_path)
        self.assertEqual(result.returncode, 0, windows_path)
        return result.stdout.strip()

    def local_app_data(self):
        return self.wine("cmd", "/c", "echo %LOCALAPPDATA%").stdout.strip()

    def start_menu_entry(self):
        programs = self.wine("cmd", "/c", "echo %APPDATA%").stdout.strip() + \
            "\\Microsoft\\Windows\\Start Menu\\Programs\\Sorvelin.lnk"
        return self.unix_path(programs)

    def uninstall(self, folder):
        """The silent uninstaller returns at once and works on from a copy of
        itself: wait until it has finished."""
        self.assertEqual(self.wine(folder + "\\Uninstall.exe", "/S").returncode, 0)
        unix_folder = self.unix_path(folder)
        wait_until(lambda: not any(os.path.exists(os.path.join(unix_folder, name))
                                   for name in PROGRAMS + ("Uninstall.exe",)), 60, "the uninstaller's end")
        subprocess.run(["wineserver", "-w"], env=self.session.env, timeout=60)

    def current_install(self):
        """What tells Windows and the user which copy is installed."""
        return self.registry(UNINSTALL_KEY), read_bytes(self.start_menu_entry()), self.screensaver()

    def screensaver(self):
        return self.registry(DESKTOP_KEY).get("SCRNSAVE.EXE")

    def assert_names_program_by_short_path(self, value, folder):
        """Windows keeps the screensaver by its 8.3 path: no blanks, short parts."""
        self.assertEqual(value[0], "REG_SZ")
        path = value[1]
        self.assertNotIn(" ", path)
        for part in path.split("\\")[1:]:
            name, _, extension = part.partition(".")
            self.assertLessEqual(len(name), 8, path)
            self.assertLessEqual(len(extension), 3, path)
        self.assertTrue(os.path.samefile(self.unix_path(path),
                                         self.unix_path(folder + "\\Sorvelin.scr")), path)


class SilentInstall(InstallerTestCase):

    def test_default_install_its_files_registry_start_menu_and_show(self):
        self.run_setup()
        folder = self.local_app_data() + "\\Programs\\Sorvelin"
        unix_folder = self.unix_path(folder)

        with self.subTest("programs"):
            for name in PROGRAMS:
                self.assertEqual(read_bytes(os.path.join(unix_folder, name)),
                                 read_bytes(os.path.join(harness.DIST, name)), name)
            self.assertTrue(os.path.isfile(os.path.join(unix_folder, "Uninstall.exe")))
            self.assertFalse(os.path.exists(os.path.join(unix_folder, "Sorvelin.ini")))

        with self.subTest("start menu opens the settings"):
            link = read_bytes(self.start_menu_entry())
            self.assertIn((folder + "\\Sorvelin.scr").encode("utf-16-le"), link)
            self.assertIn("/c".encode("utf-16-le"), link)

        with self.subTest("current screensaver"):
            desktop = self.registry(DESKTOP_KEY)
            self.assert_names_program_by_short_path(desktop["SCRNSAVE.EXE"], folder)
            self.assertEqual(desktop["ScreenSaveActive"], ("REG_SZ", "1"))

        with self.subTest("uninstall entry"):
            entry = self.registry(UNINSTALL_KEY)
            size_kb = sum(os.path.getsize(os.path.join(unix_folder, name))
                          for name in PROGRAMS + ("Uninstall.exe",)) // 1024
            self.assertLessEqual(abs(int(entry.pop("EstimatedSize")[1], 16) - size_kb), 3)
            self.assertEqual(entry, {
                "DisplayName": ("REG_SZ", "Sorvelin"),
                "DisplayVersion": ("REG_SZ", project_version()),
                "Publisher": ("REG_SZ", "Quonrade"),
                "DisplayIcon": ("REG_SZ", folder + "\\Sorvelin.scr,0"),
                "InstallLocation": ("REG_SZ", folder),
                "UninstallString": ("REG_SZ", '"%s\\Uninstall.exe"' % folder),
                "QuietUninstallString": ("REG_SZ", '"%s\\Uninstall.exe" /S' % folder),
                "NoModify": ("REG_DWORD", "0x1"),
                "NoRepair": ("REG_DWORD", "0x1"),
            })

        with self.subTest("the chosen screensaver starts a show"):
            show = subprocess.Popen(["wine", self.screensaver()[1], "/s"], env=self.session.env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                self.assertIsNotNone(self.session.window(RENDERER_TITLE, 20000))
                self.assertIsNotNone(self.session.window(SHOW_TITLE, 2000))
                self.assertTrue(self.session.press_until_gone(RENDERER_TITLE, "Escape"))
                self.assertEqual(show.wait(20), 0)
            finally:
                if show.poll() is None:
                    show.kill()
                    show.wait()

    def test_pages_speak_japanese_on_a_japanese_system_and_english_elsewhere(self):
        for locale, title in (("ja_JP.UTF-8", "Sorvelin セットアップ"), ("C.UTF-8", "Sorvelin Setup")):
            with self.subTest(locale=locale):
                env = dict(self.session.env, LANG=locale, LC_ALL=locale)
                setup = subprocess.Popen(["wine", harness.windows_path(SETUP)], env=env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                try:
                    # NOTE: the caption ends in a blank, so compare its beginning only.
                    wait_until(lambda: any(name.startswith(title) for name in self.window_names("Sorvelin")),
                               60, "the Setup window titled %s" % title)
                finally:
                    self.session.end_wine()
                    setup.wait(CALL_TIMEOUT)

    def test_programs_carry_the_project_version(self):
        version = (project_version() + ".0").encode("utf-16-le")
        for name in PROGRAMS:
            self.assertIn(version, read_bytes(os.path.join(harness.DIST, name)), name)


class UpgradeAndUninstall(InstallerTestCase):

    def test_chosen_folder_upgrade_keeps_settings_and_uninstall_keeps_them_too(self):
        self.run_setup("/D=" + CHOSEN_FOLDER)
        unix_folder = self.unix_path(CHOSEN_FOLDER)
        self.assertTrue(os.path.isfile(os.path.join(unix_folder, "Sorvelin.scr")))
        self.assert_names_program_by_short_path(self.screensaver(), CHOSEN_FOLDER)
        settings = os.path.join(unix_folder, "Sorvelin.ini")
        with open(settings, "wb") as ini:
            ini.write(USER_SETTINGS)

        # No /D= this time: an upgrade finds the earlier folder by itself.
        self.run_setup()
        self.assertEqual(self.registry(UNINSTALL_KEY)["InstallLocation"][1], CHOSEN_FOLDER)
        self.assertEqual(read_bytes(settings), USER_SETTINGS)

        self.uninstall(CHOSEN_FOLDER)
        self.assertIsNone(self.registry(UNINSTALL_KEY))
        self.assertIsNone(self.screensaver())
        self.assertFalse(os.path.exists(self.start_menu_entry()))
        # The user's settings stay, and with them the folder.
        self.assertEqual(read_bytes(settings), USER_SETTINGS)
        self.assertEqual(os.listdir(unix_folder), ["Sorvelin.ini"])

    def test_uninstall_leaves_a_screensaver_chosen_since_and_removes_an_empty_folder(self):
        folder = "C:\\Screensavers\\Sorvelin"
        self.run_setup("/D=" + folder)
        unix_folder = self.unix_path(folder)
        other = "C:\\windows\\system32\\other.scr"
        self.assertEqual(self.wine("reg", "add", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d", other,
                                   "/f").returncode, 0)

        self.uninstall(folder)
        self.assertEqual(self.screensaver(), ("REG_SZ", other))
        self.assertFalse(os.path.exists(unix_folder))
        self.assertFalse(os.path.exists(self.start_menu_entry()))

    def test_a_refused_install_and_an_old_copys_uninstaller_leave_the_current_install_alone(self):
        self.run_setup("/D=C:\\OldCopy")
        self.run_setup("/D=C:\\NewCopy")
        self.assertEqual(self.wine("reg", "add", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d",
                                   "C:\\windows\\system32\\other.scr", "/f").returncode, 0)
        current = self.current_install()

        # A folder whose files are refused (permissions do not stop root, so
        # it is made immutable then too), and a path a file stands in.
        read_only = self.session.drive_c("ReadOnly")
        os.makedirs(read_only, 0o555)
        if os.geteuid() == 0:
            subprocess.run(["chattr", "+i", read_only], check=True, timeout=CALL_TIMEOUT)
            self.addCleanup(subprocess.run, ["chattr", "-i", read_only], timeout=CALL_TIMEOUT)
        with open(self.session.drive_c("Blocked"), "w") as blocker:
            blocker.write("a file, not a folder")
        for folder in ("C:\\ReadOnly", "C:\\Blocked\\Sorvelin"):
            with self.subTest(folder=folder):
                self.run_setup("/D=" + folder, exit_code=2)
                self.assertEqual(self.current_install(), current)
        self.assertEqual(os.listdir(read_only), [])

        self.uninstall("C:\\OldCopy")
        self.assertEqual(self.current_install(), current)
        self.uninstall("C:\\NewCopy")

    def test_programs_in_use_hold_back_upgrade_and_uninstall_which_change_nothing(self):
        folder = "C:\\Shown\\Sorvelin"
        self.run_setup("/D=" + folder)
        unix_folder = self.unix_path(folder)
        # Made to look like an earlier version's install.
        for name in PROGRAMS:
            with open(os.path.join(unix_folder, name), "ab") as program:
                program.write(b"older")
        self.assertEqual(self.wine("reg", "add", UNINSTALL_KEY, "/v", "DisplayVersion", "/d", "0.9.0",
                                   "/f").returncode, 0)

        def state():
            uninstaller = os.stat(os.path.join(unix_folder, "Uninstall.exe"))
            return ([read_bytes(os.path.join(unix_folder, name)) for name in PROGRAMS],
                    (uninstaller.st_ino, uninstaller.st_mtime_ns), self.registry(UNINSTALL_KEY))
        older = state()

        def refused_while(what):
            # Run in place, the uninstaller's exit code is the uninstall's own.
            uninstaller = subprocess.Popen(["wine", folder + "\\Uninstall.exe", "/S", "_?=" + folder],
                                           env=self.session.env, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)
            self.run_setup(exit_code=2)
            self.assertEqual(uninstaller.wait(CALL_TIMEOUT), 2, what)
            self.assertEqual(state(), older, what)

        # A preview in the screensaver settings holds the host without a window of its own.
        area = self.session.launch(harness.PROBE, "Preview Area", args=("blank", "Preview Area"))
        area.wait_window()
        handle = [line[5:] for line in self.session.probe_lines("children", "Preview Area")
                  if line.startswith("hwnd=")][0]
        self.session.launch(os.path.join(unix_folder, "Sorvelin.scr"), "no such window", 0, ("/p", handle))
        wait_until(lambda: any("Velmorani_R" in line for line in
                               self.session.probe_lines("children", "Preview Area")), 10, "the preview")
        refused_while("a preview")
        self.session.end_wine()

        # A show: both wait a while for it, then give up.
        self.session.launch(os.path.join(unix_folder, "Sorvelin.scr"), SHOW_TITLE, args=("/s",))
        self.assertIsNotNone(self.session.window(RENDERER_TITLE, 20000))
        refused_while("a show")

        # A show that ends while Setup waits lets the upgrade go on. Setup
        # unpacks its plug-in into a new temporary folder just before it looks.
        temp = self.unix_path(self.wine("cmd", "/c", "echo %TEMP%").stdout.strip())
        before = set(os.listdir(temp))
        setup = self.start_setup()
        wait_until(lambda: any(os.path.isdir(os.path.join(temp, name)) for name in set(os.listdir(temp)) - before),
                   30, "Setup at work")
        self.assertTrue(self.session.press_until_gone(RENDERER_TITLE, "Escape"))
        self.assertEqual(setup.wait(CALL_TIMEOUT), 0)
        for name in PROGRAMS:
            self.assertEqual(read_bytes(os.path.join(unix_folder, name)),
                             read_bytes(os.path.join(harness.DIST, name)), name)
        self.assertEqual(self.registry(UNINSTALL_KEY)["DisplayVersion"][1], project_version())
        self.uninstall(folder)


if __name__ == "__main__":
    harness.main()
