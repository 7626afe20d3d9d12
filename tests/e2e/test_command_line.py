"""The command line, where the settings and the data are looked for, and a
start-up without data that says what to do next: help, version, mistakes and
missing data all end before any window opens, unless --error-window asks for the
reason in a window of its own."""

import os
import re
import shutil
import subprocess

import harness
from harness import Game
from screen_text import CELL, TextReader


def project_version(args):
    with open(os.path.join(args.source_dir, "CMakeLists.txt")) as f:
        return re.search(r"project\(varnok VERSION (\S+)", f.read()).group(1)


def run_without_display(args, words, cwd, video_driver=None, extra_env=None):
    """The game with no X display. With video_driver set to one that does not
    exist, a run that reached video set-up would say "Video initialization
    failed"; without it SDL would draw in the terminal until killed."""
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "SDL_VIDEODRIVER")}
    env["XDG_CONFIG_HOME"] = os.path.join(cwd, ".no-config")
    env["XDG_DATA_HOME"] = os.path.join(cwd, ".no-data")
    if video_driver:
        env["SDL_VIDEODRIVER"] = video_driver
    env.update(extra_env or {})
    return subprocess.run([args.binary] + words, cwd=cwd, env=env, capture_output=True,
                          text=True, timeout=30)


def help_and_version_need_no_display(args, scratch):
    version = project_version(args)
    for words in (["--help"], ["-h"], ["--fullscreen", "--help", "no-such-dir"]):
        done = run_without_display(args, words, scratch)
        assert done.returncode == 0, (words, done.returncode, done.stderr)
        assert done.stdout.startswith("Usage: varnok [OPTIONS] [DATA_DIR]\n"), done.stdout
        assert "--colours 4|16" in done.stdout and done.stderr == "", done.stdout
    for words in (["--version"], ["-V"]):
        done = run_without_display(args, words, scratch)
        assert (done.returncode, done.stdout, done.stderr) == (0, "varnok %s\n" % version, "")
    # --help lists the keys in force: those of the settings file too, whose
    # mistakes it leaves for the game to tell.
    write(os.path.join(scratch, "settings.ini"), "key_north=w, nosuch\nkey_save=comma\nbogus=1\n")
    done = run_without_display(args, ["--help"], scratch)
    assert done.returncode == 0 and done.stderr == "", (done.returncode, done.stderr)
    assert "\n  key_north    [, [8], up, w\n" in done.stdout, done.stdout
    assert "\n  key_save     f5, comma\n" in done.stdout, done.stdout
    os.remove(os.path.join(scratch, "settings.ini"))
    tool = os.path.join(args.build_dir, "tools", "varnok-data")
    done = subprocess.run([tool, "--version"], capture_output=True, text=True, timeout=30)
    assert (done.returncode, done.stdout) == (0, "varnok-data %s\n" % version), done


def mistakes_end_with_status_two(args, scratch):
    cases = [(["--fulscreen"], "varnok: unknown option '--fulscreen'"),
             (["-q"], "varnok: unknown option '-q'"),
             (["--colours", "8"], "varnok: --colours takes 4 or 16, not '8'"),
             (["--data"], "varnok: option '--data' needs a value"),
             (["--music=yes"], "varnok: option '--music' takes no value"),
             (["one", "two"],
              "varnok: unexpected argument 'two': the data directory is already 'one'"),
             (["--config", "missing.ini"],
              "varnok: cannot read the settings file 'missing.ini': No such file or directory"),
             (["--config", "."], "varnok: cannot read the settings file '.': not a regular file")]
    for words, message in cases:
        done = run_without_display(args, words, scratch, video_driver="no-such-driver")
        assert done.returncode == 2, (words, done.returncode, done.stderr)
        assert done.stderr == message + "\nTry 'varnok --help'.\n", (words, done.stderr)
        assert done.stdout == "", (words, done.stdout)


def write(path, content):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(content)


def missing_data_says_where_it_looked(args, scratch):
    here = os.path.realpath(scratch)
    config = os.path.join(here, "config")
    share = os.path.join(here, "share")
    user_data = os.path.join(share, "varnok", "data")
    check = "; 'varnok-data check %s' tells what is wrong with it."
    # A directory that is there but holds only data.ovl: the first missing file,
    # then how many more.
    others = "34 other files the game needs are missing too."
    # (files to write, words, first line, second line, data directory shown)
    cases = [
        ({}, [], "Cannot open data file 'data.ovl'",
         "No data directory was given and none was found (the current directory, %s, an "
         "installed demo world): give one with --data DIR or directory= in settings.ini, or "
         "copy the game into %s; 'varnok-data check DIR' tells whether a directory will do."
         % (user_data, user_data), here),
        ({}, ["nowhere"], "Cannot open data file 'nowhere/data.ovl'",
         "The data directory %s/nowhere was given on the command line" % here
         + check % (here + "/nowhere"), here + "/nowhere"),
        ({"DATA.OVL": ""}, [], "Cannot open data file 'create.4'\n" + others,
         "The data directory %s is the current directory, which holds data.ovl" % here
         + check % here, here),
        ({"share/varnok/data/data.ovl": ""}, ["--colours", "16"],
         "Cannot open data file '%s/create.16'\n" % user_data + others,
         "The data directory %s is the per-user data folder" % user_data + check % user_data,
         user_data),
        ({"conf/s.ini": "directory=d\n"}, ["-c", "conf/s.ini"],
         "Cannot open data file 'conf/d/data.ovl'",
         "The data directory %s/conf/d is named by directory= in conf/s.ini" % here
         + check % (here + "/conf/d"), here + "/conf/d"),
        ({"config/varnok/settings.ini": "directory=/no/such/place\n"}, [],
         "Cannot open data file '/no/such/place/data.ovl'",
         "The data directory /no/such/place is named by directory= in "
         "%s/varnok/settings.ini" % config + check % "/no/such/place", "/no/such/place"),
        # A settings.ini here that gives no directory= leaves the player's own.
        ({"config/varnok/settings.ini": "directory=/no/such/place\n", "settings.ini": "music=0\n"},
         [], "Cannot open data file '/no/such/place/data.ovl'",
         "The data directory /no/such/place is named by directory= in "
         "%s/varnok/settings.ini" % config + check % "/no/such/place", "/no/such/place"),
    ]
    for files, words, first, second, shown in cases:
        for name, content in files.items():
            write(os.path.join(scratch, name), content)
        done = run_without_display(args, words, scratch, video_driver="no-such-driver",
                                   extra_env={"XDG_CONFIG_HOME": config,
                                              "XDG_DATA_HOME": share})
        assert done.returncode == 1, (words, done.returncode, done.stderr)
        assert done.stderr == first + "\n" + second + "\n", (words, done.stderr)
        assert done.stdout == "Data: %s\n" % shown, (words, done.stdout)
        for name in files:
            shutil.rmtree(os.path.join(scratch, name.split("/")[0]), ignore_errors=True)
            if os.path.isfile(os.path.join(scratch, name)):
                os.remove(os.path.join(scratch, name))


def with_display(test):
    def run(args, scratch):
        display = harness.Display()
        try:
            test(args, scratch, display)
        finally:
            display.close()
    run.__name__ = test.__name__
    return run


def options_override_the_settings(args, scratch):
    # Only the 16-colour graphics are there: the settings' 4-colour mode and their
    # directory would both fail; the options win over each, and over the window.
    files = {"data/" + name: content for name, content in harness.minimal_data().items()
             if not name.endswith(".4")}
    display = harness.Display("2048x1536x24")
    game = Game(args.binary, display=display, files=files,
                settings="video=1\ndirectory=nowhere\nscale=1\nfulscreen=1\nfullscreen=yes\n",
                args=["--colours", "16", "--window", "--scale", "2", "--aspect", "data"])
    try:
        game.wait_window()  # blank fonts: no first frame to wait for
        harness.poll(lambda: game.geometry() == (1280, 960), what="a 1280x960 window")
        status, out, err = game.quit()
        assert status == 0, "status %d, %s" % (status, err)
        assert out == "Data: %s/data\n" % os.path.realpath(game.dir), repr(out)
        assert err == ("settings.ini:4: unknown setting 'fulscreen'\n"
                       "settings.ini:5: 'yes' is not a number; fullscreen reads as 0\n"), err
    finally:
        game.cleanup()
        display.close()


def renamed_copy(world, target, rename):
    """A copy of the demo world with every file and folder name passed through
    rename."""
    for root, dirs, files in os.walk(world):
        relative = os.path.relpath(root, world)
        parts = [] if relative == "." else relative.split(os.sep)
        out = os.path.join(target, *[rename(p) for p in parts])
        os.makedirs(out, exist_ok=True)
        for name in files:
            shutil.copy(os.path.join(root, name), os.path.join(out, rename(name)))


@with_display
def upper_and_mixed_case_names_start_in_both_modes(args, scratch, display):
    world = harness.demo_world(args)
    upper = os.path.join(scratch, "UPPER")
    mixed = os.path.join(scratch, "Mixed")
    renamed_copy(world, upper, str.upper)
    renamed_copy(world, mixed, lambda name: name[:1].upper() + name[1:])
    assert os.path.exists(os.path.join(upper, "DATA.OVL"))
    for directory, colours in ((upper, "4"), (upper, "16"), (mixed, "4"), (mixed, "16")):
        # A display of its own each time: nothing of the game before (a window
        # going away, a key sent to it) reaches the next one.
        own = harness.Display()
        game = Game(args.binary, display=own, args=["--colours", colours, directory])
        try:
            game.wait_ready()
            status, out, err = game.quit()
            assert status == 0, "%s %s: status %d, %s" % (directory, colours, status, err)
            assert err == "", err
        finally:
            game.cleanup()
            own.close()


@with_display
def per_user_settings_and_data_are_found(args, scratch, display):
    config = os.path.join(scratch, "config")
    share = os.path.join(scratch, "share")
    write(os.path.join(config, "varnok", "settings.ini"), "video=0\n")
    os.makedirs(os.path.join(share, "varnok"))
    os.symlink(harness.demo_world(args), os.path.join(share, "varnok", "data"))
    game = Game(args.binary, display=display,
                extra_env={"XDG_CONFIG_HOME": config, "XDG_DATA_HOME": share})
    try:
        game.wait_ready()
        status, out, err = game.quit()
        assert status == 0, "status %d, %s" % (status, err)
        assert out == "Data: %s\n" % os.path.realpath(harness.demo_world(args)), out
    finally:
        game.cleanup()


NOTE = "Press any key to close this window."


def error_window_text(args, image):
    """The rows of text an error window shows, read cell by cell (the text starts
    one cell in from the corner; the corner pixel is the ground)."""
    reader = TextReader(os.path.join(harness.demo_world(args), "ibm.ch"))
    background = image.rgb[0:3]
    rows = []
    for row in range(1, image.height // CELL - 1):
        rows.append(reader.line(image, 1, row, image.width // CELL - 2, background))
    return rows


def wait_error_window(args, game, lines):
    """Polls for the window named like the game's that shows `lines` (as wrapped
    rows, joined again here) and the note; a game window that opened before the
    failure may be seen first. Returns its screenshot."""
    wanted = " ".join(lines) + " " + NOTE

    def shown():
        if game.reap():
            raise AssertionError("game ended: status %d" % game.proc.returncode)
        found = game.xdotool("search", "--name", "^%s$" % harness.CAPTION).stdout.split()
        for window in found:
            game.window = window
            try:
                image = game.screenshot()
            except subprocess.CalledProcessError:
                continue
            if " ".join(row for row in error_window_text(args, image) if row) == wanted:
                return image
        return None
    return harness.poll(shown, 30.0, "the error window")


@with_display
def error_window_shows_the_reason_until_a_key(args, scratch, display):
    # No data anywhere, as on a first start from the menu with nothing installed:
    # the lines of standard error, in a window, until a key; status and standard
    # error as without the option. The picture is docs/error-window.png.
    env = {"XDG_DATA_HOME": "/home/player/.local/share"}
    game = Game(args.binary, display=display, extra_env=env, args=["--error-window"])
    lines = ["Cannot open data file 'data.ovl'",
             "No data directory was given and none was found (the current directory, "
             "/home/player/.local/share/varnok/data, an installed demo world): give one with "
             "--data DIR or directory= in settings.ini, or copy the game into "
             "/home/player/.local/share/varnok/data; 'varnok-data check DIR' tells whether a "
             "directory will do."]
    try:
        image = wait_error_window(args, game, lines)
        reference = os.path.join(args.source_dir, "tests", "e2e", "reference",
                                 "error-window.png")
        if os.environ.get("VARNOK_REGENERATE") == "1":
            harness.write_png(reference, image)
            harness.write_png(os.path.join(args.source_dir, "docs", "error-window.png"), image)
        wanted = harness.read_png(reference)
        assert (image.width, image.height, image.rgb) == (wanted.width, wanted.height,
                                                          wanted.rgb), "differs from the reference"
        game.key("space")
        status, out, err = game.wait_exit()
        assert status == 1, "status %d" % status
        assert err == "\n".join(lines) + "\n", err
        assert out == "Data: %s\n" % os.path.realpath(game.dir), out
    finally:
        game.cleanup()


@with_display
def error_window_after_the_video_started_closes_with_the_window(args, scratch, display):
    # A file that is there but damaged is found once the game's own window is
    # open: that one goes, the error window comes, and its close button ends it.
    files = dict(harness.minimal_data(), **{"tiles.4": b"not packed"})
    game = Game(args.binary, display=display, files=files, args=["--error-window"])
    try:
        wait_error_window(args, game,
                          ["Bad data file 'tiles.4': not a valid LZW-compressed file"])
        game.close_window()
        status, _, err = game.wait_exit()
        assert (status, err) == (1, "Bad data file 'tiles.4': not a valid LZW-compressed "
                                    "file\n"), (status, err)
    finally:
        game.cleanup()


def error_window_without_a_display_changes_nothing(args, scratch):
    # Nothing to open it on: the same lines, the same status, at once.
    for driver in (None, "dummy"):
        done = run_without_display(args, ["--error-window", "nowhere"], scratch,
                                   video_driver=driver)
        assert done.returncode == 1, (driver, done.returncode)
        assert done.stderr.startswith("Cannot open data file 'nowhere/data.ovl'\n"), done.stderr
        assert done.stderr.count("\n") == 2, done.stderr


def main():
    tests = (help_and_version_need_no_display, mistakes_end_with_status_two,
             missing_data_says_where_it_looked, options_override_the_settings,
             upper_and_mixed_case_names_start_in_both_modes,
             per_user_settings_and_data_are_found, error_window_shows_the_reason_until_a_key,
             error_window_after_the_video_started_closes_with_the_window,
             error_window_without_a_display_changes_nothing)
    harness.run_in_scratch(tests, "varnok-cli-e2e-")


if __name__ == "__main__":
    main()
