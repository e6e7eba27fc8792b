#!/usr/bin/env python3
"""The playground under load, on loopback: campsim --play at 60x, then for a bounded time
as many live streams as the server feeds (8) and steps posted as fast as four clients can,
with --hostile the attack mix beside them (16 clients sending their headers a byte at a
time, 64 idle connections, chunked bodies of 1 GiB, header lines of 512 MiB and smuggled
steps, each started again as soon as the server closes it). Prints the server's memory
(VmRSS) and the game's pace (game seconds a second, frames a second) before, during and
after. With --attacks, each attack once, against a server of its own: its answer, the
server's memory at its peak (VmHWM) and now (VmRSS), as the table in
docs/playground-attacks.md. Figures for the docs, not tests; loopback only, each bounded.

usage: bench/play_load.py [--hostile | --attacks] [CAMPSIM] [SECONDS]
"""
import json
import re
import signal
import socket
import subprocess
import sys
import threading
import time
import urllib.request

args = [a for a in sys.argv[1:] if not a.startswith("--")]
HOSTILE, ATTACKS = "--hostile" in sys.argv, "--attacks" in sys.argv
CAMPSIM = args[0] if args else "build/dev/tools/campsim/campsim"
SECONDS = float(args[1]) if len(args) > 1 else 10.0
STREAMS, POSTERS, SLOW, IDLE = 8, 4, 16, 64
STEP = b'{"target": "Karen"}'


class Server:
    def __init__(self):
        self.process = subprocess.Popen([CAMPSIM, "--play", "--port", "0"],
                                        stdout=subprocess.PIPE, text=True)
        address = re.search(r"http://([0-9.]+):(\d+)/\?token=(\w+)", self.process.stdout.readline())
        self.port, self.token = int(address.group(2)), address.group(3)
        self.base = f"http://127.0.0.1:{self.port}"
        self.own = (f"Host: 127.0.0.1:{self.port}\r\nOrigin: {self.base}\r\n"
                    f"X-Campsim-Token: {self.token}\r\n")

    def request(self, path, body=None, timeout=30):
        req = urllib.request.Request(self.base + path, data=body, headers={
            "Origin": self.base, "X-Campsim-Token": self.token})
        with urllib.request.urlopen(req, timeout=timeout) as answer:
            return answer.read()

    def memory_kib(self, field="VmRSS"):
        with open(f"/proc/{self.process.pid}/status") as status:
            return int(re.search(field + r":\s+(\d+)", status.read()).group(1))

    def stop(self):
        """Seconds from SIGINT to the end of campsim."""
        start = time.monotonic()
        self.process.send_signal(signal.SIGINT)
        try:
            self.process.wait(timeout=60)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        return time.monotonic() - start


def send(port, head, tail=None, seconds=20.0, half_close=False):
    """Sends `head`, then pieces of `tail` (a generator) until the server stops taking them
    or the time is up; what came back and how many bytes went."""
    s = socket.create_connection(("127.0.0.1", port))
    s.settimeout(5)
    sent, end = 0, time.monotonic() + seconds
    try:
        s.sendall(head)
        sent += len(head)
        for piece in tail or ():
            if time.monotonic() > end:
                break
            s.sendall(piece)
            sent += len(piece)
        if half_close:
            s.shutdown(socket.SHUT_WR)
    except OSError:
        pass
    got = b""
    try:
        while time.monotonic() < end:
            data = s.recv(65536)
            if not data:
                break
            got += data
    except OSError:
        pass
    s.close()
    return got, sent


def chunks(total, last=b""):
    piece = b" " * (1 << 20)
    for _ in range(total >> 20):
        yield b"100000\r\n" + piece + b"\r\n"
    yield b"%x\r\n%s\r\n0\r\n\r\n" % (len(last), last) if last else b""


def filler(total, byte=b"a"):
    piece = byte * (1 << 20)
    for _ in range(total >> 20):
        yield piece


def trickle(port, stop, head=b"GET /status HTTP/1.1\r\nHost: x\r\nX-Padding: "):
    """A client sending a header byte at a time, connecting again whenever closed."""
    while not stop.is_set():
        try:
            s = socket.create_connection(("127.0.0.1", port))
            for i in range(100000):
                if stop.wait(0.2):
                    break
                s.send((head + b"p" * 100000)[i:i + 1])
        except OSError:
            pass


def first_answer(raw):
    if not raw:
        return "closed, no answer"
    head, _, body = raw.partition(b"\r\n\r\n")
    status = head.split(b"\r\n")[0].decode()
    line = body.split(b"\n")[0].decode(errors="replace")[:90]
    answers = len(re.findall(rb"HTTP/1\.1 \d\d\d", raw))
    more = f" ({answers} answers)" if answers > 1 else ""
    return f"{status[9:]}: {line}{more}" if line else status[9:] + more


def attacks():
    ranges = "bytes=0-" + ",0-" * 1999
    smuggled = lambda s: (b" " * 5000 + b"POST /step HTTP/1.1\r\n" + s.own.encode() +
                          b"Content-Length: %d\r\n\r\n%s" % (len(STEP), STEP))
    table = [
        ("1", "step smuggled in a foreign Host's body", lambda s: send(s.port, (
            f"POST /step HTTP/1.1\r\nHost: 127.0.0.2:{s.port}\r\nContent-Length: "
            f"{len(smuggled(s))}\r\n\r\n").encode() + smuggled(s))),
        ("2", "1 GiB chunked body", lambda s: send(s.port, (
            f"POST /step HTTP/1.1\r\n{s.own}Transfer-Encoding: chunked\r\n\r\n").encode(),
            chunks(1 << 30))),
        ("2", "200 MiB chunked body ending in a step", lambda s: send(s.port, (
            f"POST /step HTTP/1.1\r\n{s.own}Transfer-Encoding: chunked\r\n\r\n").encode(),
            chunks(200 << 20, STEP))),
        ("2", "512 MiB body without a length", lambda s: send(s.port, (
            f"POST /step HTTP/1.1\r\n{s.own}\r\n").encode(), filler(512 << 20, b" "))),
        ("3", "512 MiB header line", lambda s: send(s.port, (
            f"GET /status HTTP/1.1\r\n{s.own}X-Long: ").encode(), filler(512 << 20))),
        ("3", "8 KB headers until refused", lambda s: send(s.port, (
            f"GET /status HTTP/1.1\r\n{s.own}").encode(),
            (b"X-%d: %s\r\n" % (i, b"h" * 8000) for i in range(100000)))),
        ("3", "2,000 byte ranges", lambda s: send(s.port, (
            f"GET /?token={s.token} HTTP/1.1\r\nHost: 127.0.0.1:{s.port}\r\nRange: {ranges}"
            f"\r\nConnection: close\r\n\r\n").encode())),
        ("6", "the page without its token", lambda s: send(s.port, (
            f"GET / HTTP/1.1\r\nHost: 127.0.0.1:{s.port}\r\n\r\n").encode())),
        ("7", "three GETs in one write", lambda s: send(s.port, (
            f"GET /status HTTP/1.1\r\n{s.own}\r\n" * 2 +
            f"GET /status HTTP/1.1\r\n{s.own}Connection: close\r\n\r\n").encode())),
        ("7", "a step, then a half-close", lambda s: send(s.port, (
            f"POST /step HTTP/1.1\r\n{s.own}Content-Length: {len(STEP)}\r\n\r\n").encode() +
            STEP, half_close=True)),
        ("7", "`/speed` `060`", lambda s: send(s.port, (
            f"POST /speed HTTP/1.1\r\n{s.own}Content-Length: 3\r\n\r\n060").encode())),
        ("7", "two Host headers", lambda s: send(s.port, (
            f"GET /status HTTP/1.1\r\n{s.own}Host: evil.example\r\n\r\n").encode())),
        ("7", "`PUT /step`", lambda s: send(s.port, (
            f"PUT /step HTTP/1.1\r\n{s.own}Content-Length: {len(STEP)}\r\n\r\n").encode() + STEP)),
    ]
    print("| Fault | Attack | Answer | Sent | Peak memory | Memory after |")
    print("|---|---|---|---|---|---|")
    for fault, what, attack in table:
        server = Server()
        before = server.memory_kib()
        got, sent = attack(server)
        print(f"| {fault} | {what} | {first_answer(got)} | {sent / 2**20:.1f} MiB | "
              f"{server.memory_kib('VmHWM') / 1024:.1f} MiB | "
              f"{server.memory_kib() / 1024:.1f} MiB (from {before / 1024:.1f}) |")
        server.stop()
    # Fault 4: the page's /status while slow and idle clients hold on; fault 5: Ctrl-C then.
    server, stop = Server(), threading.Event()
    slow = [threading.Thread(target=trickle, args=(server.port, stop)) for _ in range(SLOW)]
    for t in slow:
        t.start()
    idle = [socket.create_connection(("127.0.0.1", server.port)) for _ in range(IDLE)]
    time.sleep(2)
    start = time.monotonic()
    answered = server.request("/status", timeout=30)
    took = time.monotonic() - start
    print(f"| 4 | {SLOW} slow and {IDLE} idle clients, then `/status` | "
          f"{'200' if answered else 'none'} in {took * 1000:.0f} ms | | "
          f"{server.memory_kib('VmHWM') / 1024:.1f} MiB | {server.memory_kib() / 1024:.1f} MiB |")
    print(f"| 5 | Ctrl-C while they go on | campsim ended {server.stop():.2f} s after SIGINT | | | |")
    stop.set()
    for t in slow:
        t.join()
    for s in idle:
        s.close()


def load():
    server, stop = Server(), threading.Event()
    received, posted, hostile = [0] * STREAMS, [0] * POSTERS, [0]

    def pace(seconds=2.0):
        a = json.loads(server.request("/status"))
        time.sleep(seconds)
        b = json.loads(server.request("/status"))
        return (b["ms"] - a["ms"]) / 1000 / seconds, (b["frames"] - a["frames"]) / seconds

    def report(when):
        game, frames = pace()
        print(f"{when:>7}: {server.memory_kib() / 1024:6.1f} MiB, {game:5.1f} game s/s, "
              f"{frames:6.0f} frames/s")

    def stream(i):
        with urllib.request.urlopen(f"{server.base}/events?token={server.token}",
                                    timeout=30) as events:
            while not stop.is_set():
                received[i] += len(events.readline())

    def poster(i):
        steps = [STEP, b'{"target": null}', b'{"other_script": true}']
        while not stop.is_set():
            server.request("/step", steps[posted[i] % len(steps)])
            posted[i] += 1

    def attacker(i):
        kinds = [
            lambda: send(server.port, (f"POST /step HTTP/1.1\r\n{server.own}Transfer-Encoding: "
                                       "chunked\r\n\r\n").encode(), chunks(1 << 30), 5),
            lambda: send(server.port, (f"GET /status HTTP/1.1\r\n{server.own}X-Long: ").encode(),
                         filler(512 << 20), 5),
            lambda: send(server.port, (f"POST /step HTTP/1.1\r\nHost: 127.0.0.2:{server.port}"
                                       "\r\nContent-Length: 5\r\n\r\n12345").encode(), None, 5),
        ]
        while not stop.is_set():
            kinds[i % len(kinds)]()
            hostile[0] += 1

    try:
        server.request("/speed", b"60")
        report("before")
        threads = [threading.Thread(target=stream, args=(i,)) for i in range(STREAMS)]
        threads += [threading.Thread(target=poster, args=(i,)) for i in range(POSTERS)]
        idle = []
        if HOSTILE:
            threads += [threading.Thread(target=trickle, args=(server.port, stop))
                        for _ in range(SLOW)]
            threads += [threading.Thread(target=attacker, args=(i,)) for i in range(3)]
            idle = [socket.create_connection(("127.0.0.1", server.port)) for _ in range(IDLE)]
        for t in threads:
            t.start()
        time.sleep(max(SECONDS - 2.0, 0.0))
        report("during")
        peak = server.memory_kib("VmHWM")
        stop.set()
        for t in threads:
            t.join()
        for s in idle:
            s.close()
        print(f"  load: {STREAMS} streams ({sum(received) / 1e6:.1f} MB read), "
              f"{sum(posted)} steps posted in {SECONDS:.0f} s"
              + (f", {hostile[0]} attacks, {SLOW} slow and {IDLE} idle clients; peak "
                 f"{peak / 1024:.1f} MiB" if HOSTILE else ""))
        report("after")
    finally:
        print(f"Ctrl-C: campsim ended {server.stop():.2f} s after SIGINT")


attacks() if ATTACKS else load()
