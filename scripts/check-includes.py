#!/usr/bin/env python3
"""Checks that the includes of src/ run one way: from the top of the engine to its
bottom. The folders are numbered in that order, and a file may include headers of
its own folder and of any folder with a higher number, never of one with the same
or a lower number:

  1-app     the program: start-up, command line, data lookup, main loop, video
            mode, presenter, screenshots, overlays, display keys, teardown
  2-play    the game's rules: commands, prompts, movement, places, the clock
  3-gfx     drawing            3-audio   sound (neither sees the other)
  4-data    the data readers: bytes in, values out, and the text readers

Includes that run against the order are listed in EXCEPTIONS, each with one line
of why; no include may climb with "../".

Usage: check-includes.py [SRC_DIR]   (default: the src/ beside this script)
Exit status 0 when every include keeps the order, 1 otherwise (each offending
include is printed, then the order)."""

import pathlib
import re
import sys

# (including file below src/, included header): includes allowed against the order.
EXCEPTIONS = [
]

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
LAYER = re.compile(r"^([0-9]+)-[a-z]+$")


def folder_of(path):
    return path.split("/")[0] if "/" in path else ""


def layer_of(folder):
    match = LAYER.match(folder)
    return int(match.group(1)) if match else None


def problem(source, target, folders):
    """Why source (a path below src/) may not include target, or None."""
    if "../" in target or target.startswith(".."):
        return "climbs with ../"
    into = folder_of(target)
    if into not in folders:
        return None
    origin = folder_of(source)
    if (source, target) in EXCEPTIONS or into == origin:
        return None
    if origin == "":
        # The entry point beside the folders may start the program and nothing else.
        return None if into == min(folders, key=layer_of) else "main reaches below the top"
    if layer_of(origin) < layer_of(into):
        return None
    return "%s is not below %s" % (into, origin)


def order(folders):
    lines = ["the folders of src/, top to bottom (each includes only those below it):"]
    for folder in sorted(folders, key=lambda f: (layer_of(f), f)):
        lines.append("  %s" % folder)
    if EXCEPTIONS:
        lines.append("includes against the order:")
        for source, target in EXCEPTIONS:
            lines.append("  %s -> %s" % (source, target))
    return "\n".join(lines)


def offences(src):
    folders = {p.name for p in src.iterdir() if p.is_dir()}
    found = []
    for folder in sorted(folders):
        if layer_of(folder) is None:
            found.append("src/%s: a folder without its place in the order (N-name)" % folder)
    if found:
        return folders, found
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".h") or not path.is_file():
            continue
        source = path.relative_to(src).as_posix()
        text = path.read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            if match is None:
                continue
            why = problem(source, match.group(1), folders)
            if why is not None:
                found.append('src/%s:%d: #include "%s": %s' % (source, number, match.group(1), why))
    return folders, found


def main():
    here = pathlib.Path(__file__).resolve().parent
    src = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else here.parent / "src"
    folders, found = offences(src)
    for line in found:
        print(line)
    print(order(folders))
    if found:
        print("%d include(s) against the order" % len(found))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
