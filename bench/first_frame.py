#!/usr/bin/env python3
"""Prints what one start-up of the game costs up to its first frame, as the
player's program starts (the whole process: dynamic linking, settings, data
load, mode set, first pass), on the demo world with the dummy video driver and
music off, in each colour mode: the instructions counted by callgrind (exact from
run to run) and the peak resident memory (/usr/bin/time). The process ends at its
first presented frame: a small library put in front of SDL (LD_PRELOAD) ends it
there. Figures only; nothing is asserted.

    bench/first_frame.py [--build-dir build] [--binary build/varnok] [--music]
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import demo_world  # noqa: E402

# Ends the process, output flushed, at the first frame handed to the display.
STOP_AT_FIRST_FRAME = r"""
#include <stdio.h>
#include <unistd.h>
static void stop(void) { fflush(stdout); fflush(stderr); _exit(0); }
int SDL_Flip(void *screen) { (void)screen; stop(); return 0; }
void SDL_UpdateRect(void *s, int x, int y, unsigned w, unsigned h) {
    (void)s; (void)x; (void)y; (void)w; (void)h; stop(); }
void SDL_UpdateRects(void *s, int n, void *rects) { (void)s; (void)n; (void)rects; stop(); }
"""


def build_stopper(scratch):
    source = os.path.join(scratch, "stop.c")
    library = os.path.join(scratch, "stop.so")
    with open(source, "w") as f:
        f.write(STOP_AT_FIRST_FRAME)
    subprocess.run(["cc", "-shared", "-fPIC", "-O1", source, "-o", library], check=True)
    return library


def run(command, env, scratch):
    return subprocess.run(command, env=env, cwd=scratch, capture_output=True, text=True)


def measure(args, world, stopper, scratch, video):
    config = os.path.join(scratch, "first-frame.ini")
    with open(config, "w") as f:
        f.write("directory=%s\nvideo=%d\nmusic=%d\nfullscreen=0\n" % (world, video, args.music))
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy",
               LD_PRELOAD=stopper, HOME=scratch, XDG_CONFIG_HOME=scratch, XDG_DATA_HOME=scratch)
    game = [os.path.abspath(args.binary), "--config", config]
    out = os.path.join(scratch, "callgrind.out")
    counted = run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out] + game, env,
                  scratch)
    refs = re.search(r"I\s+refs:\s+([\d,]+)", counted.stderr)
    timed = run(["/usr/bin/time", "-f", "%e %M"] + game, env, scratch)
    wall, peak = timed.stderr.strip().splitlines()[-1].split()
    colours = "4 colours" if video == 1 else "16 colours"
    instructions = int(refs.group(1).replace(",", "")) if refs else 0
    print("%-10s  %7.1f M instructions  %6.1f MB peak  %5.0f ms wall" %
          (colours, instructions / 1e6, int(peak) / 1024, 1000 * float(wall)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default="build")
    parser.add_argument("--binary")
    parser.add_argument("--music", action="store_const", const=1, default=0,
                        help="start with music on (its mixer loaded, the dummy audio driver)")
    args = parser.parse_args()
    args.binary = args.binary or os.path.join(args.build_dir, "varnok")
    world = demo_world.make_demo(args.build_dir)
    with tempfile.TemporaryDirectory(prefix="varnok-first-frame-") as scratch:
        stopper = build_stopper(scratch)
        print("Start to the first frame, demo world, dummy video, music %s (whole process)" %
              ("on" if args.music else "off"))
        for video in (0, 1):
            measure(args, world, stopper, scratch, video)


if __name__ == "__main__":
    main()
