"""The Debian package: built by CPack, installed with dpkg -i, removed with
dpkg -r, leaving the machine as it was. Runs as root (as CI does)."""

import os
import re
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

from x11_env import ROOT

PROGRAM = "/usr/libexec/xscreensaver/sorvelin"
DESCRIPTION = "/usr/share/xscreensaver/config/sorvelin.xml"


def run(*command, cwd=None):
    return subprocess.run(list(command), cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          timeout=600)


def package_status():
    """Empty once dpkg has forgotten the package."""
    return subprocess.run(["dpkg-query", "-W", "-f=${Status}", "sorvelin"], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True, timeout=60).stdout.strip()


def tree_listing():
    return sorted(os.path.join(folder, name) for top in ("/usr/libexec/xscreensaver", "/usr/share/xscreensaver")
                  for folder, _, names in os.walk(top) for name in names)


class DebianPackage(unittest.TestCase):
    def test_installs_the_program_and_its_description_and_removes_both(self):
        if os.geteuid() != 0:
            self.skipTest("dpkg -i needs root")
        if package_status().startswith("install"):
            self.skipTest("a sorvelin package is installed already: left as it is")
        with open(os.path.join(ROOT, "CMakeLists.txt")) as top:
            version = re.search(r"project\(Sorvelin VERSION ([0-9.]+)", top.read()).group(1)
        built = run("cpack", "-G", "DEB", cwd=os.environ["SORVELIN_NATIVE_BUILD"])
        self.assertEqual(built.returncode, 0, built.stdout)
        deb = os.path.join(os.environ.get("SORVELIN_DIST", os.path.join(ROOT, "dist")),
                           "sorvelin_%s_amd64.deb" % version)

        fields = run("dpkg-deb", "-f", deb, "Package", "Version", "Depends").stdout
        self.assertIn("Package: sorvelin\nVersion: %s\n" % version, fields)
        for library in ("libgl1", "libglu1-mesa", "libx11-6"):
            self.assertRegex(fields, r"Depends: .*\b%s\b" % library)
        with tempfile.TemporaryDirectory() as control:
            run("dpkg-deb", "-e", deb, control)
            self.assertEqual(sorted(os.listdir(control)), ["control", "md5sums"])   # no maintainer scripts

        before = tree_listing()
        self.addCleanup(lambda: package_status().startswith("install") and run("dpkg", "-r", "sorvelin"))
        installed = run("dpkg", "-i", deb)
        self.assertEqual(installed.returncode, 0, installed.stdout)
        self.assertTrue(os.access(PROGRAM, os.X_OK))
        self.assertEqual(run(PROGRAM, "--no-such-option").returncode, 2)   # its libraries are all there
        saver = ElementTree.parse(DESCRIPTION).getroot()
        self.assertEqual((saver.tag, saver.get("name"), saver.get("_label")), ("screensaver", "sorvelin", "Sorvelin"))
        self.assertEqual(saver.find("number[@id='delay']").get("arg"), "-delay %")
        self.assertEqual(saver.find("boolean").get("arg-set"), "-fps")
        self.assertIn("NASA", saver.find("_description").text)

        removed = run("dpkg", "-r", "sorvelin")
        self.assertEqual(removed.returncode, 0, removed.stdout)
        self.assertEqual(tree_listing(), before)
        self.assertFalse(os.path.exists(PROGRAM) or os.path.exists(DESCRIPTION))
        self.assertIn(package_status(), ("", "unknown ok not-installed"))


if __name__ == "__main__":
    unittest.main()
