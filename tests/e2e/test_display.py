"""The display under a desktop larger than any window: the scale and aspect
settings against the start-screen reference enlarged by the same row and column
maps, Alt+Enter to full screen and back, F12 screenshots, the F1 keys list, the
keypad and the window icon.

With VARNOK_REGENERATE=1 the 4:3 window also becomes the README's picture
docs/display-4x3.png."""

import os
import shutil
import tempfile

import harness
from harness import Game
from screen_text import TextReader

DESKTOP = "2048x1536x24"
WIDTH, HEIGHT = 640, 400
CURSOR = (25 * 16, 23 * 16, 16, 16)  # the console's cursor cell, blinking
REFERENCE = None


def reference(args):
    global REFERENCE
    if REFERENCE is None:
        REFERENCE = harness.read_png(os.path.join(args.source_dir, "tests", "e2e",
                                                  "reference", "start-4.png"))
    return REFERENCE


def start(args, display, extra=""):
    settings = "directory=%s\nvideo=1\nmusic=0\n%s" % (harness.demo_world(args), extra)
    return Game(args.binary, settings=settings, display=display)


def maps(width, height):
    """Picture pixel (x, y) shows frame pixel (columns[x], rows[y])."""
    return ([x * WIDTH // width for x in range(width)],
            [y * HEIGHT // height for y in range(height)])


def enlarged(image, columns, rows):
    """The frame as a picture of len(columns) x len(rows), the cursor cell black."""
    cx, cy, cw, ch = CURSOR
    lines = []
    for y in rows:
        source = image.rgb[3 * y * WIDTH:3 * (y + 1) * WIDTH]
        pixels = [b"\0\0\0" if cx <= x < cx + cw and cy <= y < cy + ch
                  else source[3 * x:3 * x + 3] for x in columns]
        lines.append(b"".join(pixels))
    return b"".join(lines)


def picture_of(image, columns, rows, left=0, top=0):
    """The picture at (left, top) of a capture, its cursor cell black."""
    cx, cy, cw, ch = CURSOR
    lines = []
    for y, source_row in enumerate(rows):
        start_at = 3 * ((top + y) * image.width + left)
        line = bytearray(image.rgb[start_at:start_at + 3 * len(columns)])
        if cy <= source_row < cy + ch:
            for x, source_column in enumerate(columns):
                if cx <= source_column < cx + cw:
                    line[3 * x:3 * x + 3] = b"\0\0\0"
        lines.append(bytes(line))
    return b"".join(lines)


def wait_picture(game, wanted, columns, rows, left=0, top=0, root=False, what="picture"):
    return game.wait_screen(lambda im: picture_of(im, columns, rows, left, top) == wanted,
                            30.0, what, root=root)


def scale_two_doubles_the_window_and_sets_the_icon(args, display):
    game = start(args, display, "scale=2\n")
    try:
        game.wait_window()
        columns, rows = maps(1280, 800)
        wanted = enlarged(reference(args), columns, rows)
        wait_picture(game, wanted, columns, rows, what="the reference enlarged twice")
        assert game.geometry() == (1280, 800), "window is %dx%d" % game.geometry()
        from Xlib import Xutil, display as xdisplay
        # Classic SDL gives the icon as a pixmap, SDL 2 as _NET_WM_ICON.
        d = xdisplay.Display(display.name)
        window = d.create_resource_object("window", int(game.window))
        hints = window.get_wm_hints()
        net_icon = window.get_full_property(d.intern_atom("_NET_WM_ICON"), 0)
        d.close()
        assert (hints is not None and hints.flags & Xutil.IconPixmapHint) \
            or (net_icon is not None and len(net_icon.value) > 2), "no icon"
        status, _, _ = game.quit()
        assert status == 0, "status %d" % status
    finally:
        game.cleanup()


def aspect_stretches_to_four_by_three(args, display):
    game = start(args, display, "aspect=1\n")
    try:
        game.wait_window()
        columns, rows = maps(640, 480)
        wanted = enlarged(reference(args), columns, rows)
        shot = wait_picture(game, wanted, columns, rows, what="the 4:3 reference")
        assert game.geometry() == (640, 480), "window is %dx%d" % game.geometry()
        if os.environ.get("VARNOK_REGENERATE") == "1":
            harness.write_png(os.path.join(args.source_dir, "docs", "display-4x3.png"), shot)
        game.quit()
    finally:
        game.cleanup()


def status_line(reader, image):
    return (reader.line(image, 24, 1, 15), reader.line(image, 24, 2, 15))


def wait_status(game, reader, position, clock):
    want = ("X:%d Y:%d" % position, "Time:%d" % clock)
    return game.wait_screen(lambda im: status_line(reader, im) == want, 20,
                            "status %s" % (want,))


def alt_enter_switches_to_full_screen_and_back(args, display):
    game = start(args, display)
    reader = TextReader(os.path.join(harness.demo_world(args), "ibm.ch"))
    try:
        game.wait_ready()
        window_maps = maps(WIDTH, HEIGHT)
        wanted = enlarged(reference(args), *window_maps)
        # The largest picture on 2048x1536 is 1920x1200, centred with black around.
        full_maps = maps(1920, 1200)
        full = enlarged(reference(args), *full_maps)
        game.real_key("alt+Return")
        harness.poll(lambda: game.follow_window() and game.geometry() == (2048, 1536), 20,
                     "the full-screen window")
        shot = wait_picture(game, full, *full_maps, left=64, top=168, root=True,
                            what="the full-screen picture")
        assert shot.width == 2048 and shot.height == 1536
        assert not any(shot.crop(0, 0, 2048, 168).rgb), "top border not black"
        assert not any(shot.crop(0, 168, 64, 1200).rgb), "left border not black"
        assert not any(shot.crop(1984, 1368, 64, 168).rgb), "bottom right not black"
        game.real_key("alt+Return")
        harness.poll(lambda: game.follow_window() and game.geometry() == (WIDTH, HEIGHT), 20,
                     "the window again")
        wait_picture(game, wanted, *window_maps, what="the window picture again")
        assert game.geometry() == (WIDTH, HEIGHT), "window is %dx%d" % game.geometry()
        # A lost Alt release would make this x quit; the walk shows the game answers.
        game.real_key("x")
        game.real_key("Up")
        wait_status(game, reader, (86, 108), 1)
        assert game.proc.poll() is None, "the x ended the game"
        status, _, _ = game.quit()
        assert status == 0, "status %d" % status
    finally:
        game.cleanup()


def ends_png(path):
    with open(path, "rb") as f:
        return f.read().endswith(b"IEND\xaeB`\x82")


def f12_saves_the_frame_without_overwriting(args, display):
    folder = os.path.join(tempfile.mkdtemp(prefix="varnok-shots-"), "made", "here")
    game = start(args, display, "screenshots=%s\n" % folder)
    try:
        game.wait_ready()
        game.key("F12", "shift", "F12")
        # A file is there from the moment its name is taken: wait until both end
        # with the closing chunk.
        def complete():
            names = sorted(os.listdir(folder))
            return len(names) == 2 and all(ends_png(os.path.join(folder, n)) for n in names) \
                and names
        names = harness.poll(complete, 20, "two screenshots")
        assert all(n.startswith("varnok-") and n.endswith(".png") for n in names), names
        shot = harness.read_png(os.path.join(folder, names[0]))
        assert (shot.width, shot.height) == (WIDTH, HEIGHT)
        # The window shows the same frame once the notice is gone and the
        # animation is back at the same step.
        columns, rows = maps(WIDTH, HEIGHT)
        wait_picture(game, enlarged(shot, columns, rows), columns, rows,
                     what="the screenshot's frame in the window")
        status, out, _ = game.quit()
        assert status == 0, "status %d" % status
        for name in names:
            line = "Screenshot saved: %s\n" % os.path.join(folder, name)
            assert line in out, "%r not in %r" % (line, out)
    finally:
        game.cleanup()
        shutil.rmtree(os.path.dirname(os.path.dirname(folder)), ignore_errors=True)


def f1_shows_the_keys_until_the_next_key(args, display):
    game = start(args, display)
    reader = TextReader(os.path.join(harness.demo_world(args), "ibm.ch"))
    try:
        game.wait_ready()
        columns, rows = maps(WIDTH, HEIGHT)
        wanted = enlarged(reference(args), columns, rows)
        game.key("F1")
        game.wait_screen(lambda im: reader.line(im, 2, 2, 4) == "Keys", 20, "the keys list")
        # Shift alone keeps the list; the space closes it and is not a Pass.
        game.key("shift", "space")
        wait_picture(game, wanted, columns, rows, what="the start screen again")
        game.key("F1")
        game.wait_screen(lambda im: reader.line(im, 2, 2, 4) == "Keys", 20, "the keys list")
        game.key("alt+x")
        status, _, _ = game.wait_exit()
        assert status == 0, "status %d" % status
    finally:
        game.cleanup()


def keypad_walks_and_passes(args, display):
    game = start(args, display)
    reader = TextReader(os.path.join(harness.demo_world(args), "ibm.ch"))
    try:
        game.wait_ready()
        # Key names of both Num Lock states: KP_Up is KP_8 with Num Lock off.
        steps = [("KP_8", (86, 108)), ("KP_Down", (86, 109)), ("KP_6", (87, 109)),
                 ("KP_Left", (86, 109)), ("KP_Begin", (86, 109))]
        for clock, (key, position) in enumerate(steps, 1):
            game.key("shift", key)
            wait_status(game, reader, position, clock)
        game.quit()
    finally:
        game.cleanup()


if __name__ == "__main__":
    harness.run([scale_two_doubles_the_window_and_sets_the_icon,
                 aspect_stretches_to_four_by_three,
                 alt_enter_switches_to_full_screen_and_back,
                 f12_saves_the_frame_without_overwriting,
                 f1_shows_the_keys_until_the_next_key,
                 keypad_walks_and_passes], screen=DESKTOP)
