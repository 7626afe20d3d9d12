#!/usr/bin/env python3
"""Checks the folder-to-folder includes of src/ against the table of what is
allowed, so that drawing stays out of the game's rules and the data readers stay
below everything else. A new edge is added to ALLOWED on purpose, in the same
commit that needs it.

Usage: check-includes.py [SRC_DIR]   (default: the src/ beside this script)
Exit status 0 when every include is allowed, 1 otherwise (each offending include
is printed with the table)."""

import pathlib
import re
import sys

# (from, to): `from` is a folder of src/ or one file in it; `to` is a folder, one
# header, or "*" for any folder.
ALLOWED = [
    ("main.cpp", "shell"),
    ("shell", "*"),
    ("play", "gfx"),
    ("play", "audio"),
    ("play", "data"),
    ("play", "shell/keys.h"),
    ("play", "shell/input_stack.h"),
    ("gfx", "data"),
    ("gfx", "shell/video.h"),
    ("gfx", "shell/settings.h"),
    ("gfx", "shell/animation.h"),
    ("gfx", "shell/shutdown.h"),
    ("gfx", "shell/present.h"),
    ("audio", "data"),
    ("audio", "shell/settings.h"),
    ("audio", "shell/ini_text.h"),
    ("audio", "shell/shutdown.h"),
    ("data", "shell/settings.h"),
    ("data", "shell/shutdown.h"),
    # Start-up loads the graphics in their place in the data load.
    ("data/game_data.cpp", "gfx"),
]

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def folder_of(path):
    return path.split("/")[0] if "/" in path else path


def allowed(source, target):
    """source: path of the including file below src/; target: the include."""
    for frm, to in ALLOWED:
        if frm not in (source, folder_of(source)):
            continue
        if to in ("*", target, folder_of(target)):
            return True
    return False


def table():
    width = max(len(frm) for frm, _ in ALLOWED)
    lines = ["allowed folder-to-folder includes of src/:"]
    for frm, to in ALLOWED:
        lines.append("  %-*s -> %s" % (width, frm, "any folder" if to == "*" else to))
    return "\n".join(lines)


def offences(src):
    folders = {p.name for p in src.iterdir() if p.is_dir()}
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".h") or not path.is_file():
            continue
        source = path.relative_to(src).as_posix()
        text = path.read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            if match is None:
                continue
            target = match.group(1)
            into = folder_of(target)
            if into not in folders or into == folder_of(source):
                continue
            if not allowed(source, target):
                found.append('src/%s:%d: #include "%s": %s -> %s is not allowed'
                             % (source, number, target, folder_of(source), target))
    return found


def main():
    here = pathlib.Path(__file__).resolve().parent
    src = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else here.parent / "src"
    found = offences(src)
    for line in found:
        print(line)
    print(table())
    if found:
        print("%d include(s) outside the table; add an edge only on purpose" % len(found))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
