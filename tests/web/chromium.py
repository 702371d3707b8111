"""Debian's headless Chromium, driven through chromedriver attached to it by
address, with input and screenshots through the DevTools protocol."""

import base64

from selenium import webdriver
from selenium.webdriver.chromium.remote_connection import ChromiumRemoteConnection

import browser_process

BUTTONS = ["left", "middle", "right"]
BUTTON_BITS = [1, 4, 2]
# The DevTools protocol's key events: key, code, Windows key code, text.
NAMED_KEYS = {"Tab": ("Tab", "Tab", 9, ""), "space": (" ", "Space", 32, " "), "Escape": ("Escape", "Escape", 27, "")}


class Chromium:
    name = "chromium"
    # What its driver can produce beyond mouse and keys.
    can = {"touch", "touch-scroll", "pen", "phone", "no-webgl", "installable"}

    def __init__(self, profile, webgl=True, dpr=1):
        # Chromium, with its DevTools on a port of its own choosing, and
        # chromedriver, attached to it by address: neither may rely on the
        # name "localhost", which a bare system with no /etc/hosts cannot
        # resolve. Software WebGL; no network but 127.0.0.1 (loopback is
        # never sent to a proxy, and the proxy is a port nobody serves); no
        # updates, no first-run pages, a profile of its own; as root, no
        # sandbox. The device pixel ratio is set per page, by emulation.
        self.chromium = self.chromedriver = self.driver = None
        try:
            flags = ["--headless=new", "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "--no-sandbox",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--no-first-run", "--no-default-browser-check", "--user-data-dir=" + profile,
                     "--proxy-server=127.0.0.1:%d" % browser_process.free_port(), "--window-size=1000,800",
                     "--force-device-scale-factor=1", "--remote-debugging-address=127.0.0.1",
                     "--remote-debugging-port=0"]
            if not webgl:
                flags.append("--disable-webgl")
            self.chromium = browser_process.start(["/usr/bin/chromium"] + flags + ["about:blank"])
            devtools = browser_process.wait_for(lambda: read_first_line(profile + "/DevToolsActivePort"),
                                                "Chromium's DevTools port", process=self.chromium)
            port = browser_process.free_port()
            self.chromedriver = browser_process.start(["/usr/bin/chromedriver", "--port=%d" % port])
            browser_process.wait_for(lambda: browser_process.connectable(port), "chromedriver on port %d" % port,
                                     process=self.chromedriver)
            options = webdriver.ChromeOptions()
            options.debugger_address = "127.0.0.1:" + devtools
            options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
            self.driver = webdriver.Remote(ChromiumRemoteConnection("http://127.0.0.1:%d" % port, "goog", "chrome"),
                                           options=options)
            self.driver.set_script_timeout(60)
            self.driver.set_page_load_timeout(60)
        except BaseException:
            self.close()
            raise
        self.buttons = 0
        self.fingers = {}

    def close(self):
        if self.driver is not None:
            try:
                self.driver.quit()
            except Exception:
                pass  # its browser goes below all the same
        browser_process.stop(self.chromedriver)
        browser_process.stop(self.chromium)

    def cdp(self, command, **params):
        return self.driver.execute("executeCdpCommand", {"cmd": command, "params": params})["value"]

    def view(self, width, height, dpr, phone, touch):
        # As a phone: a mobile viewport (the page's own width, no zooming
        # out to a desktop layout) with a touch screen.
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=dpr,
                 mobile=phone)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=touch or phone, maxTouchPoints=5)

    def navigate(self, url):
        self.driver.get(url)
        self.buttons = 0
        self.fingers = {}

    def evaluate(self, expression):
        return self.driver.execute_script("return " + expression)

    def screenshot(self, box):
        left, top, width, height = box
        png = self.cdp("Page.captureScreenshot", format="png",
                       clip={"x": left, "y": top, "width": width, "height": height, "scale": 1})
        return base64.b64decode(png["data"]), None

    def pointer(self, kind, action, x, y, button, finger):
        if kind == "touch":
            return self.touch(action, x, y, finger)
        params = {"x": x, "y": y, "modifiers": 0, "pointerType": kind}
        if action == "move":
            params["type"] = "mouseMoved"
            params["button"] = "left" if self.buttons & 1 else "none"
        else:
            params["type"] = "mousePressed" if action == "down" else "mouseReleased"
            params["button"] = BUTTONS[button]
            params["clickCount"] = 1
            if action == "down":
                self.buttons |= BUTTON_BITS[button]
            else:
                self.buttons &= ~BUTTON_BITS[button]
        params["buttons"] = self.buttons
        self.cdp("Input.dispatchMouseEvent", **params)

    def pointer_path(self, kind, points):
        # Each event waits for the page to take it, so none are merged.
        self.pointer(kind, "down", *points[0], 0, 0)
        for x, y in points[1:]:
            self.pointer(kind, "move", x, y, 0, 0)
        self.pointer(kind, "up", *points[-1], 0, 0)

    def touch(self, action, x, y, finger):
        # A start or a move lists every finger on the screen, and Chromium
        # tells from the one before which went down or moved; an end lists
        # the fingers lifted.
        point = {"x": x, "y": y, "id": finger}
        if action == "up":
            self.fingers.pop(finger, None)
            self.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[point])
            return
        self.fingers[finger] = point
        self.cdp("Input.dispatchTouchEvent", type="touchStart" if action == "down" else "touchMove",
                 touchPoints=[p for _, p in sorted(self.fingers.items())])

    def key(self, name, shift):
        if name in NAMED_KEYS:
            key, code, vk, text = NAMED_KEYS[name]
        else:
            key, code, vk, text = name, "Key" + name.upper(), ord(name.upper()), name
        modifiers = 8 if shift else 0
        down = {"type": "keyDown", "key": key, "code": code, "windowsVirtualKeyCode": vk, "modifiers": modifiers}
        if text:
            down["text"] = text
        self.cdp("Input.dispatchKeyEvent", **down)
        self.cdp("Input.dispatchKeyEvent", type="keyUp", key=key, code=code, windowsVirtualKeyCode=vk,
                 modifiers=modifiers)

    def errors(self):
        # An exception nothing caught comes as a message that says so.
        return [("uncaught: " if "Uncaught" in e["message"] else "console: ") + e["message"]
                for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]

    def installability_errors(self):
        return self.cdp("Page.getInstallabilityErrors")["installabilityErrors"]

    def heap(self):
        self.cdp("HeapProfiler.collectGarbage")
        return self.cdp("Runtime.getHeapUsage")["usedSize"]


def read_first_line(path):
    try:
        with open(path) as f:
            return f.readline().strip()
    except OSError:
        return ""
