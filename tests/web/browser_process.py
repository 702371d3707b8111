"""What the three engines' drivers share: starting a browser (or its driver)
so that it and everything it starts end with the page driver, and bounded
waits that say what they wait for."""

import ctypes
import os
import signal
import socket
import subprocess
import time

PR_SET_PDEATHSIG = 1


def _own_group():
    # A process group of its own, so that the browser's children (renderers,
    # content processes, MiniBrowser under WebKitWebDriver) go with it; and
    # SIGTERM should the page driver itself be killed without cleaning up.
    os.setsid()
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


def start(command, env=None, log=None):
    return subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=log or subprocess.DEVNULL,
                            stderr=log or subprocess.DEVNULL, preexec_fn=_own_group)


def stop(process):
    """Ends the process and every process of its group."""
    if process is None:
        return
    for sig, patience in ((signal.SIGTERM, 10), (signal.SIGKILL, 5)):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            pass
        try:
            process.wait(patience)
        except subprocess.TimeoutExpired:
            continue
        # The leader is gone; what it left in its group goes too.
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        return


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def connectable(port):
    try:
        socket.create_connection(("127.0.0.1", port), timeout=1).close()
        return True
    except OSError:
        return False


def wait_for(ready, what, seconds=30, process=None):
    """The first true value of ready(), polled for at most `seconds`; fails
    early should `process` end meanwhile."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = ready()
        if value:
            return value
        if process is not None and process.poll() is not None:
            raise RuntimeError("%s: the program ended with status %d" % (what, process.returncode))
        time.sleep(0.1)
    raise RuntimeError("%s: not there within %d s" % (what, seconds))
