"""Firefox ESR on the X display (without one it has no WebGL), driven
through its own WebDriver BiDi: one WebSocket, commands answered by id,
console messages and uncaught errors as events.

What it cannot be made to do: a pen (BiDi's pointerType "pen" is not
implemented), and scrolling by touch: its touch actions reach the page as
touch and pointer events but never pan it."""

import asyncio
import base64
import concurrent.futures
import json
import os
import shutil
import threading

import websockets

import browser_process
import webdriver_actions

# A profile that starts on a blank page, asks nothing, updates nothing and
# reaches nothing but 127.0.0.1: everything else goes to a proxy on a port
# nobody serves (Firefox never sends loopback to a proxy).
PREFERENCES = {
    "app.update.disabledForTesting": True,
    "app.update.auto": False,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.page": 0,
    "browser.startup.homepage_override.mstone": "ignore",
    "browser.aboutwelcome.enabled": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "extensions.update.enabled": False,
    "browser.safebrowsing.malware.enabled": False,
    "browser.safebrowsing.phishing.enabled": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
    "network.proxy.type": 1,
    "network.proxy.http": "127.0.0.1",
    "network.proxy.ssl": "127.0.0.1",
}
WAIT_SECONDS = 60


class Firefox:
    name = "firefox"
    can = {"touch", "no-webgl", "ratio-change"}

    def __init__(self, profile, webgl=True, dpr=1):
        preferences = dict(PREFERENCES, **{"webgl.disabled": not webgl})
        proxy_port = browser_process.free_port()
        preferences["network.proxy.http_port"] = preferences["network.proxy.ssl_port"] = proxy_port
        with open(os.path.join(profile, "user.js"), "w") as f:
            for name, value in preferences.items():
                f.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))
        port = browser_process.free_port()
        env = dict(os.environ, HOME=profile, MOZ_CRASHREPORTER_DISABLE="1")
        self.log = open(os.path.join(profile, "firefox.log"), "w")
        self.firefox = browser_process.start(
            [shutil.which("firefox-esr") or "firefox", "--no-remote", "--new-instance", "--profile", profile,
             "--remote-debugging-port=%d" % port, "about:blank"], env=env, log=self.log)
        self.loop = asyncio.new_event_loop()
        threading.Thread(target=self.loop.run_forever, daemon=True).start()
        self.socket = None
        try:
            browser_process.wait_for(lambda: browser_process.connectable(port),
                                     "Firefox's WebDriver BiDi on port %d" % port, process=self.firefox)
            self.pending = {}
            self.events = []
            self.last_id = 0
            self.socket = self.wait(connect("ws://127.0.0.1:%d/session" % port),
                                    "the WebSocket of Firefox's WebDriver BiDi")
            asyncio.run_coroutine_threadsafe(self.read(), self.loop)
            self.call("session.new", capabilities={})
            self.call("session.subscribe", events=["log.entryAdded"])
            self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        except BaseException:
            self.close()
            raise
        self.held = {}

    def close(self):
        if self.socket is not None:
            try:
                self.wait(self.socket.close(), "the WebSocket to close", 5)
            except Exception:
                pass  # Firefox goes below all the same
        browser_process.stop(self.firefox)
        self.loop.call_soon_threadsafe(self.loop.stop)
        self.log.close()

    def wait(self, coroutine, what, seconds=WAIT_SECONDS):
        try:
            return asyncio.run_coroutine_threadsafe(coroutine, self.loop).result(seconds)
        except concurrent.futures.TimeoutError:
            raise RuntimeError("no answer within %d s: %s" % (seconds, what)) from None

    async def read(self):
        try:
            async for text in self.socket:
                message = json.loads(text)
                if message.get("id") in self.pending:
                    self.pending.pop(message["id"]).set_result(message)
                elif message.get("type") == "event":
                    self.events.append(message)
        finally:
            for answer in self.pending.values():
                answer.set_exception(RuntimeError("Firefox closed its WebDriver BiDi connection"))

    async def send(self, method, params):
        self.last_id += 1
        answer = self.loop.create_future()
        self.pending[self.last_id] = answer
        await self.socket.send(json.dumps({"id": self.last_id, "method": method, "params": params}))
        return await answer

    def call(self, method, **params):
        message = self.wait(self.send(method, params), "Firefox's answer to " + method)
        if message.get("type") == "error":
            raise RuntimeError("%s: %s: %s" % (method, message.get("error"), message.get("message", "")))
        return message["result"]

    def view(self, width, height, dpr, phone, touch):
        self.call("browsingContext.setViewport", context=self.context, viewport={"width": width, "height": height},
                  devicePixelRatio=dpr)

    def navigate(self, url):
        self.call("input.releaseActions", context=self.context)
        self.held = {}
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def evaluate(self, expression):
        result = self.call("script.evaluate", expression=expression, target={"context": self.context},
                           awaitPromise=True)
        if result["type"] == "exception":
            raise RuntimeError(result["exceptionDetails"]["text"])
        return result["result"]["value"]

    def screenshot(self, box):
        left, top, width, height = box
        shot = self.call("browsingContext.captureScreenshot", context=self.context,
                         clip={"type": "box", "x": left, "y": top, "width": width, "height": height})
        return base64.b64decode(shot["data"]), None

    def pointer(self, kind, action, x, y, button, finger):
        # Each finger is a pointer of its own.
        source = "finger%d" % finger if kind == "touch" else kind
        steps = webdriver_actions.pointer_steps(self.held, source, action, x, y, button)
        self.call("input.performActions", context=self.context,
                  actions=[{"type": "pointer", "id": source, "parameters": {"pointerType": kind}, "actions": steps}])

    def pointer_path(self, kind, points):
        # One action a tick: each motion is an event of its own, and the
        # whole drag one call.
        source = "finger0" if kind == "touch" else kind
        steps = [{"type": "pointerMove", "x": x, "y": y, "origin": "viewport"} for x, y in points]
        steps.insert(1, {"type": "pointerDown", "button": 0})
        steps.append({"type": "pointerUp", "button": 0})
        self.held[source] = points[-1]
        self.call("input.performActions", context=self.context,
                  actions=[{"type": "pointer", "id": source, "parameters": {"pointerType": kind}, "actions": steps}])

    def key(self, name, shift):
        steps = webdriver_actions.key_steps(name, shift)
        self.call("input.performActions", context=self.context, actions=[{"type": "key", "id": "keys",
                                                                          "actions": steps}])

    def errors(self):
        events, self.events = self.events, []
        return [("uncaught: " if e["params"]["type"] == "javascript" else "console: ") + str(e["params"].get("text"))
                for e in events if e["method"] == "log.entryAdded" and e["params"].get("level") == "error"]

    def heap(self):
        return None


async def connect(url):
    return await websockets.connect(url, max_size=None)
