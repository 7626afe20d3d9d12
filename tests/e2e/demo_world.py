"""What the end-to-end tests need to know of a data directory, read from its files:
the 40 locations, the overworld's tiles, the settlement levels, the people and the
tile names. Written from the file layouts the game reads, not from the game."""

import atexit
import os
import shutil
import subprocess
import tempfile

NAME_POSITIONS = 7754
LOCATION_COLUMNS = 7834
LOCATION_ROWS = 7874
CHUNK_LAYOUT = 14470
SCROLLING_TILES = (1, 2, 3, 143)
LADDER_UP = 200


def make_demo(build_dir):
    """Writes the demo world into a new directory with the project's data tool."""
    directory = tempfile.mkdtemp(prefix="varnok-demo-")
    atexit.register(shutil.rmtree, directory, True)
    tool = os.path.join(build_dir, "tools", "varnok-data")
    subprocess.run([tool, "demo", directory], check=True, capture_output=True)
    return directory


def _read(directory, name):
    with open(os.path.join(directory, name), "rb") as f:
        return f.read()


class World:
    def __init__(self, directory):
        self.directory = directory
        table = _read(directory, "data.ovl")
        self.locations = []
        for i in range(40):
            at = table[NAME_POSITIONS + 2 * i] + 256 * table[NAME_POSITIONS + 2 * i + 1] + 16
            raw = table[at:at + 15]
            for end in (b"\0", b"\n", b"\r"):
                raw = raw.split(end)[0]
            self.locations.append((table[LOCATION_COLUMNS + i], table[LOCATION_ROWS + i],
                                   raw.decode("latin-1")))
        layout = table[CHUNK_LAYOUT:CHUNK_LAYOUT + 256]
        arva = _read(directory, "arva.dat")
        self.overworld = [[1] * 256 for _ in range(256)]
        for i, k in enumerate(layout):
            if k == 255:
                continue
            for y in range(16):
                for x in range(16):
                    at = k * 256 + y * 16 + x
                    self.overworld[(i // 16) * 16 + y][(i % 16) * 16 + x] = (
                        arva[at] if at < len(arva) else 0)
        self.towne = _read(directory, "towne.dat")
        self.towne_people = _read(directory, "towne.npc")
        look = _read(directory, "look2.dat")
        self.names = []
        for i in range(512):
            at = look[2 * i] + 256 * look[2 * i + 1]
            self.names.append(look[at:at + 31].split(b"\0")[0].decode("latin-1"))

    def town_tile(self, level, column, row):
        return self.towne[level * 1024 + row * 32 + column]

    def town_person(self, record, floor, column, row):
        """Name number of the person Look sees on that cell, or None."""
        base = record * 576
        seen = None
        for slot in range(1, 32):
            entry = self.towne_people[base + 16 * slot:base + 16 * slot + 16]
            kind = self.towne_people[base + 512 + slot]
            if kind and entry[3] == column and entry[6] == row and entry[9] == floor:
                seen = 256 + kind
        return seen
