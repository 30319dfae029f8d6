"""The fake NOAA server's fault mode: every station file and forecast request gets the next
reply of a shuffled mix of good ones and faults, and the server remembers each station's last
good observation, so a soak can check what the program shows.

Faults: 404, 500, a redirect loop, a body cut short of its length, a stall (half the body, a
pause, the rest), garbage bytes, a 5 MB body, a 100,000-deep XML document and a DWML without
time layouts. A good observation is 100 minutes old: recent enough to be shown, old enough to be
due again at the next tick. Its temperature follows from its time. The faults that carry an
observation (cut short, stalled, or in a body over the limit) carry one a minute newer, so a
program that took one would hold weather that no good reply gave.
"""

import json
import random
import re
import threading
import time

FAULTS = ["404", "500", "redirect-loop", "truncated", "garbage", "big", "deep", "no-time-layouts"]


class FaultMix:
    def __init__(self, seed, stall_ms, stall_every, good_per_deck, dwml_file):
        self.random = random.Random(seed)
        self.good_per_deck = good_per_deck
        self.stall_ms = stall_ms
        self.stall_every = stall_every
        self.lock = threading.Lock()
        self.deck = []
        self.drawn = 0
        self.counts = {}
        self.last_good = {}  # station: [unix minute, tenths of a degree]
        with open(dwml_file, "r", encoding="utf-8") as f:
            self.dwml = f.read()
        self.dwml_without_layouts = re.sub(r"<time-layout\b.*?</time-layout>", "", self.dwml, flags=re.S)

    def next_kind(self):
        with self.lock:
            if not self.deck:
                self.deck = ["good"] * self.good_per_deck + FAULTS
                self.random.shuffle(self.deck)
            self.drawn += 1
            kind = self.deck.pop()
            if self.stall_every > 0 and self.drawn % self.stall_every == 0:
                kind = "stall"
            self.counts[kind] = self.counts.get(kind, 0) + 1
            return kind

    def observation(self, station, good):
        """A station file of 100 minutes ago (99 when not good); remembered when good."""
        minute = int(time.time() // 60) - (100 if good else 99)
        celsius = (minute * 7) % 45 - 10
        if good:
            with self.lock:
                self.last_good[station] = [minute, celsius * 10]
        when = time.gmtime(minute * 60)
        degrees = lambda c: ("M%02d" % -c) if c < 0 else "%02d" % c
        return ("%s\n%s %sZ 26010KT 10SM FEW020 %s/%s A3002\n" % (
            time.strftime("%Y/%m/%d %H:%M", when), station, time.strftime("%d%H%M", when),
            degrees(celsius), degrees(celsius - 8))).encode("ascii")

    def report(self):
        with self.lock:
            return json.dumps({"last_good": self.last_good, "replies": self.counts}).encode("utf-8")

    # ---- replies --------------------------------------------------------------------------

    def answer_station(self, handler, station):
        kind = self.next_kind()
        body = self.observation(station, kind == "good") if kind in ("good", "truncated", "stall", "big") else b""
        self.answer(handler, kind, body, "text/plain", self.dwml_without_layouts.encode("utf-8"))

    def answer_forecast(self, handler, wrap):
        kind = self.next_kind()
        document = self.dwml_without_layouts if kind == "no-time-layouts" else self.dwml
        body = wrap(document).encode("utf-8")
        if kind == "deep":
            body = wrap("", "<a>" * 100000 + "</a>" * 100000).encode("utf-8")
        self.answer(handler, kind, body, "text/xml; charset=utf-8", body)

    def answer(self, handler, kind, body, content_type, no_layouts):
        if kind == "404":
            return handler.send_plain(404, b"no such station\n")
        if kind == "500":
            return handler.send_plain(500, b"internal error\n")
        if kind == "redirect-loop":
            return handler.send_plain(302, b"moved\n", {"Location": handler.path})
        if kind == "garbage":
            return self.send(handler, bytes(self.random.getrandbits(8) for _ in range(3000)), content_type)
        if kind == "big":
            return self.send(handler, body + b" " * (5 * 1024 * 1024), content_type)
        if kind == "deep" and content_type == "text/plain":
            return self.send(handler, b"<a>" * 100000 + b"</a>" * 100000, content_type)
        if kind == "no-time-layouts":
            return self.send(handler, no_layouts, content_type)
        if kind in ("truncated", "stall"):
            handler.send_response(200)
            handler.send_header("Content-Type", content_type)
            handler.send_header("Content-Length", str(len(body)))
            handler.send_header("Connection", "close")
            handler.end_headers()
            handler.wfile.write(body[:len(body) // 2])
            handler.wfile.flush()
            if kind == "stall":
                time.sleep(self.stall_ms / 1000.0)
                handler.wfile.write(body[len(body) // 2:])
            handler.close_connection = True
            return None
        return self.send(handler, body, content_type)

    @staticmethod
    def send(handler, body, content_type):
        handler.send_response(200)
        handler.send_header("Content-Type", content_type)
        handler.send_header("Content-Length", str(len(body)))
        handler.end_headers()
        handler.wfile.write(body)
        return None
