"""A long show with MP3 music under Wine: the host's and the renderer's memory,
handle and GUI object counts at the start and at the end, which must not grow.

Run after scripts/build.sh:  python3 bench/show_soak.py [minutes]
"""

import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "wine"))
import harness  # noqa: E402

KEY_KIND = b"BGM\x8b\xe6\x95\xaa"
KEY_REPEAT = b"BGM\xd8\xcb\xdf\xb0\xc4"
KEY_FILE = b"BGM\xcc\xa7\xb2\xd9"
FIELDS = ("handles", "working_set_kb", "private_kb", "gdi", "user")


def usage(session, pid):
    values = session.probe("usage", pid)
    return {field: int(values[field]) for field in FIELDS}


def show(label, sample):
    print("  %-9s " % label + "  ".join("%s=%d" % (field, sample[field]) for field in FIELDS))


def main():
    minutes = float(sys.argv[1]) if len(sys.argv) > 1 else 3.0
    work = tempfile.mkdtemp(prefix="sorvelin-soak-")
    folder = os.path.join(work, "Sorvelin")
    os.makedirs(folder)
    shutil.copy(os.path.join(harness.DIST, "Sorvelin.scr"), folder)
    shutil.copy(harness.RENDERER, folder)
    media = harness.make_test_media(os.path.join(work, "media"))   # a one-second MP3, restarted all along
    with open(os.path.join(folder, "Sorvelin.ini"), "wb") as ini:
        ini.write(b"[Section]\r\n" + KEY_KIND + b"= 2\r\n" + KEY_REPEAT + b"= 0\r\n" + KEY_FILE + b"=" +
                  harness.windows_path(media["mp3"]).encode() + b"\r\n")

    session = harness.WineSession(1024, 768, 16)
    try:
        launched = session.launch(os.path.join(folder, "Sorvelin.scr"), "Velmorani_VC", args=("/s",))
        launched.wait_window()
        host_pid = launched.value("pid")
        renderer_pid = session.window("Velmorani_VC")["pid"]
        harness.wait_until(lambda: session.audio.audible_seconds() > 2, 20, "the music")

        start = {"host": usage(session, host_pid), "renderer": usage(session, renderer_pid)}
        began = time.monotonic()
        while time.monotonic() - began < minutes * 60:
            time.sleep(5)
            if session.window("Velmorani_Main", 0) is None:
                raise SystemExit("the show ended early")
        end = {"host": usage(session, host_pid), "renderer": usage(session, renderer_pid)}
        heard = session.audio.audible_seconds()

        session.press_until_gone("Velmorani_VC", "Escape")
        harness.wait_until(lambda: session.window("Velmorani_Main", 0) is None, 10, "the host's end")
    finally:
        session.close()
        shutil.rmtree(work, ignore_errors=True)

    print("Show of %.1f minutes with a one-second MP3 restarted every second (%.0f s of sound heard):"
          % (minutes, heard))
    for program in ("host", "renderer"):
        print(program)
        show("start", start[program])
        show("end", end[program])


if __name__ == "__main__":
    main()
