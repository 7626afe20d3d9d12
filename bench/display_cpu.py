#!/usr/bin/env python3
"""Prints the CPU the running game uses on the demo world under Xvfb: idle for
SECONDS (music off, no keys) at scale 1 and scale 3, and for 1,000 mouse
movements over the window. Figures only; nothing is asserted.

    bench/display_cpu.py [--seconds 30] [--build-dir build]
"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def measure(args, display, scale):
    build = type("Args", (), {"build_dir": args.build_dir})
    settings = "directory=%s\nvideo=1\nmusic=0\nscale=%d\n" % (harness.demo_world(build), scale)
    game = harness.Game(os.path.join(args.build_dir, "varnok"), settings=settings,
                        display=display)
    try:
        game.wait_window()
        status = (24 * 16 * scale, 16 * scale, 16 * scale, 16 * scale)
        game.wait_screen(lambda im: any(im.crop(*status).rgb), 30, "the first frame")
        time.sleep(1.0)  # past the start-up's own work
        pid = game.proc.pid
        before, start = cpu_seconds(pid), time.monotonic()
        time.sleep(args.seconds)
        idle = (cpu_seconds(pid) - before) / (time.monotonic() - start)
        print("scale %d: idle %.2f %% of one core over %d s" % (scale, 100 * idle, args.seconds))
        moves = []
        for i in range(1000):
            moves += ["mousemove", "--window", game.window, str(10 + i % 600), str(10 + i % 380)]
        before, start = cpu_seconds(pid), time.monotonic()
        game.xdotool(*moves)
        time.sleep(0.5)  # let the last events arrive
        spent = cpu_seconds(pid) - before - idle * (time.monotonic() - start)
        print("scale %d: 1000 mouse movements %.0f ms of CPU beyond idle"
              % (scale, 1000 * max(spent, 0.0)))
        game.quit()
    finally:
        game.cleanup()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=int, default=30)
    parser.add_argument("--build-dir", default="build")
    args = parser.parse_args()
    args.build_dir = os.path.abspath(args.build_dir)
    for scale in (1, 3):
        display = harness.Display("2048x1536x24")
        try:
            measure(args, display, scale)
        finally:
            display.close()


if __name__ == "__main__":
    main()
