#!/usr/bin/python3
"""Serves a built page from 127.0.0.1 and drives it in Debian's headless
Chromium with real input, for tests/web/web_check.sh, which sends it one
command a line on standard input and reads one answer a line: "ok ..." or
"error ...". Windows are numbered as GLUT numbers them (1 the main window,
2 the panel); x and y are pixels of the window's canvas.

  open [ARG ...]          load index.html with the arguments as its command line
  windows                 the page's title, then each canvas's title and size
  down|up W X Y [BUTTON]  a mouse button (0 left, 1 middle, 2 right)
  move W X Y              the pointer to there, with the buttons held as they are
  click W X Y             left button down and up
  keys KEY ...            keys to the canvas that has the keyboard: a character,
                          Tab, shift+Tab or space
  shot W FILE             the canvas as the browser shows it, as a PNG
  panel-hash FILE         FNV-1a of a panel shot's grey levels, rows from the bottom
  glui-step EVENTS        one step of tests/glui_pictures.h on the panel
  frame-rate SECONDS      animation frames the page draws a second
  console                 the browser console's messages since the last look
  quit

Usage: page_driver.py PAGE_DIR
"""

import base64
import functools
import http.server
import json
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chromium.remote_connection import ChromiumRemoteConnection

KEYS = {
    "Tab": ("Tab", "Tab", 9, ""),
    "space": (" ", "Space", 32, " "),
}
BUTTONS = ["left", "middle", "right"]


class Page:
    def __init__(self, directory):
        handler = functools.partial(QuietHandler, directory=directory)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.profile = tempfile.TemporaryDirectory()
        # Chromium, started here with its DevTools on a port of its own
        # choosing, and chromedriver, attached to it by address: neither may
        # rely on the name "localhost", which a bare system with no
        # /etc/hosts cannot resolve. Software WebGL; no network, no updates,
        # no first-run pages, a profile of its own; as root, no sandbox.
        self.chromium = self.chromedriver = None
        try:
            self.start()
        except BaseException:
            self.stop_programs()
            raise

    def start(self):
        self.chromium = subprocess.Popen(
            ["/usr/bin/chromium", "--headless=new", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
             "--no-sandbox", "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--no-first-run", "--user-data-dir=" + self.profile.name, "--window-size=1000,800",
             "--force-device-scale-factor=1", "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0",
             "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        devtools = wait_for(lambda: read_first_line(self.profile.name + "/DevToolsActivePort"), "Chromium's DevTools")
        port = free_port()
        self.chromedriver = subprocess.Popen(["/usr/bin/chromedriver", "--port=%d" % port],
                                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: connectable(port), "chromedriver")
        options = webdriver.ChromeOptions()
        options.debugger_address = "127.0.0.1:" + devtools
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Remote(ChromiumRemoteConnection("http://127.0.0.1:%d" % port, "goog", "chrome"),
                                       options=options)
        self.driver.set_script_timeout(60)
        self.buttons = 0

    def stop_programs(self):
        for process in (self.chromedriver, self.chromium):
            if process is not None:
                process.terminate()
                process.wait()

    def close(self):
        self.driver.quit()
        self.stop_programs()
        self.server.shutdown()
        self.profile.cleanup()

    def cdp(self, command, **params):
        return self.driver.execute("executeCdpCommand", {"cmd": command, "params": params})["value"]

    def open(self, *args):
        query = "?args=" + "+".join(args) if args else ""
        self.driver.get("http://127.0.0.1:%d/index.html%s" % (self.server.server_port, query))
        # Both windows, and their first frames drawn.
        self.driver.execute_async_script("""
            const done = arguments[0];
            const wait = () => document.querySelectorAll('canvas').length == 2 ? frames(3) : setTimeout(wait, 20);
            const frames = n => n == 0 ? done() : requestAnimationFrame(() => frames(n - 1));
            wait();""")
        self.buttons = 0
        return ""

    def box(self, window):
        return self.driver.execute_script(
            "const r = document.getElementById('glut-window-' + arguments[0]).getBoundingClientRect();"
            "return [r.left, r.top, r.width, r.height];", int(window))

    def mouse(self, kind, window, x, y, button=None):
        left, top, _, _ = self.box(window)
        params = {"type": kind, "x": left + int(x), "y": top + int(y), "modifiers": 0}
        if button is not None:
            b = int(button)
            params["button"] = BUTTONS[b]
            params["clickCount"] = 1
            self.buttons = self.buttons | (1, 4, 2)[b] if kind == "mousePressed" else self.buttons & ~(1, 4, 2)[b]
        else:
            params["button"] = "left" if self.buttons & 1 else "none"
        params["buttons"] = self.buttons
        self.cdp("Input.dispatchMouseEvent", **params)
        return ""

    def down(self, window, x, y, button=0):
        return self.mouse("mousePressed", window, x, y, button)

    def up(self, window, x, y, button=0):
        return self.mouse("mouseReleased", window, x, y, button)

    def move(self, window, x, y):
        return self.mouse("mouseMoved", window, x, y)

    def click(self, window, x, y):
        self.down(window, x, y)
        return self.up(window, x, y)

    def keys(self, *names):
        for name in names:
            shift = name.startswith("shift+")
            name = name[6:] if shift else name
            if name in KEYS:
                key, code, vk, text = KEYS[name]
            else:
                key, code, vk, text = name, "Key" + name.upper(), ord(name.upper()), name
            down = {"type": "keyDown", "key": key, "code": code, "windowsVirtualKeyCode": vk,
                    "modifiers": 8 if shift else 0}
            if text:
                down["text"] = text
            self.cdp("Input.dispatchKeyEvent", **down)
            self.cdp("Input.dispatchKeyEvent", type="keyUp", key=key, code=code, windowsVirtualKeyCode=vk,
                     modifiers=8 if shift else 0)
        return ""

    def settle(self):
        # Two animation frames: the one that handles what came before, and
        # the one after it, whose paint shows it.
        self.driver.execute_async_script(
            "const done = arguments[0]; requestAnimationFrame(() => requestAnimationFrame(done));")

    def shot(self, window, path):
        self.settle()
        left, top, width, height = self.box(window)
        png = self.cdp("Page.captureScreenshot", format="png",
                       clip={"x": left, "y": top, "width": width, "height": height, "scale": 1})
        with open(path, "wb") as f:
            f.write(base64.b64decode(png["data"]))
        return ""

    def panel_hash(self, path):
        rgb = subprocess.run(["convert", path, "-flip", "-depth", "8", "rgb:-"], check=True,
                             stdout=subprocess.PIPE).stdout
        h = 2166136261
        for grey in rgb[::3]:
            h = ((h ^ grey) * 16777619) & 0xFFFFFFFF
        return "0x%08x" % h

    def glui_step(self, *events):
        for event in events:
            if event in ("T", "_"):
                self.keys("Tab" if event == "T" else "space")
                continue
            if event == "v":  # a page's canvas is never hidden and shown again
                continue
            x, y = event[1:].split(",")[:2]
            {"d": self.down, "u": self.up, "m": self.move}[event[0]](2, x, y)
        return ""

    def windows(self):
        canvases = self.driver.execute_script(
            "return [...document.querySelectorAll('canvas')].map(c => "
            "[c.title, c.width, c.height, Math.round(c.getBoundingClientRect().left),"
            " Math.round(c.getBoundingClientRect().top)]);")
        return json.dumps([self.driver.title] + canvases)

    def frame_rate(self, seconds):
        frames = self.driver.execute_async_script("""
            const end = performance.now() + arguments[0] * 1000, done = arguments[1];
            let frames = 0;
            const count = () => { ++frames; performance.now() < end ? requestAnimationFrame(count) : done(frames); };
            requestAnimationFrame(count);""", float(seconds))
        return "%.1f" % (frames / float(seconds))

    def console(self):
        return json.dumps([e["level"] + " " + e["message"] for e in self.driver.get_log("browser")])


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


def read_first_line(path):
    try:
        with open(path) as f:
            return f.readline().strip()
    except OSError:
        return ""


def wait_for(ready, what):
    for _ in range(200):  # twenty seconds at most for a program to start
        value = ready()
        if value:
            return value
        time.sleep(0.1)
    raise RuntimeError(what + " did not start")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def main():
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    page = Page(sys.argv[1])
    try:
        for line in sys.stdin:
            words = line.split()
            if not words:
                continue
            if words[0] == "quit":
                break
            try:
                answer = getattr(page, words[0].replace("-", "_"))(*words[1:])
                print("ok " + answer if answer else "ok", flush=True)
            except Exception as e:  # the check says what failed and stops
                print("error %s: %s" % (words[0], str(e).splitlines()[0] if str(e) else type(e).__name__),
                      flush=True)
    finally:
        page.close()


if __name__ == "__main__":
    main()
