"""Starts a show of the screensaver (Sorvelin.scr /s), takes screenshots under
out/ and ends it after a few seconds. With --settings it opens the settings
dialog instead (Sorvelin.scr /c), saves a screenshot and closes it unchanged."""

import argparse
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "wine"))
import harness  # noqa: E402


def x_display_works(name):
    return subprocess.run(["xdpyinfo", "-display", name], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--seconds", type=float, default=6.0, help="how long the show runs")
    parser.add_argument("--shots", type=int, default=3, help="how many screenshots to take")
    parser.add_argument("--settings", action="store_true", help="show the settings dialog instead")
    args = parser.parse_args()

    out = os.path.join(harness.ROOT, "out")
    os.makedirs(out, exist_ok=True)
    prefix = os.path.join(harness.ROOT, "build", "show-prefix")
    if not os.path.isdir(os.path.join(prefix, "drive_c")):
        print("Making a Wine prefix (once)...")
        harness.make_prefix(prefix)

    user_display = os.environ.get("DISPLAY")
    if user_display and x_display_works(user_display):
        display, virtual = user_display, None
    else:
        virtual = harness.VirtualDisplay(1024, 768, 16)
        display = virtual.name
    print("Showing on display %s" % display)

    env = harness.wine_environment(prefix, display)
    host = os.path.join(harness.DIST, "Sorvelin.scr")
    run = show_settings if args.settings else show_saver
    process = subprocess.Popen(["wine", host, "/c" if args.settings else "/s"], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        run(process, env, display, out, args)
        print("Sorvelin.scr ended with exit code %d" % process.returncode)
    finally:
        if process.poll() is None:
            process.kill()
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        if virtual:
            virtual.stop()


def find_window(env, title):
    return harness.wait_until(
        lambda: subprocess.run(["xdotool", "search", "--name", "^%s$" % title], env=env,
                               stdout=subprocess.PIPE, text=True).stdout.split(),
        30, "the window %s" % title)


def screenshot(display, out, name):
    path = os.path.join(out, name)
    subprocess.run(["import", "-display", display, "-window", "root", path], check=True)
    print("Saved %s" % path)


def show_saver(host, env, display, out, args):
    found = find_window(env, "Velmorani_VC")
    interval = args.seconds / max(args.shots, 1)
    for shot in range(args.shots):
        try:
            host.wait(interval)
            return   # the show ended early
        except subprocess.TimeoutExpired:
            pass
        screenshot(display, out, "show-%d.png" % (shot + 1))
    # Escape in the renderer ends the show; the host follows within a second.
    subprocess.run(["xdotool", "windowactivate", found[0]], env=env, stderr=subprocess.DEVNULL)
    subprocess.run(["xdotool", "key", "--window", found[0], "Escape"], env=env)
    try:
        host.wait(10)
    except subprocess.TimeoutExpired:
        subprocess.run(["wine", harness.PROBE, "post", "Velmorani_VC", "16"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        host.wait(10)


def show_settings(host, env, display, out, args):
    find_window(env, "<Sorvelin>")
    try:
        host.wait(1.0)   # the zoom-out and the first paint, for the picture's sake
        return
    except subprocess.TimeoutExpired:
        pass
    screenshot(display, out, "settings.png")
    # The close box: nothing is written.
    subprocess.run(["wine", harness.PROBE, "post", "<Sorvelin>", "16"], env=env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    host.wait(10)


if __name__ == "__main__":
    main()
