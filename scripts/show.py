"""Starts a show, takes screenshots under out/ and ends it after a few seconds."""

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
    show = subprocess.Popen(["wine", harness.RENDERER], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        found = harness.wait_until(
            lambda: subprocess.run(["xdotool", "search", "--name", "^Velmorani_VC$"], env=env,
                                   stdout=subprocess.PIPE, text=True).stdout.split(),
            30, "the show's window")
        interval = args.seconds / max(args.shots, 1)
        for shot in range(args.shots):
            try:
                show.wait(interval)
                break   # the show ended early
            except subprocess.TimeoutExpired:
                pass
            path = os.path.join(out, "show-%d.png" % (shot + 1))
            subprocess.run(["import", "-display", display, "-window", "root", path], check=True)
            print("Saved %s" % path)
        subprocess.run(["xdotool", "windowactivate", found[0]], env=env, stderr=subprocess.DEVNULL)
        subprocess.run(["xdotool", "key", "--window", found[0], "Escape"], env=env)
        try:
            show.wait(10)
        except subprocess.TimeoutExpired:
            subprocess.run(["wine", harness.PROBE, "post", "Velmorani_VC", "16"], env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            show.wait(10)
        print("The show ended with exit code %d" % show.returncode)
    finally:
        if show.poll() is None:
            show.kill()
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        if virtual:
            virtual.stop()


if __name__ == "__main__":
    main()
