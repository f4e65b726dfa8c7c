"""The Debian package, built by CPack: dpkg -i installs the program and its
settings description, dpkg -r leaves the machine as it was. Needs root."""

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
    return subprocess.run(list(command), cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                          timeout=600)


def status():
    """Empty once dpkg has forgotten the package."""
    return run("dpkg-query", "-W", "-f=${Status}", "sorvelin").stdout


def listing():
    return sorted(os.path.join(folder, name) for top in ("/usr/libexec/xscreensaver", "/usr/share/xscreensaver")
                  for folder, _, names in os.walk(top) for name in names)


@unittest.skipUnless(os.geteuid() == 0, "dpkg -i needs root")
class DebianPackage(unittest.TestCase):
    def test_installs_the_program_and_its_description_and_removes_both(self):
        if status().startswith("install"):
            self.skipTest("a sorvelin package is installed already: it is left as it is")
        with open(os.path.join(ROOT, "CMakeLists.txt")) as top:
            version = re.search(r"project\(Sorvelin VERSION ([0-9.]+)", top.read()).group(1)
        self.assertEqual(run("cpack", "-G", "DEB", cwd=os.environ["SORVELIN_NATIVE_BUILD"]).returncode, 0)
        deb = os.path.join(os.environ["SORVELIN_DIST"], "sorvelin_%s_amd64.deb" % version)
        fields = run("dpkg-deb", "-f", deb, "Package", "Version", "Depends").stdout
        self.assertIn("Package: sorvelin\nVersion: %s\n" % version, fields)
        self.assertRegex(fields, r"Depends: (?=.*\blibgl1\b)(?=.*\blibglu1-mesa\b)(?=.*\blibx11-6\b)")
        with tempfile.TemporaryDirectory() as control:
            run("dpkg-deb", "-e", deb, control)
            self.assertEqual(sorted(os.listdir(control)), ["control", "md5sums"])   # no maintainer scripts

        before = listing()
        self.addCleanup(lambda: status().startswith("install") and run("dpkg", "-r", "sorvelin"))
        self.assertEqual(run("dpkg", "-i", deb).returncode, 0)
        self.assertEqual(run(PROGRAM, "--no-such-option").returncode, 2)   # starts: its libraries are there
        saver = ElementTree.parse(DESCRIPTION).getroot()
        self.assertEqual((saver.tag, saver.get("name"), saver.get("_label")), ("screensaver", "sorvelin", "Sorvelin"))
        self.assertEqual(saver.find("number[@id='delay']").get("arg"), "-delay %")
        self.assertEqual(saver.find("boolean").get("arg-set"), "-fps")
        self.assertIn("NASA", saver.find("_description").text)

        self.assertEqual(run("dpkg", "-r", "sorvelin").returncode, 0)
        self.assertEqual(listing(), before)
        self.assertEqual(status(), "")


if __name__ == "__main__":
    unittest.main()
