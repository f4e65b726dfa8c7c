"""What the Wine tests and the Linux program's tests share: X servers on free
display numbers and deadline polls. Every wait has a deadline; nothing
sleeps and hopes."""

import os
import subprocess
import time


def wait_until(predicate, timeout, what, interval=0.05):
    """Polls predicate until it gives a true value or the deadline passes."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def free_display_number():
    """A display number no server holds now, or None."""
    return next((n for n in range(90, 300) if not os.path.exists("/tmp/.X%d-lock" % n) and
                 not os.path.exists("/tmp/.X11-unix/X%d" % n)), None)


def start_x_server(command, what):
    """Starts an X server on a free display number; command(name) gives its
    command line. Another test run may take the same free number at the same
    moment: then that server ends at once and the next number is tried."""
    for attempt in range(5):
        number = free_display_number()
        if number is None:
            break
        name = ":%d" % number
        process = subprocess.Popen(command(name), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        socket = "/tmp/.X11-unix/X%d" % number
        wait_until(lambda: os.path.exists(socket) or process.poll() is not None, 30, "%s %s" % (what, name))
        if process.poll() is None:
            return name, process
    raise RuntimeError("%s did not start" % what)


class XServer:
    """What every display of the tests has: a name and a server to end."""

    name = None
    process = None

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
