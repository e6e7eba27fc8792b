#!/usr/bin/env python3
"""The playground under load, on loopback: campsim --play at 60x, then for a bounded time
as many live streams as the server feeds (8) and steps posted as fast as four clients can.
Prints the server's memory (VmRSS) and the game's pace (game seconds a second, frames a
second) before, during and after. A figure for docs/performance.md, not a test.

usage: bench/play_load.py [CAMPSIM] [SECONDS]
"""
import json
import re
import subprocess
import sys
import threading
import time
import urllib.request

CAMPSIM = sys.argv[1] if len(sys.argv) > 1 else "build/dev/tools/campsim/campsim"
SECONDS = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
STREAMS, POSTERS = 8, 4

server = subprocess.Popen([CAMPSIM, "--play", "--port", "0"], stdout=subprocess.PIPE, text=True)
base = re.search(r"http://[0-9.:]+", server.stdout.readline()).group(0)
stop = threading.Event()


def request(path, body=None):
    req = urllib.request.Request(base + path, data=body, headers={"Origin": base})
    with urllib.request.urlopen(req, timeout=30) as answer:
        return answer.read()


def memory_kib():
    with open(f"/proc/{server.pid}/status") as status:
        return int(re.search(r"VmRSS:\s+(\d+)", status.read()).group(1))


def pace(seconds=2.0):
    a = json.loads(request("/status"))
    time.sleep(seconds)
    b = json.loads(request("/status"))
    return (b["ms"] - a["ms"]) / 1000 / seconds, (b["frames"] - a["frames"]) / seconds


def report(when):
    game, frames = pace()
    print(f"{when:>7}: {memory_kib() / 1024:6.1f} MiB, {game:5.1f} game s/s, {frames:6.0f} frames/s")


received = [0] * STREAMS
posted = [0] * POSTERS


def stream(i):
    with urllib.request.urlopen(base + "/events", timeout=30) as events:
        while not stop.is_set():
            received[i] += len(events.readline())


def poster(i):
    steps = [b'{"target": "Karen"}', b'{"target": null}', b'{"other_script": true}']
    while not stop.is_set():
        request("/step", steps[posted[i] % len(steps)])
        posted[i] += 1


try:
    request("/speed", b"60")
    report("before")
    threads = [threading.Thread(target=stream, args=(i,)) for i in range(STREAMS)]
    threads += [threading.Thread(target=poster, args=(i,)) for i in range(POSTERS)]
    for t in threads:
        t.start()
    time.sleep(max(SECONDS - 2.0, 0.0))
    report("during")
    stop.set()
    for t in threads:
        t.join()
    print(f"  load: {STREAMS} streams ({sum(received) / 1e6:.1f} MB read), "
          f"{sum(posted)} steps posted in {SECONDS:.0f} s")
    report("after")
finally:
    server.terminate()
    server.wait()
