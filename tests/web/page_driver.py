#!/usr/bin/python3
"""Serves a built page from 127.0.0.1 and drives it in one browser engine
with real input, for tests/web/web_check.sh and bench/web_bench.sh, which
send it one command a line on standard input and read one answer a line:
"ok [result]" or "error ...". Windows are numbered as GLUT numbers them (1
the main window, 2 the panel) and x, y are the window's own pixels, as the
program sees them, whatever the canvas's size on the page; W "page" stands
for the viewport, in CSS pixels.

  open [OPTION ...] [ARG ...]  load index.html with the arguments as its
                               command line; options: dpr=N, size=WxH (the
                               viewport), phone (390 x 844, mobile, touch),
                               touch (a touch screen), no-webgl, page=FILE
  windows                      the page's title, then each canvas's title,
                               accessible name, size and place on the page
  canvas W                     the canvas's buffer size and its box on the page
  down|up W X Y [BUTTON]       a mouse button (0 left, 1 middle, 2 right)
  move W X Y                   the mouse to there, its buttons as they are
  click W X Y                  left button down and up
  touch down|move|up W X Y [FINGER]   a finger (0 the first) on the screen
  tap W X Y                    a finger down and up
  drag mouse|touch|pen W X Y TO STEP   down at (X, Y), motions along the row
                               to TO, STEP pixels apart (the last one cut
                               short), up where the last one went
  keys KEY ...                 keys to what has the keyboard: a character,
                               Tab, shift+Tab, space or Escape
  button KEY                   a click on the page's button for the key
  buttons                      each button's text, title, accessible name
                               (aria-label) and size in CSS pixels
  focused                      what has the keyboard: its tag and its id or text
  shot W FILE                  the canvas as shown, at device resolution;
                               FILE's extension gives its format (.ppm, .png)
  panel-hash FILE [BLOCK]      FNV-1a of a panel shot's grey levels, rows from
                               the bottom, after checking that each BLOCK x
                               BLOCK square is one colour and taking one pixel
                               of each
  glui-step EVENTS             one step of tests/glui_pictures.h on the panel
  frame-rate SECONDS           animation frames the page draws a second
  key-frames                   the page's animation frame at each key press
                               since the last look
  until-frame N                once the page has drawn its animation frame N
  lose W, restore W            the canvas's WebGL context lost, given back
  layout                       viewport size, scroll position, document size,
                               once what came before has been drawn
  scroll-to X Y                the page scrolled to there
  spot-off-canvases            a point of the viewport clear of the canvases
                               and controls, the page scrolled so that a finger
                               can go 150 pixels up from it and the page on
  element SELECTOR             whether the element is there, shown, its text
  memory                       the WebAssembly memory's size, the JS heap's
  ratio N                      the open page's device pixel ratio changed to N,
                               as a zoom or another screen changes it
  network on|off               the page's server answering, or answering
                               nothing, as if the network were gone
  worker                       once a service worker controls the page
  installability               what stops the browser installing the page as
                               an app (Chromium's own list)
  console                      errors since the last look, each "uncaught: ..."
                               (an exception nothing caught) or "console: ..."
  engine                       the engine's name, then what its driver can
                               produce beyond mouse and keys
  quit

Usage: page_driver.py chromium|firefox|webkit PAGE_DIR
"""

import functools
import http.server
import json
import math
import signal
import subprocess
import sys
import tempfile
import threading
import time

# The engines' modules beside this one leave no compiled copies in the
# source tree.
sys.dont_write_bytecode = True
from chromium import Chromium  # noqa: E402
from firefox import Firefox  # noqa: E402
from webkit import WebKit  # noqa: E402

ENGINES = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}
# The sizes the program gives its windows. Neither the canvas's buffer
# (its CSS size times the device pixel ratio) nor its CSS size (which the
# page may scale down to a narrow screen) tells them.
WINDOW_SIZES = {1: (600, 600), 2: (159, 105)}
VIEWPORT = (1000, 800)
PHONE = (390, 844, 3)
RECORDER_PATH = "/.page-driver/errors.js"
# What open waits for once the browser has navigated: the page's two
# windows and their first frames drawn, or its word that it has no WebGL.
WAIT_FOR_WINDOWS = """
            const end = performance.now() + 10000;
            return new Promise(done => {
              const frames = (n, what) => n == 0 ? done(what) : requestAnimationFrame(() => frames(n - 1, what));
              const wait = () => {
                if (window.driverLeftThisPage) done('the page before');
                else if (document.getElementById('webgl-missing')) frames(3, 'no webgl');
                else if (document.querySelectorAll('canvas').length >= 2) frames(3, 'windows');
                else if (performance.now() > end) done('');
                else setTimeout(wait, 20);
              };
              wait();
            });"""

COMMANDS = set("open windows canvas down up move click touch tap drag keys button buttons focused shot panel-hash glui-step frame-rate "
               "key-frames until-frame lose restore layout scroll-to spot-off-canvases element memory ratio network worker "
               "installability console engine".split())

# Installed in each page once it has loaded: an animation frame count, and
# the count at each key press, so that a turn's degrees can be told.
FRAME_COUNTER = """
window.__frames = 0;
window.__keyFrames = [];
(function count() { ++__frames; requestAnimationFrame(count); })();
document.addEventListener('keydown', () => __keyFrames.push(__frames), true);
"""


class Page:
    def __init__(self, engine, directory):
        self.engine_class = ENGINES[engine]
        recorder = getattr(self.engine_class, "error_recorder", None)
        handler = functools.partial(PageHandler, recorder, directory=directory)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.server.offline = False
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.browser = None
        self.launch = None
        self.profile = None

    def close(self):
        self.stop_engine()
        self.server.shutdown()

    def stop_engine(self):
        if self.browser is not None:
            self.browser.close()
            self.browser = None
        if self.profile is not None:
            self.profile.cleanup()
            self.profile = None

    def start_engine(self, launch):
        # Each start is a browser of its own with a fresh profile.
        self.stop_engine()
        self.profile = tempfile.TemporaryDirectory(prefix="page-driver-")
        self.browser = self.engine_class(self.profile.name, **launch)
        self.launch = launch

    def capable(self, what):
        if what not in self.engine_class.can:
            raise RuntimeError("%s's driver cannot produce %s" % (self.engine_class.name, what))

    def run(self, body, *args):
        """Runs a function body in the page, with the arguments as
        `arguments`; its result, or a promise's, comes back through JSON."""
        expression = "Promise.resolve((function() { %s }).apply(null, %s)).then(v => JSON.stringify(v ?? null))" % (
            body, json.dumps(args))
        return json.loads(self.browser.evaluate(expression))

    def open(self, *words):
        options = {"dpr": "1", "size": "%dx%d" % VIEWPORT, "page": "index.html"}
        args = []
        for word in words:
            name, _, value = word.partition("=")
            if name in ("phone", "touch", "no-webgl"):
                options[name] = True
            elif name in ("dpr", "size", "page") and value:
                options[name] = value
            else:
                args.append(word)
        dpr = float(options["dpr"])
        width, height = (int(v) for v in options["size"].split("x"))
        if "phone" in options:
            self.capable("phone")
            width, height, dpr = PHONE
        if "touch" in options:
            self.capable("touch")
        if "no-webgl" in options:
            self.capable("no-webgl")
        # WebKit's ratio is the scale it starts with; WebGL is off only
        # in a browser started without it.
        launch = {"webgl": "no-webgl" not in options, "dpr": dpr if self.engine_class is WebKit else 1}
        if self.browser is None or launch != self.launch:
            self.start_engine(launch)
        self.viewed = (width, height, "phone" in options, "touch" in options)
        self.browser.view(width, height, dpr, *self.viewed[2:])
        query = "?args=" + "+".join(args) if args else ""
        # Marked, so that what follows never reads the page before this one,
        # whenever a driver's navigation comes back.
        self.run("window.driverLeftThisPage = true;")
        self.browser.navigate("http://127.0.0.1:%d/%s%s" % (self.server.server_port, options["page"], query))
        # Both windows and their first frames drawn, or the page's word that
        # it has no WebGL; asked again while the page before is still there.
        for _ in range(50):  # five seconds at most for the navigation to leave it
            shown = self.run(WAIT_FOR_WINDOWS)
            if shown != "the page before":
                break
            time.sleep(0.1)
        if shown == "the page before":
            raise RuntimeError("the browser stayed on the page before for 5 s after its navigation came back")
        if not shown:
            raise RuntimeError("the page showed neither its two canvases nor #webgl-missing within 10 s")
        self.run(FRAME_COUNTER)
        return ""

    def canvas(self, window):
        return json.dumps(self.run("""
            const c = document.getElementById('glut-window-' + arguments[0]);
            if (!c) return null;
            const r = c.getBoundingClientRect();
            return [c.width, c.height, r.left, r.top, r.width, r.height];""", int(window)))

    def box(self, window):
        found = json.loads(self.canvas(window))
        if found is None:
            raise RuntimeError("the page has no canvas glut-window-%s" % window)
        return found[2:]

    def at(self, window, x, y):
        """Where the pixel (x, y) of a window lies in the viewport: its
        middle, at whole CSS pixels, as two engines of three round them."""
        if window == "page":
            return float(x), float(y)
        left, top, width, height = self.box(window)
        side_x, side_y = WINDOW_SIZES[int(window)]
        return (math.floor(left + (int(x) + 0.5) * width / side_x),
                math.floor(top + (int(y) + 0.5) * height / side_y))

    def pointer(self, kind, action, window, x, y, button=0, finger=0):
        px, py = self.at(window, x, y)
        self.browser.pointer(kind, action, px, py, int(button), int(finger))
        return ""

    def down(self, window, x, y, button=0):
        return self.pointer("mouse", "down", window, x, y, button)

    def up(self, window, x, y, button=0):
        return self.pointer("mouse", "up", window, x, y, button)

    def move(self, window, x, y):
        return self.pointer("mouse", "move", window, x, y)

    def click(self, window, x, y):
        self.down(window, x, y)
        return self.up(window, x, y)

    def touch(self, action, window, x, y, finger=0):
        self.capable("touch")
        return self.pointer("touch", action, window, x, y, 0, finger)

    def tap(self, window, x, y):
        self.touch("down", window, x, y)
        return self.touch("up", window, x, y)

    def drag(self, kind, window, x, y, to, step):
        if kind != "mouse":
            self.capable(kind)
        x, y, to, step = int(x), int(y), int(to), int(step)
        if step <= 0:
            raise RuntimeError("a step of %d pixels never arrives" % step)
        row = [x]
        while row[-1] != to:
            row.append(min(row[-1] + step, to) if row[-1] < to else max(row[-1] - step, to))
        self.browser.pointer_path(kind, [self.at(window, column, y) for column in row])
        return ""

    def keys(self, *names):
        for name in names:
            shift = name.startswith("shift+")
            self.browser.key(name[6:] if shift else name, shift)
        return ""

    def button(self, key):
        spot = self.run("""
            const b = [...document.querySelectorAll('button')].find(b => b.textContent.trim() === arguments[0]);
            if (!b) return null;
            b.scrollIntoView({block: 'center'});
            const r = b.getBoundingClientRect();
            return [r.left + r.width / 2, r.top + r.height / 2];""", key)
        if spot is None:
            raise RuntimeError("the page has no button '%s'" % key)
        self.browser.pointer("mouse", "down", math.floor(spot[0]), math.floor(spot[1]), 0, 0)
        self.browser.pointer("mouse", "up", math.floor(spot[0]), math.floor(spot[1]), 0, 0)
        return ""

    def buttons(self):
        return json.dumps(self.run("""
            return [...document.querySelectorAll('button')].map(b => {
              const r = b.getBoundingClientRect();
              return [b.textContent.trim(), b.title, b.getAttribute('aria-label'), Math.round(r.width), Math.round(r.height)];
            });"""))

    def focused(self):
        return json.dumps(self.run("""
            const e = document.activeElement;
            return e && e !== document.body ? [e.tagName.toLowerCase(), e.id || e.textContent.trim()] : null;"""))

    def settle(self):
        # Two animation frames: the one that handles what came before, and
        # the one after it, whose paint shows it.
        self.run("return new Promise(done => requestAnimationFrame(() => requestAnimationFrame(done)));")

    def shot(self, window, path):
        self.settle()
        png, crop = self.browser.screenshot(self.box(window))
        if path.endswith(".png") and crop is None:
            with open(path, "wb") as f:
                f.write(png)
            return ""
        cut = ["-crop", crop, "+repage"] if crop else []
        subprocess.run(["convert", "png:-"] + cut + ["-alpha", "off", "-depth", "8", path], input=png, check=True)
        return ""

    def panel_hash(self, path, block=1):
        width, height, rgb = read_picture(path)
        block = int(block)
        if width % block or height % block:
            raise RuntimeError("%d x %d pixels are no whole %d x %d blocks" % (width, height, block, block))
        for y in range(height):
            for x in range(width):
                corner = ((y - y % block) * width + x - x % block) * 3
                if rgb[corner:corner + 3] != rgb[(y * width + x) * 3:(y * width + x) * 3 + 3]:
                    raise RuntimeError("pixel (%d, %d) is not the colour of its %d x %d block" % (x, y, block, block))
        h = 2166136261
        for y in reversed(range(0, height, block)):
            for x in range(0, width, block):
                h = ((h ^ rgb[(y * width + x) * 3]) * 16777619) & 0xFFFFFFFF
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
        canvases = self.run("""
            return [...document.querySelectorAll('canvas')].map(c => {
              const box = c.getBoundingClientRect();
              return [c.title, c.getAttribute('aria-label'), ...[box.width, box.height, box.left, box.top].map(Math.round)];
            });""")
        return json.dumps([self.run("return document.title;")] + canvases)

    def frame_rate(self, seconds):
        frames = self.run("""
            const end = performance.now() + arguments[0] * 1000;
            return new Promise(done => {
              let frames = 0;
              const count = () => { ++frames; performance.now() < end ? requestAnimationFrame(count) : done(frames); };
              requestAnimationFrame(count);
            });""", float(seconds))
        return "%.1f" % (frames / float(seconds))

    def key_frames(self):
        return " ".join(str(n) for n in self.run("return __keyFrames.splice(0);"))

    def until_frame(self, frame):
        reached = self.run("""
            const end = performance.now() + 20000;
            return new Promise(done => {
              const wait = () => __frames >= arguments[0] ? done(true)
                : performance.now() > end ? done(false) : requestAnimationFrame(wait);
              wait();
            });""", int(frame))
        if not reached:
            raise RuntimeError("the page did not draw its frame %s within 20 s" % frame)
        return ""

    def lose(self, window):
        # A lost context gives no extensions, so the one that restores it is
        # kept from before.
        problem = self.run("""
            const c = document.getElementById('glut-window-' + arguments[0]);
            const gl = c && c.getContext('webgl');
            const e = gl && gl.getExtension('WEBGL_lose_context');
            if (!e) return 'canvas ' + arguments[0] + ' has no WebGL context that can be lost';
            (window.__losers = window.__losers || {})[arguments[0]] = e;
            e.loseContext();
            return '';""", window)
        if problem:
            raise RuntimeError(problem)
        return ""

    def restore(self, window):
        if not self.run("""
            const e = (window.__losers || {})[arguments[0]];
            if (e) e.restoreContext();
            return !!e;""", window):
            raise RuntimeError("canvas %s's context was not lost here" % window)
        return ""

    def layout(self):
        # A finger's scroll is the compositor's, and reaches the page's
        # scroll position a frame or two later.
        self.settle()
        return json.dumps(self.run("""
            const d = document.documentElement;
            return [innerWidth, innerHeight, scrollX, scrollY, d.scrollWidth, d.scrollHeight];"""))

    def scroll_to(self, x, y):
        self.run("scrollTo(arguments[0], arguments[1]);", float(x), float(y))
        return ""

    def spot_off_canvases(self):
        # Chromium moves a finger's touch onto a nearby element that
        # listens for it, so the spot keeps clear of every canvas and
        # control by more than that reach. The page is scrolled to where the
        # spot has 150 pixels of room above it and the page room to scroll
        # on down; scroll bars are no part of the viewport here.
        spot = self.run("""
            const clear = 24, room = 160, d = document.documentElement;
            const width = d.clientWidth, height = d.clientHeight, most = d.scrollHeight - height;
            const boxes = [...document.querySelectorAll('canvas, button, input, a, select, textarea, label')]
              .map(e => e.getBoundingClientRect()).map(b => [b.left + scrollX, b.top + scrollY, b.right + scrollX,
                                                             b.bottom + scrollY]);
            for (let y = room; y < d.scrollHeight - 10; y += 10) {
              const scroll = Math.max(0, y - height + 10);
              if (scroll > most - 20 || y - scroll < room) continue;
              for (let x = 10; x < width - 10; x += 10)
                if (boxes.every(([l, t, r, b]) => x < l - clear || x > r + clear || y < t - clear || y > b + clear)) {
                  scrollTo(0, scroll);
                  return [x, y - scroll];
                }
            }
            return null;""")
        if spot is None:
            raise RuntimeError("no spot of the page lies 24 CSS pixels clear of the canvases and controls, "
                               "with room to scroll on")
        return "%d %d" % tuple(spot)

    def element(self, selector):
        return json.dumps(self.run("""
            const e = document.querySelector(arguments[0]);
            if (!e) return null;
            const r = e.getBoundingClientRect(), style = getComputedStyle(e);
            const shown = r.width > 0 && r.height > 0 && style.visibility !== 'hidden' &&
              (!e.checkVisibility || e.checkVisibility({opacityProperty: true, visibilityProperty: true}));
            return {shown: shown, text: e.textContent.trim()};""", selector))

    def memory(self):
        wasm = self.run("""
            let m = window.wasmMemory;
            if (!(m instanceof WebAssembly.Memory))
              m = Object.getOwnPropertyNames(window).map(k => { try { return window[k]; } catch (e) {} })
                    .find(v => v instanceof WebAssembly.Memory);
            return m ? m.buffer.byteLength : null;""")
        return json.dumps({"wasm": wasm, "heap": self.browser.heap()})

    def ratio(self, dpr):
        self.capable("ratio-change")
        width, height, phone, touch = self.viewed
        self.browser.view(width, height, float(dpr), phone, touch)
        self.settle()
        return ""

    def network(self, state):
        self.server.offline = state == "off"
        return ""

    def worker(self):
        controlled = self.run("""
            if (!('serviceWorker' in navigator)) return false;
            const end = performance.now() + 20000;
            return new Promise(done => {
              const wait = () => navigator.serviceWorker.controller ? done(true)
                : performance.now() > end ? done(false) : setTimeout(wait, 50);
              wait();
            });""")
        if not controlled:
            raise RuntimeError("no service worker took control of the page within 20 s")
        return ""

    def installability(self):
        self.capable("installable")
        return json.dumps(self.browser.installability_errors())

    def console(self):
        return json.dumps(self.browser.errors())

    def engine(self):
        return " ".join([self.engine_class.name] + sorted(self.engine_class.can))


def read_picture(path):
    """The picture at path as width, height and 8-bit RGB rows, top first."""
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, stdout=subprocess.PIPE).stdout
    magic, width, height, levels, rgb = ppm.split(maxsplit=4)
    if magic != b"P6" or levels != b"255":
        raise RuntimeError("%s did not convert to an 8-bit PPM" % path)
    return int(width), int(height), rgb


class PageHandler(http.server.SimpleHTTPRequestHandler):
    """The page's files; for an engine without a log of its own, each HTML
    page with the error recorder loaded first."""

    def __init__(self, recorder, *args, **kwargs):
        self.recorder = recorder
        super().__init__(*args, **kwargs)

    def do_GET(self):
        # Offline, the server answers nothing, as a network that is gone.
        if self.server.offline:
            return
        path = self.path.split("?")[0]
        if self.recorder and path == RECORDER_PATH:
            return self.send_bytes(self.recorder.encode(), "text/javascript")
        if self.recorder and path.endswith(".html"):
            try:
                with open(self.translate_path(path), "rb") as f:
                    html = f.read()
            except OSError:
                return self.send_error(404)
            tag = b'<script src="%s"></script>' % RECORDER_PATH.encode()
            head = html.lower().find(b"<head>")
            at = head + len(b"<head>") if head >= 0 else 0
            return self.send_bytes(html[:at] + tag + html[at:], "text/html")
        return super().do_GET()

    def send_bytes(self, body, kind):
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def main():
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    page = Page(sys.argv[1], sys.argv[2])
    try:
        for line in sys.stdin:
            words = line.split()
            if not words:
                continue
            if words[0] == "quit":
                break
            try:
                if words[0] not in COMMANDS:
                    raise RuntimeError("no such command")
                if page.browser is None and words[0] not in ("open", "engine"):
                    raise RuntimeError("no page is open")
                answer = getattr(page, words[0].replace("-", "_"))(*words[1:])
                print("ok " + answer if answer else "ok", flush=True)
            except Exception as e:  # the check says what failed and goes on or stops
                print("error %s: %s" % (words[0], str(e).splitlines()[0] if str(e) else type(e).__name__),
                      flush=True)
    finally:
        page.close()


if __name__ == "__main__":
    main()
