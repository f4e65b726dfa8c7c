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

FIELDS = ("working_set_kb", "handles", "gdi", "user", "unix_rss_kb", "unix_fds", "unix_threads")


def unix_process(program):
    """The Unix process Wine runs a Windows program in, found by its command line."""
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as cmdline:
                words = cmdline.read()
            # The probe that started the host names it on its own command line.
            if program.encode() in words and b"probe" not in words:
                return entry
        except OSError:
            continue
    return None


def unix_usage(program):
    pid = unix_process(program)
    status = {}
    with open("/proc/%s/status" % pid) as lines:
        for line in lines:
            key, _, value = line.partition(":")
            status[key] = value.split()[0] if value.split() else "0"
    return {"unix_rss_kb": int(status["VmRSS"]), "unix_fds": len(os.listdir("/proc/%s/fd" % pid)),
            "unix_threads": int(status["Threads"])}


def usage(session, pid, program):
    # NOTE: Wine reports no handle or GUI object counts for other processes
    # (they read 0), so the Unix process's resident memory, open files and
    # threads are printed beside them.
    values = session.probe("usage", pid)
    sample = {field: int(values[field]) for field in ("working_set_kb", "handles", "gdi", "user")}
    sample.update(unix_usage(program))
    return sample


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
        ini.write(harness.settings_file_bytes(2, 0, harness.windows_path(media["mp3"])))

    session = harness.WineSession(1024, 768, 16)
    try:
        launched = session.launch(os.path.join(folder, "Sorvelin.scr"), "Velmorani_VC", args=("/s",))
        launched.wait_window()
        host_pid = launched.value("pid")
        renderer_pid = session.window("Velmorani_VC")["pid"]
        harness.wait_until(lambda: session.audio.audible_seconds() > 2, 20, "the music")

        start = {"host": usage(session, host_pid, "Sorvelin.scr"),
                 "renderer": usage(session, renderer_pid, "Sorvelin.dll")}
        began = time.monotonic()
        while time.monotonic() - began < minutes * 60:
            time.sleep(5)
            if session.window("Velmorani_Main", 0) is None:
                raise SystemExit("the show ended early")
        end = {"host": usage(session, host_pid, "Sorvelin.scr"),
                 "renderer": usage(session, renderer_pid, "Sorvelin.dll")}
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
