"""WebKitGTK, Safari's engine, through WebKitWebDriver, which starts
MiniBrowser on the X display and speaks classic W3C WebDriver over HTTP.

What it cannot be made to do: its touch actions arrive as a mouse
(pointerType "mouse", no touch events), so nothing here claims touch; its
pen is a mouse that says "pen", whose events stop altogether once the page
cancels the pointerdown (as a page that takes pens does), so nothing here
claims a pen either; it
has no per-page device pixel ratio, so a ratio is GDK's scale, given to the
browser as it starts; it has no log of console messages, so the page
driver's server puts a recorder of errors into each page it serves
(ERROR_RECORDER); its screenshots of an element with WebGL are black, so a
window's shot is cut out of a shot of the viewport (the crop it returns)."""

import base64
import glob
import json
import os
import urllib.error
import urllib.request

import browser_process
import webdriver_actions

# Where WebKitGTK's library package puts MiniBrowser: Debian, Arch, Fedora.
MINIBROWSERS = ["/usr/lib/*/webkit2gtk-4.1/MiniBrowser", "/usr/lib/webkit2gtk-4.1/MiniBrowser",
                "/usr/libexec/webkit2gtk-4.1/MiniBrowser"]
WAIT_SECONDS = 60

# Loaded first by every page served to WebKit: uncaught errors, unhandled
# rejections and console.error, kept for the driver to read.
ERROR_RECORDER = """
window.__pageErrors = [];
addEventListener('error', e => __pageErrors.push('uncaught: ' + (e.message || 'error')));
addEventListener('unhandledrejection', e => __pageErrors.push('uncaught: a rejection: ' + e.reason));
(function() {
  const error = console.error;
  console.error = function(...words) { __pageErrors.push('console: ' + words.join(' ')); error.apply(this, words); };
})();
"""


class WebKit:
    name = "webkit"
    can = set()
    error_recorder = ERROR_RECORDER

    def __init__(self, profile, webgl=True, dpr=1):
        port = browser_process.free_port()
        # A home of its own for what MiniBrowser and its web processes keep.
        env = dict(os.environ, HOME=profile, XDG_CACHE_HOME=profile + "/cache", XDG_DATA_HOME=profile + "/data",
                   XDG_CONFIG_HOME=profile + "/config", GDK_SCALE=str(int(dpr)))
        self.log = open(os.path.join(profile, "webkit.log"), "w")
        self.driver = browser_process.start(["/usr/bin/WebKitWebDriver", "--port=%d" % port], env=env,
                                            log=self.log)
        self.base = "http://127.0.0.1:%d" % port
        self.session = None
        try:
            browser_process.wait_for(lambda: browser_process.connectable(port), "WebKitWebDriver on port %d" % port,
                                     process=self.driver)
            found = [path for pattern in MINIBROWSERS for path in glob.glob(pattern)]
            if not found:
                raise RuntimeError("no MiniBrowser in " + ", ".join(MINIBROWSERS))
            options = {"binary": found[0],
                       "args": ["--automation", "--proxy=http://127.0.0.1:%d" % browser_process.free_port(),
                                "--ignore-host=127.0.0.1"]}
            capabilities = {"browserName": "MiniBrowser", "webkitgtk:browserOptions": options}
            session = self.request("POST", "/session", {"capabilities": {"alwaysMatch": capabilities}})
            self.session = "/session/" + session["sessionId"]
            self.request("POST", self.session + "/timeouts", {"script": WAIT_SECONDS * 1000,
                                                             "pageLoad": WAIT_SECONDS * 1000})
        except BaseException:
            self.close()
            raise
        self.held = {}
        self.errors_seen = []

    def close(self):
        if self.session is not None:
            try:
                self.request("DELETE", self.session, seconds=10)
            except Exception:
                pass  # the driver and its browser go below all the same
        browser_process.stop(self.driver)
        self.log.close()

    def request(self, method, path, body=None, seconds=WAIT_SECONDS):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=seconds) as response:
                return json.load(response)["value"]
        except urllib.error.HTTPError as e:
            value = json.load(e)["value"]
            raise RuntimeError("%s %s: %s: %s" % (method, path.split("/")[-1], value.get("error"),
                                                  value.get("message"))) from None
        except TimeoutError:
            raise RuntimeError("no answer within %d s from WebKitWebDriver to %s %s" % (seconds, method, path))

    def view(self, width, height, dpr, phone, touch):
        # The window is the viewport and MiniBrowser's own bar above it.
        self.request("POST", self.session + "/window/rect", {"width": width, "height": height})
        inner = json.loads(self.evaluate("Promise.resolve(JSON.stringify([innerWidth, innerHeight]))"))
        if inner != [width, height]:
            self.request("POST", self.session + "/window/rect",
                         {"width": 2 * width - inner[0], "height": 2 * height - inner[1]})

    def navigate(self, url):
        self.errors_seen += self.recorded_errors()
        self.request("POST", self.session + "/url", {"url": url})
        self.request("DELETE", self.session + "/actions")
        self.held = {}

    def evaluate(self, expression):
        return self.request("POST", self.session + "/execute/sync", {"script": "return " + expression, "args": []})

    def screenshot(self, box):
        whole = base64.b64decode(self.request("GET", self.session + "/screenshot"))
        scale = json.loads(self.evaluate("Promise.resolve(JSON.stringify(devicePixelRatio))"))
        left, top, width, height = (round(v * scale) for v in box)
        return whole, "%dx%d+%d+%d" % (width, height, left, top)

    def pointer(self, kind, action, x, y, button, finger):
        steps = webdriver_actions.pointer_steps(self.held, kind, action, int(x), int(y), button)
        self.request("POST", self.session + "/actions", {"actions": [
            {"type": "pointer", "id": kind, "parameters": {"pointerType": kind}, "actions": steps}]})

    def pointer_path(self, kind, points):
        # As in firefox.py: the whole drag one call, a motion a tick.
        steps = [{"type": "pointerMove", "x": int(x), "y": int(y), "origin": "viewport"} for x, y in points]
        steps.insert(1, {"type": "pointerDown", "button": 0})
        steps.append({"type": "pointerUp", "button": 0})
        self.held[kind] = tuple(int(v) for v in points[-1])
        self.request("POST", self.session + "/actions", {"actions": [
            {"type": "pointer", "id": kind, "parameters": {"pointerType": kind}, "actions": steps}]})

    def key(self, name, shift):
        steps = webdriver_actions.key_steps(name, shift)
        self.request("POST", self.session + "/actions", {"actions": [{"type": "key", "id": "keys", "actions": steps}]})

    def recorded_errors(self):
        return json.loads(self.evaluate("Promise.resolve(JSON.stringify(window.__pageErrors ? "
                                        "__pageErrors.splice(0) : []))"))

    def errors(self):
        seen, self.errors_seen = self.errors_seen + self.recorded_errors(), []
        return seen

    def heap(self):
        return None
