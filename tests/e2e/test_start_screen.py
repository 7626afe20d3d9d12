"""The start screen of the demo world in both colour modes, pixel for pixel, and
of a copy that holds only the 16-colour files, which starts in 16 colours by itself.

The demo world is made afresh by the data tool; the game starts on it under Xvfb
and its window is compared with a reviewed reference picture. Only the cursor cell
is masked. The tile animation and the cursor step on every 250 ms tick and come
back to their start state every 16 ticks, so the test polls screenshots until one
equals the reference (with a deadline) instead of racing the first tick.

With VARNOK_REGENERATE=1 the first complete screenshot becomes the new reference
(and the README's copy in docs/); look at it before committing it.
"""

import os
import shutil
import subprocess
import tempfile

import harness
from harness import Game

# Text cell (25, 23): the console's cursor, which changes with every tick.
CURSOR = (25 * 16, 23 * 16, 16, 16)
# Text cell (24, 1): the first status glyph, drawn in the first pass.
STATUS = (24 * 16, 16, 16, 16)
# Each case: the settings' colour line, the reference, whether the 4-colour files
# are taken away, and what the game says on standard output after its data line.
MODES = {"4": ("video=1\n", "4", False, ""),
         "16": ("video=0\n", "16", False, ""),
         "16_by_itself": ("", "16", True, "Colours: 16 (the 4-colour files are not all there)\n")}


def make_demo_world(args, directory):
    tool = os.path.join(args.build_dir, "tools", "varnok-data")
    subprocess.run([tool, "demo", directory], check=True, capture_output=True)


def masked(image):
    return image.blanked(CURSOR)


def differences(image, reference):
    a, b = masked(image), masked(reference)
    count, box = 0, None
    for i in range(0, len(a), 3):
        if a[i:i + 3] != b[i:i + 3]:
            count += 1
            x, y = (i // 3) % image.width, (i // 3) // image.width
            box = (x, y, x, y) if box is None else (
                min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y))
    return count, box


def start_screen(mode):
    def test(args, display):
        colours, shown, only_16, said = MODES[mode]
        world = tempfile.mkdtemp(prefix="varnok-demo-")
        make_demo_world(args, world)
        for name in os.listdir(world) if only_16 else ():
            if name.endswith(".4"):
                os.remove(os.path.join(world, name))
        settings = "directory=%s\n%s" % (world, colours)
        game = Game(args.binary, settings=settings, display=display)
        reference_path = os.path.join(args.source_dir, "tests", "e2e", "reference",
                                      "start-%s.png" % shown)
        try:
            game.wait_window()
            if os.environ.get("VARNOK_REGENERATE") == "1" and not only_16:
                shot = game.wait_screen(lambda im: any(im.crop(*STATUS).rgb),
                                        what="the status line")
                docs = os.path.join(args.source_dir, "docs")
                for folder in (os.path.dirname(reference_path), docs):
                    os.makedirs(folder, exist_ok=True)
                harness.write_png(reference_path, shot)
                harness.write_png(os.path.join(docs, "start-%s.png" % shown), shot)
                return
            reference = harness.read_png(reference_path)
            wanted = masked(reference)
            last = []

            def matches(image):
                last[:] = [image]
                return masked(image) == wanted
            try:
                game.wait_screen(matches, timeout=30.0, what="the reference picture")
            except AssertionError:
                actual = os.path.join(args.build_dir, "e2e-start-%s-actual.png" % mode)
                harness.write_png(actual, last[0])
                count, box = differences(last[0], reference)
                raise AssertionError("%d pixels differ within %s; screenshot in %s"
                                     % (count, box, actual))
            status, out, _ = game.quit()
            assert status == 0, "status %d" % status
            assert out == "Data: %s\n%s" % (os.path.realpath(world), said), repr(out)
        finally:
            game.cleanup()
            shutil.rmtree(world, ignore_errors=True)
    test.__name__ = "start_screen_%s_colours" % mode
    return test


if __name__ == "__main__":
    harness.run([start_screen(mode) for mode in MODES])
