#!/usr/bin/env python3
"""Start-up of the real program under a private Xvfb display.

startup.py TUNEWELL [SONG] [--runs N] starts TUNEWELL N times without a
song and N times with SONG, and prints for each the time from the process's
start to the first screenshot that shows the painted panel (the black line
under its header row and the mixer's blue), and its peak resident memory
(VmHWM) one second later. Screenshots are taken with xwd as fast as it
runs, so a time is an upper bound, late by at most one screenshot. Every
process is ended by its own pid.
"""
import argparse
import os
import signal
import statistics
import struct
import subprocess
import tempfile
import time

WIDTH, HEIGHT = 1024, 768


def start_xvfb():
    for attempt in range(20):
        number = 300 + (os.getpid() * 11 + attempt) % 30000
        if os.path.exists(f"/tmp/.X11-unix/X{number}"):
            continue
        server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0",
                                   f"{WIDTH}x{HEIGHT}x24", "-nolisten", "tcp"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(500):
            if os.path.exists(f"/tmp/.X11-unix/X{number}") or server.poll() is not None:
                break
            time.sleep(0.01)
        if server.poll() is None:
            return server, f":{number}"
    raise SystemExit("Xvfb did not start")


class Shot:
    def __init__(self, data):
        (self.header, _, fmt, _, self.width, self.height, _, self.order, _, _, _,
         self.bpp, self.line) = struct.unpack(">13I", data[:52])
        colours = struct.unpack(">I", data[76:80])[0]
        self.data, self.start = data, self.header + 12 * colours

    def at(self, x, y):
        step = self.bpp // 8
        i = self.start + y * self.line + x * step
        px = self.data[i:i + step]
        value = int.from_bytes(px, "little" if self.order == 0 else "big")
        return value & 0xFFFFFF


def panel_painted(display):
    data = subprocess.run(["xwd", "-root", "-silent"], env={**os.environ, "DISPLAY": display},
                          capture_output=True).stdout
    if len(data) < 100:
        return False
    shot = Shot(data)
    top = next((y for y in range(80) if shot.at(795, y) == 0), -1)
    return top > 0 and shot.at(400, top + 37) == 0 and shot.at(3, top + 300) == 0x32327D


def peak_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def one_run(binary, song, display, workdir):
    args = [binary] + ([song] if song else [])
    env = {**os.environ, "DISPLAY": display, "QT_QPA_PLATFORM": "xcb"}
    t0 = time.perf_counter()
    proc = subprocess.Popen(args, cwd=workdir, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while not panel_painted(display):
            if proc.poll() is not None or time.perf_counter() - t0 > 30:
                raise SystemExit("tunewell ended or never painted")
        first = (time.perf_counter() - t0) * 1000
        time.sleep(1)
        return first, peak_kib(proc.pid) / 1024
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=3)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("song", nargs="?")
    parser.add_argument("--runs", type=int, default=5)
    a = parser.parse_args()
    server, display = start_xvfb()
    try:
        with tempfile.TemporaryDirectory() as workdir:
            for label, song in (("no song", None), ("with song", a.song)):
                if label == "with song" and not song:
                    continue
                runs = [one_run(os.path.abspath(a.binary), song and os.path.abspath(song),
                                display, workdir) for _ in range(a.runs)]
                times = [r[0] for r in runs]
                print(f"{label:9}: first frame median {statistics.median(times):6.0f} ms "
                      f"(min {min(times):.0f}, max {max(times):.0f}), "
                      f"peak RSS {max(r[1] for r in runs):.0f} MB")
    finally:
        server.send_signal(signal.SIGTERM)
        server.wait(timeout=5)


if __name__ == "__main__":
    main()
