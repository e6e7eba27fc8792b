#!/usr/bin/env python3
"""Plays the playground in headless Chromium with real mouse and key events, through the
DevTools protocol: presses B, X and L far from the camp, rides to Charles, locks on by clicking him, looks at the page in windows
of each size asked for, holds Talk with the mouse until his exchange starts and greys the
button, pauses with the mouse still down, lets go over the greyed button, goes on, waits
for his first line in the bubble, pauses and saves the scenario. Writes what the page
showed (its timeline, the bubble, the moment of the pause and of the release, what each
window size hid, what B, X and L said) as JSON.

usage: chromium_play.py URL DOWNLOAD_DIR OUT.json [--sizes WxH,...] [--picture PICTURE.png]
(with a picture, also a screenshot of the window, 1280x800, with Charles's line in the bubble)
"""
import base64
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.request

import websocket

URL, DOWNLOADS, OUT = sys.argv[1:4]
OPTIONS = dict(zip(sys.argv[4::2], sys.argv[5::2]))
PICTURE = OPTIONS.get("--picture")
SIZES = [tuple(int(n) for n in size.split("x"))
         for size in OPTIONS.get("--sizes", "").split(",") if size]
WIDTH, HEIGHT = 1280, 800  # the window played in, a laptop's
BOUND = 60  # seconds any one wait may take
FITS = open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "report",
                         "fits_check.js")).read()
TALK_CSS = '#prompt-buttons button[data-control="INPUT_CONTEXT_A"]'
TALK = json.dumps(TALK_CSS)  # as JavaScript


class Page:
    def __init__(self, ws_url):
        self.ws = websocket.create_connection(ws_url, timeout=BOUND)
        self.next_id = 0

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            reply = json.loads(self.ws.recv())
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})

    def eval(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def until(self, expression, what):
        deadline = time.monotonic() + BOUND
        while time.monotonic() < deadline:
            value = self.eval(expression)
            if value:
                return value
            time.sleep(0.05)
        raise RuntimeError(f"waited {BOUND} s for {what}")

    def mouse(self, kind, x, y, modifiers=0):
        self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                  buttons=1 if kind == "mousePressed" else 0, clickCount=1, modifiers=modifiers)

    def click(self, point, modifiers=0):
        x, y = point
        self.mouse("mouseMoved", x, y, modifiers)
        self.mouse("mousePressed", x, y, modifiers)
        self.mouse("mouseReleased", x, y, modifiers)

    def centre(self, selector):
        return self.until(
            f"(function () {{ var e = document.querySelector({json.dumps(selector)});"
            " if (!e) return null; var r = e.getBoundingClientRect();"
            " return [r.left + r.width / 2, r.top + r.height / 2]; })()", selector)

    def key(self, key, code, vk):
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                      windowsVirtualKeyCode=vk, text=key if kind == "keyDown" else "")

    def lines(self):
        return self.eval("Array.prototype.map.call(document.querySelectorAll('#timeline li'),"
                         " function (li) { return [parseInt(li.getAttribute('data-ms'), 10),"
                         " li.lastChild.textContent]; })")

    def speed_shown(self, speed):
        self.until(f"document.querySelector('[data-live-speed=\"{speed}\"]').classList"
                   ".contains('active')", f"the speed {speed}")

    def fits(self, width, height):
        """What the page hides in a window of this size, once it has drawn there."""
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=1, mobile=False)
        self.call("Runtime.evaluate", awaitPromise=True, expression=(
            "new Promise(function (done) { requestAnimationFrame(function () {"
            " requestAnimationFrame(done); }); })"))
        return self.eval(FITS)

    def map_point(self, x, y):
        """Where a place of the camp is on the screen."""
        return self.eval(
            "(function () { var v = campfireReplay.views.camp;"
            " var svg = document.querySelector('#map svg'); var p = svg.createSVGPoint();"
            f" p.x = v.X({x}); p.y = v.Y({y}); var q = p.matrixTransform(svg.getScreenCTM());"
            " return [q.x, q.y]; })()")


def main():
    profile = tempfile.mkdtemp(prefix="campfire-play-chromium-")
    browser = subprocess.Popen(
        ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
         f"--window-size={WIDTH},{HEIGHT}", "--hide-scrollbars", "--remote-debugging-port=0",
         f"--user-data-dir={profile}", "about:blank"],
        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        port = None
        deadline = time.monotonic() + BOUND
        while port is None and time.monotonic() < deadline:
            line = browser.stderr.readline()
            found = re.search(r"DevTools listening on ws://127\.0\.0\.1:(\d+)/", line)
            port = found and found.group(1)
        if port is None:
            raise RuntimeError("chromium did not say where its DevTools listen")
        targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list",
                                                   timeout=BOUND))
        page = Page(next(t for t in targets if t["type"] == "page")["webSocketDebuggerUrl"])
        page.call("Page.setDownloadBehavior", behavior="allow", downloadPath=DOWNLOADS)
        page.call("Page.navigate", url=URL)
        page.until("document.readyState === 'complete' && !!window.campfireReplay", "the page")
        page.until("document.querySelectorAll('#timeline li').length > 0", "the first lines")

        # Far from the camp on foot: B, X and L have nothing to do, and each says why.
        said = {}
        for key, vk in (("b", 66), ("x", 88), ("l", 76)):
            page.key(key, "Key" + key.upper(), vk)
            said[key] = page.until("document.getElementById('refusal').textContent",
                                   f"a line for {key}")
            page.eval("document.getElementById('refusal').textContent = ''")

        # Ride at 60x to beside Charles's home, then back to 1x to click him.
        page.click(page.centre('[data-live-speed="60"]'))
        page.click(page.map_point(-1589.9, -1434.4), modifiers=8)  # Shift: ride
        page.until("(function () { var p = document.querySelector("
                   "'#camp-live .marker[data-name=\"player\"]');"
                   " var c = document.querySelector('#camp-live .marker[data-name=\"Charles\"]');"
                   " return p && c && c.getAttribute('data-present') === '1' &&"
                   " Math.hypot(p.getAttribute('data-x') - -1589.9,"
                   " p.getAttribute('data-y') - -1434.4) < 1; })()", "the ride to Charles")
        page.click(page.centre('[data-live-speed="1"]'))
        page.speed_shown(1)
        # By Charles, the wagon stands too far off to climb aboard.
        page.key("b", "KeyB", 66)
        said["b by Charles"] = page.until("document.getElementById('refusal').textContent",
                                          "a line for b")
        page.click(page.centre('#camp-live .marker[data-name="Charles"] circle:last-child'))
        page.until("document.documentElement.getAttribute('data-target') === 'Charles'",
                   "the lock-on")

        # The page in each window size, with Charles's prompts on it; then back to a laptop's.
        page.until(f"!!document.querySelector({TALK})", "the Talk button")
        fits = {f"{w}x{h}": page.fits(w, h) for w, h in SIZES}
        page.fits(WIDTH, HEIGHT)

        # Hold Talk with the mouse until the exchange greys it; pause with the mouse still
        # down, then let go over the greyed button: the release is taken at the paused moment.
        talk = page.centre(TALK_CSS)
        page.mouse("mouseMoved", *talk)
        page.mouse("mousePressed", *talk)
        page.until(f"(function () {{ var b = document.querySelector({TALK});"
                   " return !b || b.disabled || b.getAttribute('aria-disabled') === 'true';"
                   " })()", "Talk to be confirmed")
        page.key(" ", "Space", 32)
        page.speed_shown(0)
        paused_ms = int(page.eval("document.documentElement.getAttribute('data-live-ms')"))
        page.mouse("mouseReleased", *talk)
        released = page.until(
            "(function () { var l = Array.prototype.filter.call("
            "document.querySelectorAll('#timeline li'), function (li) {"
            " return li.lastChild.textContent === '> let go of INPUT_CONTEXT_A'; });"
            " return l.length && parseInt(l[0].getAttribute('data-ms'), 10) + 1; })()",
            "the release of Talk") - 1
        page.key(" ", "Space", 32)
        page.speed_shown(1)
        bubble = page.until(
            "(function () { var b = document.querySelector('.bubble[data-name=\"Charles\"]');"
            " return b && b.style.display !== 'none' && b.getAttribute('data-text'); })()",
            "Charles's line in the bubble")
        if PICTURE:
            # The window as a person sees it: everything is to be in it, nothing scrolled.
            shot = page.call("Page.captureScreenshot", format="png")
            with open(PICTURE, "wb") as picture:
                picture.write(base64.b64decode(shot["data"]))

        # Pause with the keyboard, then save: the page shows the save's closing wait at once.
        page.key(" ", "Space", 32)
        page.speed_shown(0)
        page.click(page.centre("#save"))
        saved = os.path.join(DOWNLOADS, "playground.json")
        deadline = time.monotonic() + BOUND
        while not os.path.exists(saved) and time.monotonic() < deadline:
            time.sleep(0.05)
        if os.path.exists(saved):
            with open(saved) as f:
                waits = sum("wait" in s for s in json.load(f)["steps"])
            page.until("Array.prototype.filter.call(document.querySelectorAll('#timeline li'),"
                       " function (li) { return /^> wait /.test(li.lastChild.textContent); })"
                       f".length === {waits}", "the save's last wait on the page")
        with open(OUT, "w") as out:
            json.dump({"bubble": bubble, "lines": page.lines(), "saved": os.path.exists(saved),
                       "paused_ms": paused_ms, "released_ms": released, "fits": fits,
                       "said": said}, out)
    finally:
        browser.kill()
        browser.wait()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    main()
