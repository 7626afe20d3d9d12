"""The varnok-data command line, and the game starting on the demo world it writes."""

import os
import resource
import shutil
import signal
import subprocess

import harness
from harness import Game


def tool(args):
    return os.path.join(args.build_dir, "tools", "varnok-data")


def run_tool(args, *words):
    return subprocess.run([tool(args)] + list(words), capture_output=True, text=True, timeout=60)


def help_lists_every_command(args, scratch):
    done = run_tool(args, "--help")
    assert done.returncode == 0, done.returncode
    for command in ("demo DIR", "check DIR [--mode 4|16]", "unpack IN OUT", "pack IN OUT",
                    "export DIR OUT [--mode 4|16] [--replace]", "import IN DIR"):
        assert ("varnok-data " + command) in done.stdout, done.stdout
    done = run_tool(args, "frobnicate")
    assert (done.returncode, done.stderr) == (
        2, "varnok-data: unknown command 'frobnicate'\nTry 'varnok-data --help'.\n"), done
    assert run_tool(args, "demo").returncode == 2
    assert run_tool(args, "check", scratch, "--mode", "8").returncode == 2
    assert run_tool(args, "--mode", "4", "pack", "a", "b").returncode == 2
    done = run_tool(args, "import", "a", "b", "--replace")
    assert (done.returncode, done.stderr.splitlines()[0]) == (
        2, "varnok-data: --replace applies to export only"), done


def check_says_what_its_argument_is(args, scratch):
    missing = os.path.join(scratch, "nowhere")
    done = run_tool(args, "check", missing)
    assert (done.returncode, done.stderr) == (2, "varnok-data: '%s' does not exist\n" % missing)
    a_file = os.path.join(scratch, "file")
    open(a_file, "w").close()
    done = run_tool(args, "check", a_file)
    assert (done.returncode, done.stderr) == (2, "varnok-data: '%s' is not a folder\n" % a_file)


def demo_makes_missing_folders_and_says_why_it_cannot(args, scratch):
    deep = os.path.join(scratch, "a", "b", "world")
    done = run_tool(args, "demo", deep)
    assert done.returncode == 0, done.stderr
    assert os.path.exists(os.path.join(deep, "data.ovl"))
    blocked = os.path.join(scratch, "file")
    open(blocked, "w").close()
    done = run_tool(args, "demo", os.path.join(blocked, "world"))
    assert done.returncode == 1
    assert done.stderr == ("varnok-data: cannot create the directory '%s/world': "
                           "Not a directory\n" % blocked), done.stderr


def demo_world_checks_sound(args, scratch):
    world = os.path.join(scratch, "world")
    done = run_tool(args, "demo", world)
    assert done.returncode == 0, done.stderr
    # Options anywhere, also in their --mode=N form.
    both = "4 colours: complete\n16 colours: complete\n"
    for words, modes in ((["check", world], both),
                         (["check", world, "--mode", "4"], "4 colours: complete\n"),
                         (["--mode=16", "check", world], "16 colours: complete\n"),
                         (["check", "--mode", "4", world], "4 colours: complete\n")):
        done = run_tool(args, *words)
        assert done.returncode == 0, done.stdout
        assert done.stdout == "%s: no problems found\n%s" % (world, modes), done.stdout
    assert os.path.exists(os.path.join(world, "music", "overworld.wav"))
    # After a warning the closing line does not say "no problems".
    os.remove(os.path.join(world, "towne.dat"))
    os.mkdir(os.path.join(world, "towne.dat"))
    done = run_tool(args, "check", world)
    assert done.returncode == 0, done.stdout
    assert done.stdout == ("warning: towne.dat: not a regular file; its settlements will "
                           "show tile 0\n"
                           "%s: no errors; 1 warning\n%s" % (world, both)), done.stdout


def check_names_each_broken_file(args, scratch):
    world = os.path.join(scratch, "broken")
    assert run_tool(args, "demo", world).returncode == 0
    os.remove(os.path.join(world, "keep.npc"))
    with open(os.path.join(world, "under.dat"), "r+b") as f:
        f.truncate(100)
    done = run_tool(args, "check", world)
    assert done.returncode == 1, done.returncode
    lines = done.stdout.splitlines()
    assert any(line.startswith("keep.npc: ") for line in lines), lines
    assert any(line.startswith("under.dat: ") for line in lines), lines
    # Names in another case are found as the game finds them, and shown as they are.
    for name in os.listdir(world):
        os.rename(os.path.join(world, name), os.path.join(world, name.upper()))
    done = run_tool(args, "check", world)
    assert done.returncode == 1, done.returncode
    lines = done.stdout.splitlines()
    assert any(line.startswith("keep.npc: ") for line in lines), lines
    verdicts = ["4 colours: incomplete, the files both modes use have problems",
                "16 colours: incomplete, the files both modes use have problems"]
    assert lines[-2:] == verdicts, lines
    assert [line for line in lines[:-2] if not line.startswith("keep.npc: ")] == \
        [line for line in lines if line.startswith("UNDER.DAT: ")], lines


def pack_and_unpack_round_trip(args, scratch):
    raw = os.path.join(scratch, "raw")
    data = bytes((i * 7 + i // 300) & 255 for i in range(200000))
    with open(raw, "wb") as f:
        f.write(data)
    packed, back = os.path.join(scratch, "packed"), os.path.join(scratch, "back")
    assert run_tool(args, "pack", raw, packed).returncode == 0
    assert run_tool(args, "unpack", packed, back).returncode == 0
    with open(back, "rb") as f:
        assert f.read() == data
    assert run_tool(args, "unpack", raw, back).returncode == 1


def export_and_import_from_the_command_line(args, scratch):
    world, out, back = (os.path.join(scratch, name) for name in ("world", "out", "back"))
    assert run_tool(args, "demo", world).returncode == 0
    done = run_tool(args, "export", world, out, "--mode", "16")
    assert done.returncode == 0, done.stderr
    assert done.stdout.splitlines()[-1].startswith("exported "), done.stdout
    assert run_tool(args, "export", world, out, "--mode", "8").returncode == 2
    done = run_tool(args, "export", world, world)
    assert (done.returncode, done.stderr) == (
        1, "varnok-data: %s: is the world folder itself; give another folder\n" % world), done
    # The README names the place of each settlement grid.
    with open(os.path.join(out, "README.txt")) as f:
        readme = f.read()
    assert "\n  maps/towne-00.txt     Harrowgate (location 0, a town), entered here\n" in readme
    done = run_tool(args, "import", out, back)
    assert done.returncode == 0, done.stderr
    # Every file of the 16-colour mode comes back, the music with them.
    assert "music/overworld.wav" in files_of(back), sorted(files_of(back))
    original = files_of(world)
    for name, data in files_of(back).items():
        assert original[name] == data, name
    locations = os.path.join(out, "locations.csv")
    with open(locations) as f:
        text = f.read()
    with open(locations, "w") as f:
        f.write(text.replace("Harrowgate", "A name far too long"))
    done = run_tool(args, "import", out, back)
    assert done.returncode == 1, done.returncode
    assert len(done.stderr.splitlines()) == 1, done.stderr
    assert "locations.csv:2: " in done.stderr, done.stderr
    # Every problem is named, then counted; nothing is written.
    with open(locations, "w") as f:
        f.write(text.replace("Harrowgate", "A name far too long")
                .replace("Millbrook", "Another name too long"))
    before = files_of(back)
    done = run_tool(args, "import", out, back)
    lines = done.stderr.splitlines()
    assert done.returncode == 1 and len(lines) == 3, done.stderr
    assert "locations.csv:2: " in lines[0] and "locations.csv:3: " in lines[1], lines
    assert lines[2] == "varnok-data: 2 problems; nothing imported", lines
    assert files_of(back) == before


def files_of(folder):
    """Every file below folder by its path inside it, with its bytes."""
    files = {}
    for top, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(top, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = f.read()
    return files


def an_upper_case_copy_goes_out_and_comes_back_under_its_names(args, scratch):
    copy, out = os.path.join(scratch, "COPY"), os.path.join(scratch, "out")
    assert run_tool(args, "demo", copy).returncode == 0
    for top, folders, names in os.walk(copy, topdown=False):
        for name in names + folders:
            os.rename(os.path.join(top, name), os.path.join(top, name.upper()))
    before = files_of(copy)
    done = run_tool(args, "export", copy, out)
    assert done.returncode == 0, done.stderr
    assert "both colour modes" in done.stdout, done.stdout
    # The music keeps its own names; the game finds them in any case.
    assert os.path.exists(os.path.join(out, "raw", "music", "OVERWORLD.WAV"))
    # Into the copy itself: the same names and bytes, no second spelling beside them.
    done = run_tool(args, "import", out, copy)
    assert done.returncode == 0, done.stderr
    assert files_of(copy) == before
    done = run_tool(args, "check", copy)
    assert done.returncode == 0, done.stdout


def file_size_limit(limit):
    """For preexec_fn: writes beyond `limit` bytes fail (with EFBIG, not a signal)."""
    def apply():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE,
                           (limit, resource.getrlimit(resource.RLIMIT_FSIZE)[1]))
    return apply


def export_and_import_never_lose_what_they_did_not_write(args, scratch):
    world, precious, mod = (os.path.join(scratch, name) for name in ("world", "precious", "mod"))
    assert run_tool(args, "demo", world).returncode == 0
    # A folder that merely holds one named raw is not an export.
    os.makedirs(os.path.join(precious, "raw"))
    with open(os.path.join(precious, "notes.txt"), "w") as f:
        f.write("keep")
    done = run_tool(args, "export", world, precious)
    assert (done.returncode, done.stderr) == (1, "varnok-data: %s: exists and is not an export "
                                              "folder; give a new or empty folder\n" % precious)
    assert sorted(os.listdir(precious)) == ["notes.txt", "raw"]
    assert sorted(os.listdir(scratch)) == ["precious", "world"]
    # An earlier export is replaced with --replace only.
    assert run_tool(args, "export", world, mod, "--mode", "4").returncode == 0
    done = run_tool(args, "export", world, mod, "--mode", "4")
    assert (done.returncode, done.stderr) == (
        1, "varnok-data: %s: holds an earlier export; give --replace to replace it\n" % mod)
    done = run_tool(args, "--replace", "export", world, mod, "--mode", "4")
    assert done.returncode == 0, done.stderr
    # An import that cannot write every file (the largest go past a file-size
    # limit) writes none of them, and removes a folder it made.
    fresh, kept = os.path.join(scratch, "fresh"), os.path.join(scratch, "kept")
    os.mkdir(kept)
    with open(os.path.join(kept, "notes.txt"), "w") as f:
        f.write("keep")
    for target in (fresh, kept):
        done = subprocess.run([tool(args), "import", mod, target], capture_output=True, text=True,
                              timeout=60, preexec_fn=file_size_limit(50000))
        assert done.returncode == 1, done
        assert done.stderr.endswith(": cannot be written (File too large); nothing imported\n")
        assert len(done.stderr.splitlines()) == 1, done.stderr
    assert not os.path.exists(fresh)
    assert os.listdir(kept) == ["notes.txt"]


# The status with which tests/preload/kill_at_rename.c ends the tool.
ENDED = 77


def run_ended_at(args, rename, *words):
    """The tool ended, as by a kill, just before its rename number `rename`."""
    env = dict(os.environ, LD_PRELOAD=os.path.join(args.build_dir, "tests", "libkill_at_rename.so"),
               VARNOK_KILL_AT_RENAME=str(rename))
    return subprocess.run([tool(args)] + list(words), capture_output=True, text=True, timeout=60,
                          env=env)


def kill_table(args, prepare, words, next_run, old, new, target, beside):
    """Ends the tool before each of its renames in turn and after the last one:
    `prepare` lays out the old state, `words` are the command, `next_run` the run
    after the kill. Counts what target holds then (old, new or mixed) and the
    kills after which hidden names stay beside it."""
    table = {"points": 0, "old": 0, "new": 0, "mixed": 0, "leftovers": 0}
    rename = 1
    while True:
        point = str(rename) if rename > 0 else "%d+" % -rename
        prepare()
        done = run_ended_at(args, point, *words)
        if done.returncode != ENDED:
            assert done.returncode == 0 and rename > 1, done.stderr
            rename = -(rename - 1)
            continue
        next_run()
        now = {name: data for name, data in files_of(target).items() if name[0] != "."}
        kind = "old" if now == old else "new" if now == new else "mixed"
        table["points"] += 1
        table[kind] += 1
        table["leftovers"] += any(name[0] == "." for name in os.listdir(beside))
        if rename < 0:
            break
        rename += 1
    print("kill table:", words[0], table)
    return table


def an_import_or_export_ended_at_any_rename_leaves_the_old_or_the_new(args, scratch):
    world, out, target = (os.path.join(scratch, name) for name in ("world", "out", "target"))
    assert run_tool(args, "demo", world).returncode == 0
    assert run_tool(args, "export", world, out, "--mode", "4").returncode == 0
    # The new world: a name changed, one music file changed and one added.
    locations = os.path.join(out, "locations.csv")
    with open(locations) as f:
        text = f.read()
    with open(locations, "w") as f:
        f.write(text.replace("Harrowgate", "Harrowgata"))
    with open(os.path.join(out, "raw", "music", "overworld.wav"), "r+b") as f:
        f.seek(100)
        f.write(b"changed")
    with open(os.path.join(out, "raw", "music", "added.wav"), "wb") as f:
        f.write(b"RIFF")
    old = files_of(world)
    shutil.copytree(world, target)
    assert run_tool(args, "import", out, target).returncode == 0
    new = files_of(target)

    def fresh_target():
        shutil.rmtree(target)
        shutil.copytree(world, target)
    table = kill_table(args, fresh_target, ("import", out, target),
                       lambda: run_tool(args, "check", target), old, new, target, target)
    assert table["points"] > 50 and table["mixed"] == 0 and table["leftovers"] == 0, table
    # export --replace: the old export back, or the new one whole. The run after
    # the kill reads the export without writing it (an import from it).
    earlier, later, replaced = (os.path.join(scratch, "exports", name)
                                for name in ("earlier", "later", "replaced"))
    os.mkdir(os.path.dirname(replaced))
    assert run_tool(args, "export", world, earlier, "--mode", "4").returncode == 0
    assert run_tool(args, "export", target, later, "--mode", "4").returncode == 0
    old, new = files_of(earlier), files_of(later)

    def earlier_export():
        shutil.rmtree(replaced, ignore_errors=True)
        shutil.copytree(earlier, replaced)

    def read_export():
        run_tool(args, "import", replaced, os.path.join(scratch, "read"))
        shutil.rmtree(os.path.join(scratch, "read"), ignore_errors=True)
    table = kill_table(args, earlier_export, ("export", target, replaced, "--mode", "4", "--replace"),
                       read_export, old, new, replaced, os.path.dirname(replaced))
    assert table["points"] >= 3 and table["mixed"] == 0 and table["leftovers"] == 0, table


def peak_memory_of(args, *words):
    """Runs the tool; its exit status and the most memory it held, in MB."""
    tool_run = subprocess.Popen([tool(args)] + list(words), stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(tool_run.pid, 0)
    tool_run.returncode = os.waitstatus_to_exitcode(status)
    return tool_run.returncode, usage.ru_maxrss / 1024


def music_goes_out_and_comes_back_as_a_stream(args, scratch):
    world, out, back = (os.path.join(scratch, name) for name in ("world", "out", "back"))
    assert run_tool(args, "demo", world).returncode == 0
    # Eight pieces of 250 MB each, sparse (a few bytes written in each), so that
    # the test costs little disk; held whole they would take 2 GB.
    size, marker_at = 250 * 10**6, 123456789
    for n in range(8):
        with open(os.path.join(world, "music", "big%d.wav" % n), "wb") as f:
            f.seek(marker_at)
            f.write(b"piece %d" % n)
            f.truncate(size)
    for words in (("export", world, out, "--mode", "4"), ("import", out, back)):
        status, megabytes = peak_memory_of(args, *words)
        print(words[0], "peak memory: %.0f MB" % megabytes)
        assert status == 0 and megabytes <= 300, (words[0], status, megabytes)
    for n in range(8):
        path = os.path.join(back, "music", "big%d.wav" % n)
        with open(path, "rb") as f:
            f.seek(marker_at)
            assert f.read(7) == b"piece %d" % n
        # The copy stays sparse, as the file was.
        assert os.stat(path).st_size == size and os.stat(path).st_blocks * 512 < 10**7, path


def game_starts_on_the_demo_world_in_both_modes(args, scratch):
    world = os.path.join(scratch, "played")
    assert run_tool(args, "demo", world).returncode == 0
    for video in ("1", "0"):
        display = harness.Display()
        game = Game(args.binary, settings="directory=%s\nvideo=%s\n" % (world, video),
                    display=display)
        try:
            game.wait_window()
            status, _, err = game.quit()
            assert status == 0, "video=%s: status %d, %s" % (video, status, err)
        finally:
            game.cleanup()
            display.close()


def icon_takes_only_the_listed_sizes(args, scratch):
    icon = os.path.join(scratch, "icon.png")
    for size in ("24", "64px", "", "4294967344"):
        done = run_tool(args, "icon", size, icon)
        assert done.returncode == 2, (size, done)
        assert "16, 32, 48, 64, 128, 192, 256 or 512" in done.stderr, (size, done)
        assert not os.path.exists(icon), size
    for size in (48, 128):
        done = run_tool(args, "icon", str(size), icon)
        assert done.returncode == 0, done.stderr
        with open(icon, "rb") as f:
            head = f.read(24)
        assert head[:8] == b"\x89PNG\r\n\x1a\n" and head[16:24] == bytes([0, 0, 0, size] * 2), head
    done = run_tool(args, "icon", "64", os.path.join(scratch, "missing", "icon.png"))
    assert done.returncode == 1 and "icon.png" in done.stderr, done


def main():
    tests = (help_lists_every_command, check_says_what_its_argument_is,
             demo_makes_missing_folders_and_says_why_it_cannot, demo_world_checks_sound,
             check_names_each_broken_file, pack_and_unpack_round_trip,
             export_and_import_from_the_command_line,
             an_upper_case_copy_goes_out_and_comes_back_under_its_names,
             export_and_import_never_lose_what_they_did_not_write,
             an_import_or_export_ended_at_any_rename_leaves_the_old_or_the_new,
             music_goes_out_and_comes_back_as_a_stream,
             icon_takes_only_the_listed_sizes,
             game_starts_on_the_demo_world_in_both_modes)
    harness.run_in_scratch(tests, "varnok-data-e2e-")


if __name__ == "__main__":
    main()
