"""Time from the renderer's process start to its window's creation, under Wine.

The host's first watch tick comes 500 ms after the start, and it waits for a
live renderer's first window however long it takes. This prints the renderer's figure
beside a bare window program's, which is Wine's own share.
Run after scripts/build.sh:  python3 bench/renderer_startup.py [runs]
"""

import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "wine"))
import harness  # noqa: E402


def measure(session, path, title, args=()):
    launched = session.launch(path, title, args=args)
    ms = launched.wait_window()
    session.post(title, 0x10)
    launched.wait_exit()
    return ms


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    session = harness.WineSession(1024, 768, 16)
    try:
        renderer = [measure(session, harness.RENDERER, "Velmorani_VC") for _ in range(runs)]
        # The probe started the same way, as a program that shows a bare window at once.
        blank = [measure(session, harness.PROBE, "ProbeBlank", ("blank", "ProbeBlank")) for _ in range(runs)]
    finally:
        session.close()
    print("start to window, median of %d runs (min - max):" % runs)
    print("  renderer:     %6.1f ms (%.1f - %.1f)" % (statistics.median(renderer), min(renderer), max(renderer)))
    print("  bare window:  %6.1f ms (%.1f - %.1f)" % (statistics.median(blank), min(blank), max(blank)))
    print("  renderer's own share: %6.1f ms" % (statistics.median(renderer) - statistics.median(blank)))


if __name__ == "__main__":
    main()
