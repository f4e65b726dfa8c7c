"""The Linux program's frame rate and processor use on a 1024 x 768 Xvfb.

Prints the frames per second of `sorvelin -delay 0` (as fast as it can)
beside the native benchmark's figure for the same core's own draw path on an
offscreen context, then the frame rate and the processor share at the
default delay, which is what an idle machine pays while the saver runs.
Run after scripts/build.sh:  python3 bench/linux_frame_rate.py [seconds]
"""

import os
import re
import statistics
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "x11"))
import x11_env  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS   # utime + stime


def run_show(display, seconds, *args):
    """Frame rates printed by -fps after the first, and the processor share over the same span."""
    program = display.start("-fps", *args)
    rates = []
    reader = threading.Thread(target=lambda: [rates.append(float(m.group(1))) for line in program.stderr
                                              for m in [re.search(r"([0-9.]+) frames/s", line)] if m],
                              daemon=True)
    reader.start()
    x11_env.wait_until(lambda: rates, 30, "the first frame-rate line")
    start_cpu, start = cpu_seconds(program.pid), time.monotonic()
    time.sleep(seconds)   # a measuring span, not a wait for something to happen
    share = (cpu_seconds(program.pid) - start_cpu) / (time.monotonic() - start)
    program.terminate()
    program.wait(10)
    return rates[1:] or rates, share


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 12
    display = x11_env.VirtualDisplay(1024, 768)
    try:
        fastest, fast_share = run_show(display, seconds, "-delay", "0")
        paced, paced_share = run_show(display, seconds)
    finally:
        display.stop()
    native = os.path.join(x11_env.ROOT, "build", "native", "bench", "frame_rate_bench")
    product = subprocess.run([native, "600"], stdout=subprocess.PIPE, text=True, timeout=600).stdout
    own = next(line for line in product.splitlines() if re.match(r"(?!literal|empty|drawFrame|ratio)\w+ +[0-9.]+ frames/s", line))

    print("sorvelin on Xvfb 1024 x 768 (GLX, Mesa), %g s each:" % seconds)
    print("  -delay 0:        %7.1f frames/s (median of %d figures)   processor %4.0f %%"
          % (statistics.median(fastest), len(fastest), fast_share * 100))
    print("  default delay:   %7.1f frames/s (median of %d figures)   processor %4.0f %%"
          % (statistics.median(paced), len(paced), paced_share * 100))
    print("native benchmark, the same core's own path on an offscreen context:")
    print("  " + own.strip())


if __name__ == "__main__":
    main()
