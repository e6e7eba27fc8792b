#!/usr/bin/env python3
"""Plays the playground in headless Chromium with real mouse and key events, through the
DevTools protocol: rides to Charles, locks on by clicking him, holds Talk with the mouse
until his exchange starts, waits for his first line in the bubble, pauses and saves the
scenario. Writes what the page showed (its timeline and the bubble) as JSON.

usage: chromium_play.py URL DOWNLOAD_DIR OUT.json [PICTURE.png]
(with PICTURE.png, also a screenshot of the page with Charles's line in the bubble)
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
PICTURE = sys.argv[4] if len(sys.argv) > 4 else None
BOUND = 60  # seconds any one wait may take


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
         "--window-size=1500,1000", "--remote-debugging-port=0",
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
        page.until("document.querySelector('[data-live-speed=\"1\"]').classList"
                   ".contains('active')", "1x")
        page.click(page.centre('#camp-live .marker[data-name="Charles"] circle:last-child'))
        page.until("document.documentElement.getAttribute('data-target') === 'Charles'",
                   "the lock-on")

        # Hold Talk with the mouse until the exchange disables it, then let go.
        talk = page.centre('#prompt-buttons button[data-control="INPUT_CONTEXT_A"]')
        page.mouse("mouseMoved", *talk)
        page.mouse("mousePressed", *talk)
        page.until("(function () { var b = document.querySelector("
                   "'#prompt-buttons button[data-control=\"INPUT_CONTEXT_A\"]');"
                   " return !b || b.disabled; })()", "Talk to be confirmed")
        page.mouse("mouseReleased", *talk)
        bubble = page.until(
            "(function () { var b = document.querySelector('.bubble[data-name=\"Charles\"]');"
            " return b && b.style.display !== 'none' && b.getAttribute('data-text'); })()",
            "Charles's line in the bubble")
        if PICTURE:
            # The whole page, not only what the headless window shows of it.
            height = page.eval("document.documentElement.scrollHeight")
            shot = page.call("Page.captureScreenshot", format="png", captureBeyondViewport=True,
                             clip={"x": 0, "y": 0, "width": 1500, "height": height, "scale": 1})
            with open(PICTURE, "wb") as picture:
                picture.write(base64.b64decode(shot["data"]))

        # Pause with the keyboard, then save.
        for kind in ("keyDown", "keyUp"):
            page.call("Input.dispatchKeyEvent", type=kind, key=" ", code="Space",
                      windowsVirtualKeyCode=32, text=" " if kind == "keyDown" else "")
        page.until("document.querySelector('[data-live-speed=\"0\"]').classList"
                   ".contains('active')", "the pause")
        page.click(page.centre("#save"))
        saved = os.path.join(DOWNLOADS, "playground.json")
        deadline = time.monotonic() + BOUND
        while not os.path.exists(saved) and time.monotonic() < deadline:
            time.sleep(0.05)
        lines = page.eval("Array.prototype.map.call(document.querySelectorAll('#timeline li'),"
                          " function (li) { return [parseInt(li.getAttribute('data-ms'), 10),"
                          " li.lastChild.textContent]; })")
        with open(OUT, "w") as out:
            json.dump({"bubble": bubble, "lines": lines, "saved": os.path.exists(saved)}, out)
    finally:
        browser.kill()
        browser.wait()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    main()
