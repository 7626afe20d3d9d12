"""Hostile and odd data directories: the demo world with one file replaced by a
crafted picture file, a folder, a FIFO, a sparse file of gigabytes or a WAV file
whose header would crash the mixer. Each start-up ends in a few seconds with
bounded memory under an address-space limit (wall time and peak memory are
measured here, from wait4), with the stated status and message; `varnok-data
check` on the same directory names the file and never hangs. The data tool meets
hostile folders the same way, and nothing anywhere waits on a FIFO. Every case
prints a FIGURE line."""

import os
import re
import resource
import shutil
import struct
import subprocess
import time

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


class Sparse:
    """A file of `size` bytes that starts with `head` and takes no disk beyond it."""

    def __init__(self, head, size):
        self.head, self.size = head, size


def place(directory, name, content):
    path = os.path.join(directory, name)
    if os.path.isdir(path) and not os.path.islink(path):
        shutil.rmtree(path)
    elif os.path.lexists(path):
        os.remove(path)
    if content == "folder":
        os.mkdir(path)
    elif content == "fifo":
        os.mkfifo(path)
    elif isinstance(content, Sparse):
        with open(path, "wb") as f:
            f.write(content.head)
            f.truncate(content.size)
    else:
        with open(path, "wb") as f:
            f.write(content)


def run_check(args, directory, name):
    """`varnok-data check` on directory under the address-space limit, with its
    FIGURE line: (status, or None when it hung; its output; what went wrong with
    its time or memory)."""
    tool = os.path.join(args.build_dir, "tools", "varnok-data")
    status, report, seconds, peak = measured([tool, "check", directory, "--mode", "4"],
                                             os.path.dirname(directory), dict(os.environ))
    print("FIGURE check, %s: status %s, %.2f s, %s MiB" % (
        name, status, seconds, "%.0f" % peak if peak is not None else "?"))
    too_much = []
    if peak is not None and peak > PEAK_MIB:
        too_much.append("check's peak memory %d MiB" % peak)
    return status, report if status is not None else "check hung", too_much


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
        check_status, report, too_much = run_check(args, os.path.join(game.dir, "data"),
                                                   case.name)
        wrong += too_much
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
        # The engine keeps its zero-filling (an empty set); it and check warn alike.
        Case("a stream of a clear and an end code declaring 16 MiB", "text.4",
             clear_and_end(0xFFFFFF), 0,
             "Warning: data file '%(path)s': the stream ends after 0 of its 16777215 bytes; "
             "the rest reads as zeros",
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


def sparse_files_cost_what_a_normal_one_does(args, display):
    """Files of gigabytes that take no disk: each is read only as far as its format
    can use, under the 2 GiB address-space limit, in the time of a normal start."""
    demo = harness.demo_world(args)

    def head(name):
        with open(os.path.join(demo, name), "rb") as f:
            return f.read()
    longer = "longer than its layout; only its first %d bytes are read"
    # The demo world's tiles.4 declares 32768 bytes: 3 x 32768 + 7 can be a stream.
    cases = (("ibm.ch", 3 << 29, 1024), ("arva.dat", 3 << 29, 65536),
             ("arva.dat", (4 << 30) + 65536, 65536), ("under.dat", 5 << 30, 65536),
             ("tiles.4", 5 << 30, 3 * 32768 + 7))
    run_cases(args, display, [
        Case("a sparse %s of %d MiB" % (name, size >> 20), name, Sparse(head(name), size), 0,
             "Warning: data file '%(path)s' is " + longer % used,
             "warning: %s: %s" % (name, longer % used)) for name, size, used in cases])


def music_files_that_are_not_regular_mean_silence(args, display):
    cases = []
    for kind in ("folder", "fifo"):
        case = Case("%s as a music file" % kind, "music/overworld.wav", kind, 0,
                    "Warning: music file '%(path)s' is not a regular file",
                    "", settings="music=1\n", env={"SDL_AUDIODRIVER": "dummy"})
        cases.append(case)
    # WAV files whose headers made the mixer corrupt its heap and abort the game.
    impossible = "Warning: music file '%(path)s' has an impossible WAV header ("
    for what, wav, why in (
            ("sample rate 0", wave(2, 0, 16), "sample rate 0, not 1000-192000"),
            ("sample rate 1", wave(2, 1, 16), "sample rate 1, not 1000-192000"),
            ("no channels", wave(0, 22050, 16), "0 channels, not 1-8"),
            ("a LIST chunk of 4 GiB", b"RIFF\x10\0\0\0WAVELIST\xf0\xff\xff\xff" + bytes(8),
             "chunk of 4294967280 bytes at byte 12 runs past the end of the file")):
        cases.append(Case("a WAV file with %s" % what, "music/overworld.wav", wav, 0,
                          impossible + why + ")", "", settings="music=1\n",
                          env={"SDL_AUDIODRIVER": "dummy"}))
    for case in cases:
        # The demo world's music.ini names music/overworld.wav for the world map.
        case.files = {"music.ini": "overworld = overworld.wav\n"}
    outside = Case("a music.ini value outside the music folder", "music/overworld.wav",
                   wave(2, 22050, 16), 0, "", "", settings="music=1\n",
                   env={"SDL_AUDIODRIVER": "dummy"})
    outside.files = {"music.ini": "overworld = ../../../../etc/passwd\n"}
    outside.expected = ("music.ini:1: '../../../../etc/passwd' is not a file inside the music "
                        "folder; overworld is ignored")
    cases.append(outside)
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
        expected = getattr(case, "expected", None) or case.message % {"path": "data/" + case.file}
        if status != 0 or err.strip() != expected:
            return ["%s: status %s, %r" % (case.name, status, err)]
        return []
    finally:
        game.cleanup()


def wave(channels, rate, bits):
    """A WAV file of 4000 bytes of silence with the given format fields."""
    frame = channels * (bits // 8)
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * frame, frame, bits)
    body = b"WAVEfmt " + struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", 4000)
    return b"RIFF" + struct.pack("<I", len(body) + 4000) + body + bytes(4000)


def measured(argv, cwd, env, timeout=SECONDS):
    """Runs a command in its own process group under the address-space limit, its
    output in files (a runaway message cannot fill a pipe): (status, or None when
    it had to be killed; standard output and error; seconds; peak MiB, from wait4)."""
    def limit():
        size = LIMIT_MIB << 20
        resource.setrlimit(resource.RLIMIT_AS, (size, size))
    with open(os.path.join(cwd, ".out"), "w+b") as out, open(os.path.join(cwd, ".err"), "w+b") as err:
        started = time.monotonic()
        proc = subprocess.Popen(argv, cwd=cwd, env=env, stdout=out, stderr=err,
                                start_new_session=True, preexec_fn=limit)
        status = peak = None
        while time.monotonic() - started < timeout:
            pid, code, usage = os.wait4(proc.pid, os.WNOHANG)
            if pid != 0:
                status, peak = os.waitstatus_to_exitcode(code), usage.ru_maxrss / 1024
                proc.returncode = status
                break
            time.sleep(0.02)
        seconds = time.monotonic() - started
        if status is None:
            os.killpg(proc.pid, 9)
            proc.wait()
        out.seek(0)
        err.seek(0)
        # One after the other on lines of their own: standard output may end mid-line.
        text = (out.read(100000).decode(errors="replace") + "\n" +
                err.read(100000).decode(errors="replace"))
    return status, text, seconds, peak


def run_command_cases(cases, scratch):
    """Each case: (name, prepare(scratch) -> argv, status, a regular expression a
    line of the output must match). Returns what went wrong."""
    wrong = []
    for name, prepare, expected_status, message in cases:
        argv = prepare(scratch)
        env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy",
                   XDG_CONFIG_HOME=os.path.join(scratch, ".no-config"),
                   XDG_DATA_HOME=os.path.join(scratch, ".no-data"))
        status, output, seconds, peak = measured(argv, scratch, env)
        print("FIGURE %s: status %s, %.2f s, %s MiB" % (
            name, status, seconds, "%.0f" % peak if peak is not None else "?"))
        if status != expected_status or not re.search(message, output, re.M):
            wrong.append("%s: status %s, %r, expected a line matching %r" % (
                name, status, output[:300], message))
    return wrong


def scratch_world(args, scratch):
    """The demo world in scratch/world and its export in scratch/mod, made afresh."""
    tool = os.path.join(args.build_dir, "tools", "varnok-data")
    for name in ("world", "mod", "target", "out"):
        path = os.path.join(scratch, name)
        if os.path.lexists(path):
            subprocess.run(["rm", "-rf", path], check=True)
    shutil.copytree(harness.demo_world(args), os.path.join(scratch, "world"))
    subprocess.run([tool, "export", os.path.join(scratch, "world"), os.path.join(scratch, "mod"),
                    "--mode", "4"], check=True, capture_output=True)
    return tool


def fifo_in(args, where, argv):
    """A case's preparation: a FIFO at `where` (below scratch), then argv."""
    def prepare(scratch):
        tool = scratch_world(args, scratch)
        place(scratch, where, "fifo")
        return [word.replace("TOOL", tool).replace("GAME", args.binary) for word in argv]
    return prepare


def nothing_blocks_on_a_fifo(args, display):
    """A FIFO where a file is read: the game, check, export, import, pack and
    unpack each refuse it at once, never opening it for a read that would wait."""
    not_regular = "is not a regular file"
    cases = [
        ("game: data.ovl", fifo_in(args, "world/data.ovl", ["GAME", "--data", "world"]), 1,
         r"^Cannot open data file 'world/data.ovl'$"),
        # 4 colours chosen: left open, a FIFO among the 4-colour files means the
        # 16-colour mode.
        ("game: tiles.4", fifo_in(args, "world/tiles.4", ["GAME", "--data", "world",
                                                          "--colours", "4"]), 1,
         r"^Cannot open data file 'world/tiles.4'$"),
        ("check: look2.dat", fifo_in(args, "world/look2.dat", ["TOOL", "check", "world"]), 1,
         r"^look2.dat: not a regular file$"),
        ("export: look2.dat", fifo_in(args, "world/look2.dat", ["TOOL", "export", "world", "out"]),
         1, r"^varnok-data: world/look2.dat: " + not_regular + "$"),
        ("import: raw/data.ovl", fifo_in(args, "mod/raw/data.ovl", ["TOOL", "import", "mod",
                                                                    "target"]),
         1, r"^varnok-data: mod/raw/data.ovl: " + not_regular),
        ("import: locations.csv", fifo_in(args, "mod/locations.csv", ["TOOL", "import", "mod",
                                                                      "target"]),
         1, r"^varnok-data: mod/locations.csv: " + not_regular),
        ("import: tiles-4.png", fifo_in(args, "mod/tiles-4.png", ["TOOL", "import", "mod",
                                                                  "target"]),
         1, r"^varnok-data: mod/tiles-4.png: " + not_regular),
        ("pack", fifo_in(args, "in", ["TOOL", "pack", "in", "out"]), 1,
         r"^varnok-data: cannot read 'in': not a regular file$"),
        ("unpack", fifo_in(args, "in", ["TOOL", "unpack", "in", "out"]), 1,
         r"^varnok-data: cannot unpack 'in'$"),
    ]
    scratch = harness.tempfile.mkdtemp(prefix="varnok-fifo-")
    try:
        wrong = run_command_cases(cases, scratch)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    assert not wrong, "\n".join(wrong)


def edited(args, change, argv):
    """A case's preparation: change(scratch, tool) on a fresh world and export, then
    the data tool with argv."""
    def prepare(scratch):
        tool = scratch_world(args, scratch)
        change(scratch, tool)
        return [tool] + argv
    return prepare


def append_newlines(count):
    def change(scratch, _):
        with open(os.path.join(scratch, "mod/maps/overworld.txt"), "ab") as f:
            f.write(b"\n" * count)
    return change


def append_commas(scratch, _):
    with open(os.path.join(scratch, "mod/locations.csv"), "ab") as f:
        f.write(b"," * 16000000 + b"\n")


def first_word(word):
    def change(scratch, _):
        path = os.path.join(scratch, "mod/maps/underworld.txt")
        with open(path, "rb") as f:
            grid = f.read()
        with open(path, "wb") as f:
            f.write(word + grid[grid.index(b" "):])
    return change


def linked_look2(scratch, _):
    with open(os.path.join(scratch, "secret"), "w") as f:
        f.write("private key\n")
    os.remove(os.path.join(scratch, "mod/raw/look2.dat"))
    os.symlink(os.path.join(scratch, "secret"), os.path.join(scratch, "mod/raw/look2.dat"))


def small_pictures_named_often(scratch, tool):
    """story5.4 names one 1x1 picture 65,000 times: a 3 KB file the game refuses."""
    count = 65000
    raw = os.path.join(scratch, "raw.bin")
    with open(raw, "wb") as f:
        f.write(plain_pictures([2 + 4 * count] * count, record(1, 1, b"\0")))
    subprocess.run([tool, "pack", raw, os.path.join(scratch, "world/story5.4")], check=True)


def sparse_in(name, size):
    def change(scratch, _):
        place(scratch, name, Sparse(b"", size))
    return change


def the_data_tool_is_bounded_on_hostile_folders(args, display):
    """What a shared folder or a world can hold against the data tool: each case is
    refused in one short line, in the time and memory of a normal run."""
    escape = b"\x1b]0;owned\x07"
    cases = [
        ("import: 100 MB of newlines after maps/overworld.txt",
         edited(args, append_newlines(100000000), ["import", "mod", "target"]), 1,
         r"overworld.txt: \d{9} bytes, more than a text piece can be \(16 MiB\)$"),
        ("import: 16 million newlines (under 16 MiB) after maps/overworld.txt",
         edited(args, append_newlines(16000000), ["import", "mod", "target"]), 1,
         r"overworld.txt: 16000256 lines, more than a text piece can have \(65536\)$"),
        ("import: a line of 16 million commas in locations.csv",
         edited(args, append_commas, ["import", "mod", "target"]), 1,
         r"locations.csv:\d+: more than 16 fields$"),
        ("import: a 10 MB word in maps/underworld.txt",
         edited(args, first_word(b"x" * 10000000), ["import", "mod", "target"]), 1,
         r"^.{0,200}column 0: 'x{60}\u2026' is not a tile number 0-255$"),
        ("import: an escape sequence in maps/underworld.txt",
         edited(args, first_word(escape), ["import", "mod", "target"]), 1,
         r"column 0: '\\x1b\]0;owned\\x07' is not a tile number 0-255$"),
        ("import: raw/look2.dat a link to another file",
         edited(args, linked_look2, ["import", "mod", "target"]), 1,
         r"mod/raw/look2.dat: is not a regular file \(links are not followed here\)$"),
        ("export: a 3 KB picture file past the picture budget",
         edited(args, small_pictures_named_often, ["export", "world", "out"]), 1,
         r"^varnok-data: story5.4: picture \d+ takes the pictures of the colour mode past "
         r"16777216 pixels$"),
        ("pack: a sparse file of 5 GiB", edited(args, sparse_in("big", 5 << 30),
                                               ["pack", "big", "out"]), 1,
         r"^varnok-data: 'big' is too large to pack \(16 MiB at most\)$"),
    ]
    scratch = harness.tempfile.mkdtemp(prefix="varnok-tool-")
    try:
        wrong = run_command_cases(cases, scratch)
        if os.path.exists(os.path.join(scratch, "target")):
            wrong.append("a refused import left its target behind")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    assert not wrong, "\n".join(wrong)


if __name__ == "__main__":
    harness.run([pictures_past_the_screen_or_the_budget_are_refused,
                 folders_and_fifos_are_not_data,
                 sparse_files_cost_what_a_normal_one_does,
                 music_files_that_are_not_regular_mean_silence,
                 nothing_blocks_on_a_fifo,
                 the_data_tool_is_bounded_on_hostile_folders])
