"""Hostile and odd data directories: the demo world with one file replaced by a
crafted picture file, a folder or a FIFO. Each start-up ends in a few seconds
with bounded memory (wall time and peak memory are measured here, from wait4),
with the stated status and message; `varnok-data check` on the same directory
names the file and never hangs. Every case prints a FIGURE line."""

import os
import re
import shutil
import struct
import subprocess

import harness
from harness import Game

# A start-up that goes past these on any hostile directory is a fault.
SECONDS = 10.0
PEAK_MIB = 300
# The address-space cap of every run: a runaway start-up fails instead of taking
# the machine's memory.
LIMIT_MIB = 2048
SCREEN = "larger than the 320\u00d7200 screen"
# How long a start-up may take before the test gives up on it.
START_TIMEOUT = 120.0


def plain_pictures(offsets, records):
    """A plain picture file: the count, 32-bit offsets, then the record bytes."""
    table = struct.pack("<H", len(offsets)) + b"".join(struct.pack("<I", o) for o in offsets)
    return table + records


def record(width, height, rows=b""):
    return struct.pack("<HH", width, height) + rows


def repeated(count, width, height, rows=b""):
    """One record named `count` times by the offset table."""
    return plain_pictures([2 + 4 * count] * count, record(width, height, rows))


def packed(args, raw, scratch):
    """The compressed container of raw, made by the project's packer (the
    harness's literal-only packer would write megabytes for long runs)."""
    raw_path, packed_path = os.path.join(scratch, "raw"), os.path.join(scratch, "packed")
    with open(raw_path, "wb") as f:
        f.write(raw)
    tool = os.path.join(args.build_dir, "tools", "varnok-data")
    subprocess.run([tool, "pack", raw_path, packed_path], check=True, capture_output=True)
    with open(packed_path, "rb") as f:
        return f.read()


def clear_and_end(declared):
    """A container that declares `declared` bytes and holds only a clear and an end
    code."""
    return struct.pack("<I", declared) + bytes([0x00, 0x03, 0x02])


def pattern(text):
    """A message with <n> standing for any number (a count that depends on the
    demo world's own pictures) and <dir> for the absolute data directory."""
    return re.escape(text).replace(re.escape("<n>"), r"\d+").replace(re.escape("<dir>"), r"/.+")


class Case:
    """One replaced file: content bytes, "folder" or "fifo"; what start-up and check
    answer. status 0 means the game plays (it is quit with Alt+x)."""

    def __init__(self, name, file, content, status, message, check, settings="", env=None):
        self.name, self.file, self.content = name, file, content
        self.status, self.message, self.check = status, message, check
        self.settings, self.env = settings, env or {}


def place(directory, name, content):
    path = os.path.join(directory, name)
    if os.path.isdir(path):
        shutil.rmtree(path)
    elif os.path.lexists(path):
        os.remove(path)
    if content == "folder":
        os.mkdir(path)
    elif content == "fifo":
        os.mkfifo(path)
    else:
        with open(path, "wb") as f:
            f.write(content)


def run_check(args, directory):
    tool = os.path.join(args.build_dir, "tools", "varnok-data")
    proc = subprocess.Popen([tool, "check", directory, "--mode", "4"], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, start_new_session=True)
    try:
        out, err = proc.communicate(timeout=SECONDS)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, 9)
        proc.communicate()
        return None, "check hung"
    return proc.returncode, out + err


def hostile_world(args, case):
    """The preparation of a game directory: the demo world in data/, with the
    case's file replaced."""
    def prepare(directory):
        shutil.copytree(harness.demo_world(args), os.path.join(directory, "data"))
        place(os.path.join(directory, "data"), case.file, case.content)
    return prepare


def outcome(game):
    """Waits until the game ends by itself or shows its first frame, and then quits
    it: (status, standard error), or (None, why) when it did neither."""
    try:
        game.wait_ready(timeout=START_TIMEOUT)
    except AssertionError as e:
        if game.early_output is not None:
            return game.proc.returncode, game.early_output[1]
        game.kill()
        return None, str(e)
    status, _, err = game.quit(timeout=SECONDS)
    return status, err


def run_case(args, display, case):
    """Runs the game and the check on the case's directory; returns a list of what
    went wrong."""
    game = Game(args.binary, display=display, memory_limit_mb=LIMIT_MIB,
                settings="directory=data\nvideo=1\n" + case.settings,
                extra_env=case.env, prepare=hostile_world(args, case))
    wrong = []
    try:
        status, err = outcome(game)
        print("FIGURE %s: status %s, %.2f s, %s MiB" % (
            case.name, status, game.seconds or -1,
            "%.0f" % (game.peak_kib / 1024) if game.peak_kib else "?"))
        if status != case.status:
            wrong.append("status %s, %r" % (status, err))
        expected = case.message % {"path": "data/" + case.file} if case.message else ""
        if status is not None and not re.fullmatch(pattern(expected), err.strip()):
            wrong.append("stderr %r, expected %r" % (err.strip(), expected))
        if game.seconds is not None and game.seconds > SECONDS:
            wrong.append("took %.1f s" % game.seconds)
        if game.peak_kib is not None and game.peak_kib > PEAK_MIB * 1024:
            wrong.append("peak memory %d MiB" % (game.peak_kib // 1024))
        check_status, report = run_check(args, os.path.join(game.dir, "data"))
        expected_check = 1 if case.check.startswith(case.file + ":") else 0
        if check_status != expected_check or not re.search(pattern(case.check), report):
            wrong.append("check %s: %r, expected %r" % (check_status, report, case.check))
    finally:
        game.cleanup()
    return ["%s: %s" % (case.name, w) for w in wrong]


def run_cases(args, display, cases):
    wrong = []
    for case in cases:
        wrong += run_case(args, display, case)
    assert not wrong, "\n".join(wrong)


def pictures_past_the_screen_or_the_budget_are_refused(args, display):
    scratch = harness.tempfile.mkdtemp(prefix="varnok-pack-")
    # 510 entries naming one 8191x8191 record whose rows are all in the data: a
    # 14 KB file that decodes to just under 16 MiB.
    full = repeated(510, 8191, 8191, bytes(2048 * 8191))
    refused = "Bad data file '%(path)s': picture 0 is "
    cases = [
        Case("one record named 4 times, 8191\u00d732767", "dng1.4",
             packed(args, repeated(4, 8191, 32767), scratch), 1,
             refused + "8191\u00d732767, " + SCREEN, "dng1.4: picture 0 is 8191\u00d732767"),
        Case("one record named 64 times, 8191\u00d732767", "dng1.4",
             packed(args, repeated(64, 8191, 32767), scratch), 1,
             refused + "8191\u00d732767, " + SCREEN, "dng1.4: picture 0 is 8191\u00d732767"),
        Case("510 entries of 8191\u00d78191 (14 KB file)", "story2.4", packed(args, full, scratch),
             1, refused + "8191\u00d78191, " + SCREEN, "story2.4: picture 0 is 8191\u00d78191"),
        Case("a 0\u00d765535 picture", "end1.4", packed(args, repeated(1, 0, 65535), scratch), 1,
             refused + "0\u00d765535, " + SCREEN, "end1.4: picture 0 is 0\u00d765535"),
        Case("one 320\u00d7200 record named 4000 times", "story5.4",
             packed(args, repeated(4000, 320, 200, bytes(80 * 200)), scratch), 1,
             "Bad data file '%(path)s': picture <n> takes the pictures of the colour mode "
             "past 16777216 pixels", "story5.4: picture <n> takes the pictures"),
        # The engine keeps its zero-filling (an empty set); check warns.
        Case("a stream of a clear and an end code declaring 16 MiB", "text.4",
             clear_and_end(0xFFFFFF), 0, "",
             "warning: text.4: the stream ends after 0 of its 16777215 bytes"),
    ]
    shutil.rmtree(scratch, ignore_errors=True)
    run_cases(args, display, cases)


def folders_and_fifos_are_not_data(args, display):
    # Found before any window opens: the loaders' line, then where the directory
    # came from.
    cannot = ("Cannot open data file '%(path)s'\nThe data directory <dir> is named by "
              "directory= in settings.ini; 'varnok-data check <dir>' tells what is wrong with it.")
    cases = []
    for name in ("data.ovl", "arva.dat", "under.dat", "towne.npc", "look2.dat", "tiles.4",
                 "mon3.4", "ibm.ch"):
        for kind in ("folder", "fifo"):
            cases.append(Case("%s in place of %s" % (kind, name), name, kind, 1, cannot,
                              name + ": not a regular file"))
    for kind in ("folder", "fifo"):
        cases.append(Case("%s in place of towne.dat" % kind, "towne.dat", kind, 0,
                          "Warning: data file '%(path)s' is not a regular file",
                          "warning: towne.dat: not a regular file"))
    run_cases(args, display, cases)


def music_files_that_are_not_regular_mean_silence(args, display):
    cases = []
    for kind in ("folder", "fifo"):
        case = Case("%s as a music file" % kind, "music/overworld.wav", kind, 0,
                    "Warning: music file '%(path)s' is not a regular file",
                    "", settings="music=1\n", env={"SDL_AUDIODRIVER": "dummy"})
        cases.append(case)
    for case in cases:
        # The demo world's music.ini names music/overworld.wav for the world map.
        case.files = {"music.ini": "overworld = overworld.wav\n"}
    wrong = []
    for case in cases:
        wrong += run_music_case(args, display, case)
    assert not wrong, "\n".join(wrong)


def run_music_case(args, display, case):
    game = Game(args.binary, display=display, memory_limit_mb=LIMIT_MIB, files=case.files,
                settings="directory=data\n" + case.settings, extra_env=case.env,
                prepare=hostile_world(args, case))
    try:
        status, err = outcome(game)
        print("FIGURE %s: status %s, %.2f s" % (case.name, status, game.seconds or -1))
        expected = case.message % {"path": "data/" + case.file}
        if status != 0 or err.strip() != expected:
            return ["%s: status %s, %r" % (case.name, status, err)]
        return []
    finally:
        game.cleanup()


if __name__ == "__main__":
    harness.run([pictures_past_the_screen_or_the_budget_are_refused,
                 folders_and_fifos_are_not_data,
                 music_files_that_are_not_regular_mean_silence])
