"""dist/sorvelin run by the real screensaver daemon (Debian's xscreensaver)
on Xvfb. The daemon refuses to start programs as root, so it runs as a plain
user with a private HOME whose settings list only Sorvelin."""

import os
import shutil
import subprocess
import tempfile
import unittest

from x11_env import CALL_TIMEOUT, PROGRAM, VirtualDisplay, wait_until

USER = "sorvelin-saver"
SETTINGS = ("mode: one\nselected: 0\nsplash: False\nfade: False\nunfade: False\nlock: False\n"
            "timeout: 1:00:00\ndpmsEnabled: False\nprograms: \"Sorvelin\" %s -root \\n\n")


@unittest.skipUnless(os.geteuid() == 0, "needs root to make the daemon's plain user")
class Daemon(unittest.TestCase):
    def setUp(self):
        if subprocess.run(["id", "-u", USER], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode:
            subprocess.run(["useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", USER],
                           check=True, timeout=CALL_TIMEOUT)
        # A copy the user can reach wherever the checkout lies.
        scratch = tempfile.mkdtemp(prefix="sorvelin-daemon-")
        self.addCleanup(shutil.rmtree, scratch, True)
        os.chmod(scratch, 0o755)
        self.program = shutil.copy(PROGRAM, scratch)
        home = os.path.join(scratch, "home")
        os.mkdir(home)
        with open(os.path.join(home, ".xscreensaver"), "w") as settings:
            settings.write(SETTINGS % self.program)
        for path in (home, settings.name):
            shutil.chown(path, USER)

        self.display = VirtualDisplay(640, 480)
        self.addCleanup(self.display.stop)
        self.display.run("xhost", "+local:")
        self.as_user = ["runuser", "-u", USER, "--", "env", "DISPLAY=" + self.display.name, "HOME=" + home]
        daemon = subprocess.Popen(self.as_user + ["xscreensaver", "--no-splash"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: daemon.poll() is None and daemon.kill())
        self.addCleanup(lambda: self.command("-exit") and daemon.wait(10))

    def command(self, *args):
        return subprocess.run(self.as_user + ["xscreensaver-command"] + list(args), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=CALL_TIMEOUT).returncode == 0

    def saver_pid(self):
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                if os.readlink("/proc/%s/exe" % pid) == self.program:
                    return int(pid)
            except OSError:
                pass   # gone meanwhile, or a zombie
        return None

    def test_activate_starts_sorvelin_in_the_daemons_window_and_deactivate_ends_it(self):
        wait_until(lambda: self.command("-activate"), 30, "the daemon to take -activate", interval=0.2)
        pid = wait_until(self.saver_pid, 30, "sorvelin started by the daemon")
        with open("/proc/%d/environ" % pid, "rb") as environ:
            self.assertIn(b"XSCREENSAVER_WINDOW=0x", environ.read())
        self.display.sun_at(320, 240)
        self.assertTrue(self.command("-deactivate"))
        wait_until(lambda: self.saver_pid() is None, 20, "sorvelin's end after -deactivate")


if __name__ == "__main__":
    unittest.main()
