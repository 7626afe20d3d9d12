"""Playing the demo world in a real window: walking, Look, passing, entering a town,
climbing its ladder, leaving it, and water flowing on its own. Every answer is read
back from the screen (see screen_text.py); positions come from the status line."""

import glob
import os
import re
import shutil
import subprocess
import tempfile

import harness
from demo_world import LADDER_UP, SCROLLING_TILES, World, make_demo
from harness import Game
from screen_text import TextReader

TOWN_ENTRY_LEVELS = [0, 2, 4, 7, 8, 10, 12, 14]
START = (86, 109)
KEYS = {"north": "Up", "south": "Down", "east": "Right", "west": "Left"}
STEPS = {"north": (0, -1), "south": (0, 1), "east": (1, 0), "west": (-1, 0)}
WORDS = {"north": "North", "south": "South", "east": "East", "west": "West"}

_world = None


def world(args):
    global _world
    if _world is None:
        _world = World(make_demo(args.build_dir))
    return _world


class Session:
    """One game on the demo world, with its screen read as text: the native game
    in a window, or `game`, anything with the same calls (the page, in
    test_web.py)."""

    def __init__(self, args, display, more_settings="", extra_env=None, words=(),
                 position=START, clock=0, game=None):
        self.world = world(args)
        settings = "directory=%s\nvideo=1\nmusic=0\n" % self.world.directory
        self.game = game or Game(args.binary, display=display,
                                 settings=settings + more_settings,
                                 extra_env=extra_env, args=words)
        self.reader = TextReader(os.path.join(self.world.directory, "ibm.ch"))
        self.game.wait_window()
        self.position = position
        self.clock = clock
        start = self.wait_status(position, clock)
        self.reader.mark_unknown(start, 24, 23)  # the prompt mark

    def close(self):
        status, _, err = self.game.quit()
        assert status == 0, "status %d: %s" % (status, err)

    def cleanup(self):
        self.game.cleanup()

    # Reading the screen.
    def status(self, image):
        return (self.reader.line(image, 24, 1, 15), self.reader.line(image, 24, 2, 15))

    def messages(self, image):
        """The message area's lines without the prompt mark and cursor."""
        return [line.replace("#", "").rstrip() for line in self.reader.messages(image)]

    def wait_status(self, position, clock):
        want = ("X:%d Y:%d" % position, "Time:%d" % clock)
        return self.game.wait_screen(lambda im: self.status(im) == want, 20,
                                     "status %s, last %s" % (want, self.last_status()))

    def last_status(self):
        return self.status(self.game.screenshot())

    def wait_messages(self, tail):
        """Waits until the message area ends with the lines of `tail`."""
        def ends(image):
            lines = self.messages(image)
            return lines[-len(tail):] == tail
        try:
            return self.game.wait_screen(ends, 20, "messages")
        except AssertionError:
            raise AssertionError("messages %r do not end with %r"
                                 % (self.messages(self.game.screenshot()), tail))

    # Pressing keys. A lone Shift (which the game drops) goes first, so that two
    # presses of the same key are never taken for keyboard auto-repeat.
    def press(self, key):
        self.game.key("shift", key)

    def walk(self, direction, size=256):
        dx, dy = STEPS[direction]
        x, y = self.position
        self.position = ((x + dx) % size, (y + dy) % size)
        self.clock += 1
        self.press(KEYS[direction])
        self.wait_status(self.position, self.clock)

    def walk_to(self, target, size=256):
        """Walks the shortest way (world maps wrap; settlements do not)."""
        for axis, (more, less) in ((0, ("east", "west")), (1, ("south", "north"))):
            delta = target[axis] - self.position[axis]
            if size == 256:
                delta = (delta + 128) % 256 - 128
            for _ in range(abs(delta)):
                self.walk(more if delta > 0 else less, size)


def nearest(cells, origin, size=256):
    def distance(cell):
        dx = abs(cell[0] - origin[0])
        dy = abs(cell[1] - origin[1])
        if size == 256:
            dx, dy = min(dx, 256 - dx), min(dy, 256 - dy)
        return dx + dy
    return min(cells, key=distance)


def centred(name):
    return " " * ((16 - len(name)) // 2) + name if len(name) < 16 else name


def scenario(test):
    def run(args, display):
        session = Session(args, display)
        try:
            test(session)
            session.close()
        finally:
            session.cleanup()
    run.__name__ = test.__name__
    run.body = test
    return run


@scenario
def walking_passing_and_looking(s):
    s.walk("east")
    s.wait_messages(["East", "", ""])
    s.walk("west")
    s.walk("north")
    s.wait_messages(["East", "", "West", "", "North", "", ""])

    s.press("space")
    s.clock += 1
    s.wait_status(s.position, s.clock)
    s.wait_messages(["North", "", "Pass", "", ""])

    # Look south names the tile of the cell below; no minute passes.
    x, y = s.position
    name = s.world.names[s.world.overworld[(y + 1) % 256][x]]
    s.press("l")
    s.wait_messages(["Pass", "", "Look-"])
    s.press("Down")
    s.wait_messages(["Look-South", "", "Thou dost see", name, "", ""])
    s.wait_status(s.position, s.clock)

    # Capital letters are not commands: nothing changes.
    s.press("shift+e")
    s.press("space")
    s.clock += 1
    s.wait_status(s.position, s.clock)
    s.wait_messages([name, "", "Pass", "", ""])


@scenario
def entering_a_town_climbing_and_leaving(s):
    w = s.world
    towns = {(w.locations[i][0], w.locations[i][1]): i for i in range(8)}
    cell = nearest(list(towns), s.position)
    town = towns[cell]
    s.walk_to(cell)
    s.press("e")
    s.clock += 1
    s.wait_status((15, 30), s.clock)
    name = w.locations[town][2]
    s.wait_messages(["Enter towne", "", centred(name), "", ""])

    # Look north from the entry cell: a person of floor 0 there, or the tile.
    level = TOWN_ENTRY_LEVELS[town]
    s.position = (15, 30)
    seen = w.town_person(town, 0, 15, 29)
    seen = seen if seen is not None else w.town_tile(level, 15, 29)
    s.press("l")
    s.press("Up")
    s.wait_messages(["Look-North", "", "Thou dost see", w.names[seen], "", ""])

    ladders = [(c, r) for r in range(32) for c in range(32)
               if w.town_tile(level, c, r) == LADDER_UP]
    assert ladders, "no ladder up on level %d of the town" % level
    ladder = nearest(ladders, s.position, 32)
    s.walk_to(ladder, 32)
    s.press("k")
    s.clock += 1
    s.wait_status(ladder, s.clock)
    s.wait_messages(["Klimb-up!", "", ""])

    # Off the top edge of the upper level: the question, then yes.
    for _ in range(ladder[1]):
        s.walk("north", 32)
    s.press("Up")
    s.wait_messages(["North", "", "Dost thou wish", "to leave?"])
    s.wait_status(s.position, s.clock)
    s.press("y")
    s.wait_messages(["Dost thou wish", "to leave? Yes", "", "Exit to", "Arvandell!", "", ""])
    s.wait_status(cell, s.clock)


@scenario
def passages_castles_huts_and_questions(s):
    s.press("k")
    s.clock += 1
    s.wait_status(s.position, s.clock)
    s.wait_messages(["Klimb-With", "what?", "", ""])
    s.press("e")
    s.clock += 1
    s.wait_status(s.position, s.clock)
    s.wait_messages(["Enter What?", "", ""])

    # Down the dungeon entrance Gloamstair and up again, on the same cell.
    gloamstair = s.world.locations[32][:2]
    s.walk_to(gloamstair)
    for _ in range(2):
        s.press("e")
        s.clock += 1
        s.wait_status(gloamstair, s.clock)
        s.wait_messages(["Enter 32", "", ""])
    s.walk_to(s.world.locations[24][:2])  # Underhold's gate: entered from below only
    s.press("e")
    s.clock += 1
    s.wait_status(s.position, s.clock)
    s.wait_messages(["Enter 24", "", ""])

    # The castle of Lord Ostrand: its own answer, no name.
    ostrand = s.world.locations[16][:2]
    s.walk_to(ostrand)
    s.press("e")
    s.clock += 1
    s.position = (15, 30)
    s.wait_status(s.position, s.clock)
    s.wait_messages(["Enter the", "Castle of Lord", "Ostrand!", "", ""])

    # Off the south edge: n and Esc keep the player in; y leaves.
    s.walk("south", 32)
    for answer in ("n", "Escape"):
        s.press("Down")
        s.wait_messages(["South", "", "Dost thou wish", "to leave?"])
        s.press(answer)
        s.wait_messages(["Dost thou wish", "to leave? No", "", ""])
    s.wait_status(s.position, s.clock)
    s.press("Down")
    s.press("y")
    s.wait_messages(["to leave? Yes", "", "Exit to", "Arvandell!", "", ""])
    s.position = ostrand
    s.wait_status(ostrand, s.clock)

    # The hermit's hut has no name: one empty line follows.
    s.walk_to(s.world.locations[13][:2])
    s.press("e")
    s.clock += 1
    s.wait_status((15, 30), s.clock)
    s.wait_messages(["North", "", "Enter hut", "", ""])


@scenario
def water_flows_by_itself(s):
    w = s.world
    water = [(c, r) for r in range(256) for c in range(256)
             if w.overworld[r][c] in SCROLLING_TILES]
    assert water, "the demo overworld has no water"
    target = nearest(water, s.position)
    # Bring the water into the 11x11 view (the player is in its middle).
    goal = list(s.position)
    for axis in (0, 1):
        delta = (target[axis] - s.position[axis] + 128) % 256 - 128
        if abs(delta) > 4:
            goal[axis] = (target[axis] - (4 if delta > 0 else -4)) % 256
    s.walk_to(tuple(goal))
    column = 5 + (target[0] - s.position[0] + 128) % 256 - 128
    row = 5 + (target[1] - s.position[1] + 128) % 256 - 128
    x, y = 16 + 32 * column, 16 + 32 * row
    first = s.game.screenshot().crop(x, y, 32, 32).rgb
    # With no key pressed, only the timer can change the cell.
    s.game.wait_screen(lambda im: im.crop(x, y, 32, 32).rgb != first, 10,
                       "the water cell at view (%d, %d) to move" % (column, row))
    s.wait_status(s.position, s.clock)


def save_files(share):
    """The numbered saves of the one world saved, oldest first."""
    found = sorted(glob.glob(os.path.join(share, "varnok", "saves", "*", "save-*.txt")))
    assert found, os.listdir(share)
    return found


def saving_resuming_and_keys_of_ones_choice(args, display):
    """F5 and F9 in a real window, a key added in the settings, then --load and
    autosave=1 in a second run (a second save), --saves listing the two, --load 2
    resuming the first, and a damaged newest save named and passed over for the one
    before it in a last run."""
    share = tempfile.mkdtemp(prefix="varnok-saves-")
    env = {"XDG_DATA_HOME": share}
    sessions = []
    try:
        s = Session(args, display, "key_north = w\n", env)
        sessions.append(s)
        s.walk("east")
        s.walk("east")
        s.press("F5")
        saved = (s.position, s.clock)
        s.walk("south")
        s.position = (s.position[0], s.position[1] - 1)
        s.clock += 1
        s.press("w")
        s.wait_status(s.position, s.clock)
        s.press("F9")
        s.wait_status(*saved)
        status, out, err = s.game.quit()
        [path] = save_files(share)
        assert status == 0 and err == "", (status, err)
        assert out.endswith("Game saved: %s\nGame loaded: %s\n" % (path, path)), out
        assert path.endswith("/save-0001.txt"), path
        with open(os.path.join(os.path.dirname(path), "world.txt")) as f:
            assert f.read().endswith("\ndata=%s\n" % os.path.realpath(world(args).directory))
        with open(path) as f:
            text = f.read()
        assert text.startswith("varnok-save 1\n; saved 20"), text
        assert "\ncolumn=88\nrow=109\n" in text and "\nclock=2\n" in text, text

        s = Session(args, display, "autosave=1\n", env, ["--load"], *saved)
        sessions.append(s)
        s.walk("south")
        s.game.close_window()
        status, out, err = s.game.wait_exit()
        assert (status, err) == (0, ""), (status, err)
        first, second = save_files(share)
        assert out.endswith("Game loaded: %s\nGame saved: %s\n" % (first, second)), out
        with open(second) as f:
            assert "\nrow=110\nreturn_column" in f.read()

        # --saves: the two, newest first, and no other line that starts with a digit.
        listed = subprocess.run([args.binary, "--saves", "--data", world(args).directory],
                                env=dict(os.environ, **env), capture_output=True, text=True,
                                timeout=30)
        assert (listed.returncode, listed.stderr) == (0, ""), listed
        numbered = [line for line in listed.stdout.splitlines() if line[:1].isdigit()]
        day = r"\d\d\d\d-\d\d-\d\d \d\d:\d\d"
        assert len(numbered) == 2, listed.stdout
        assert re.fullmatch("1  %s  Harrowgate  88,110" % day, numbered[0]), numbered
        assert re.fullmatch("2  %s  Harrowgate  88,109" % day, numbered[1]), numbered
        print("  --saves:\n    " + "\n    ".join(listed.stdout.splitlines()))

        # --load 2: the one before the newest.
        s = Session(args, display, "", env, ["--load", "2"], *saved)
        sessions.append(s)
        status, out, err = s.game.quit()
        assert status == 0 and out.endswith("Game loaded: %s\n" % first), (status, out, err)

        with open(second, "wb") as f:
            f.write(b"\x7fELF" + bytes(300))
        s = Session(args, display, "", env)
        sessions.append(s)
        s.press("F9")  # the damaged newest is named, and the one before it taken
        s.wait_status(*saved)
        status, out, err = s.game.quit()
        assert status == 0 and out.endswith("Game loaded from an older save: %s\n" % first), \
            (status, out)
        assert err == ("Cannot load the game from '%s': not a save file: the first line is "
                       "not 'varnok-save 1'\n" % second), err
    finally:
        for session in sessions:
            session.cleanup()
        shutil.rmtree(share, ignore_errors=True)


@scenario
def a_held_key_repeats(s):
    # SDL repeats a key that is held down from its own event pumps, so the loop's
    # wait must go on pumping while the key is down: one press of Space held,
    # several passes.
    def minutes(image):
        digits = re.sub(r"[^0-9]", "", s.status(image)[1])
        return int(digits) if digits else 0
    s.game.xdotool("keydown", "--window", s.game.window, "space")
    try:
        s.game.wait_screen(lambda im: minutes(im) >= 3, 20, "three passes from one held key")
    finally:
        s.game.xdotool("keyup", "--window", s.game.window, "space")


if __name__ == "__main__":
    harness.run([walking_passing_and_looking, entering_a_town_climbing_and_leaving,
                 passages_castles_huts_and_questions, water_flows_by_itself,
                 saving_resuming_and_keys_of_ones_choice, a_held_key_repeats])
