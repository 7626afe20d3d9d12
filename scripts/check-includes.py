#!/usr/bin/env python3
"""Checks that the includes of src/ run one way: from the top of the engine to its
bottom. The folders are numbered in that order, and a file may include headers of
its own folder and of any folder with a higher number, never of one with the same
or a lower number:

  1-app     the program, in rooms: run/ (start-up, main loop, timer, teardown),
            config/ (settings, command line, data lookup), display/ (video,
            presenters, overlays, screenshots), input/ (keys, bindings, gamepad,
            keys list), saves/; and the front-end table beside them
  2-play    the game in play and its rules: the command table, prompts,
            movement, places, the clock
  3-gfx     drawing            3-audio   sound (neither sees the other)
  4-data    the data readers: bytes in, values out, and the text readers

Includes that run against the order are listed in EXCEPTIONS, each with one line
of why; no include may climb with "../". A folder may hold rooms (sub-folders):
the first part of a path decides its layer.

No module (a header with its source, "1-app/input/keys") may reach itself again
through the headers it and its source include: each cycle found is printed.

Usage: check-includes.py [SRC_DIR]   (default: the src/ beside this script)
Exit status 0 when every include keeps the order and no module cycle is found,
1 otherwise (each offending include and each cycle is printed, then the order)."""

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


def module_edges(src):
    """Each module below src/ with the modules whose headers it includes."""
    edges = {}
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".h") or not path.is_file():
            continue
        module = path.relative_to(src).with_suffix("").as_posix()
        targets = edges.setdefault(module, set())
        for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
            match = INCLUDE.match(line)
            if match and (src / match.group(1)).is_file():
                target = match.group(1).rsplit(".", 1)[0]
                if target != module:
                    targets.add(target)
    return edges


def module_cycles(src):
    """The groups of modules that reach one another (Tarjan's strongly connected
    components of more than one module), each sorted."""
    edges = module_edges(src)
    index, low, on_stack, stack, groups = {}, {}, set(), [], []

    def visit(start):
        # Iterative, so that a long chain of modules cannot exhaust the recursion.
        work = [(start, iter(sorted(edges.get(start, ()))))]
        index[start] = low[start] = len(index)
        stack.append(start)
        on_stack.add(start)
        while work:
            module, targets = work[-1]
            target = next(targets, None)
            if target is not None:
                if target not in index:
                    index[target] = low[target] = len(index)
                    stack.append(target)
                    on_stack.add(target)
                    work.append((target, iter(sorted(edges.get(target, ())))))
                elif target in on_stack:
                    low[module] = min(low[module], index[target])
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[module])
            if low[module] == index[module]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == module:
                        break
                if len(group) > 1:
                    groups.append(sorted(group))

    for module in sorted(edges):
        if module not in index:
            visit(module)
    return sorted(groups)


def main():
    here = pathlib.Path(__file__).resolve().parent
    src = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else here.parent / "src"
    folders, found = offences(src)
    cycles = module_cycles(src)
    for line in found:
        print(line)
    for group in cycles:
        print("a module cycle of %d: %s" % (len(group), " <-> ".join(group)))
    print(order(folders))
    if found:
        print("%d include(s) against the order" % len(found))
    if cycles:
        print("%d module cycle(s)" % len(cycles))
    return 1 if found or cycles else 0


if __name__ == "__main__":
    sys.exit(main())
