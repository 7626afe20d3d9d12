"""`cmake --install` into a scratch prefix: every file in its place, the installed
game finding its demo world from any folder (also after the installation is moved),
a valid desktop entry, and manual pages that render cleanly and name every option
and command."""

import gzip
import os
import re
import shutil
import signal
import subprocess
import tempfile

import harness
import installation
from harness import Game, poll

_prefixes = {}


def installed(args):
    """One installation per run of this script, made on first use."""
    if "prefix" not in _prefixes:
        scratch = os.path.realpath(tempfile.mkdtemp(prefix="varnok-install-"))
        prefix = os.path.join(scratch, "prefix with space")
        installation.install(args.build_dir, prefix)
        _prefixes["scratch"], _prefixes["prefix"] = scratch, prefix
    return _prefixes["prefix"]


def run(command, env=None):
    # No window even if an option is not understood and the game starts.
    env = dict(env or os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
    return subprocess.run(command, capture_output=True, text=True, timeout=60, env=env)


def every_file_is_in_its_place(args, display):
    prefix = installed(args)
    missing = [name for name in installation.EXPECTED_FILES
               if not os.path.isfile(os.path.join(prefix, name))]
    assert not missing, missing
    for program in ("varnok", "varnok-data"):
        assert os.access(os.path.join(prefix, "bin", program), os.X_OK), program
    for size in (64, 256):
        icon = os.path.join(prefix, "share/icons/hicolor/%dx%d/apps/varnok.png" % (size, size))
        assert installation.png_size(icon) == (size, size), icon
    version = installation.project_version(args.build_dir)
    done = run([os.path.join(prefix, "bin", "varnok"), "--version"])
    assert done.returncode == 0 and done.stdout == "varnok %s\n" % version, done
    demo = os.path.join(prefix, "share", "varnok", "demo")
    done = run([os.path.join(prefix, "bin", "varnok-data"), "check", demo])
    assert done.returncode == 0, done.stdout


def play_installed(binary, display, scratch, *options, sound=None):
    """Starts the installed game in an empty folder for a user with nothing set
    up, waits for its first frame and ends it with SIGTERM; returns its output.
    With `sound` (a file name) the disk audio driver writes what plays into it,
    and the game ends once that is more than silence."""
    env = installation.empty_user_environment(scratch)
    if sound is not None:
        env.update(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=os.path.join(scratch, sound),
                   SDL_DISKAUDIODELAY="20")
    game = Game(binary, display=display, extra_env=env, args=options)
    try:
        game.wait_ready()
        if sound is not None:
            poll(lambda: audible(os.path.join(scratch, sound)), what="the demo world's music")
        game.proc.send_signal(signal.SIGTERM)
        status, out, err = game.wait_exit()
        assert status == 0, "status %d, %s" % (status, err)
        assert os.listdir(game.dir) == [], os.listdir(game.dir)
        return out
    finally:
        game.cleanup()


def audible(path):
    if not os.path.exists(path):
        return False
    with open(path, "rb") as f:
        return any(f.read())


def installed_game_plays_its_demo_world_from_anywhere(args, display):
    prefix = installed(args)
    scratch = tempfile.mkdtemp(prefix="varnok-user-")
    try:
        out = play_installed(os.path.join(prefix, "bin", "varnok"), display, scratch)
        assert "Data: %s/share/varnok/demo\n" % prefix in out, out
        # A whole installation moved elsewhere finds its own demo world.
        moved = os.path.join(_prefixes["scratch"], "moved")
        shutil.copytree(prefix, moved, symlinks=True)
        out = play_installed(os.path.join(moved, "bin", "varnok"), display, scratch)
        assert "Data: %s/share/varnok/demo\n" % moved in out, out
        # Its music.ini comes with it.
        play_installed(os.path.join(prefix, "bin", "varnok"), display, scratch, "--music",
                       sound="sound.raw")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


def desktop_entry_is_valid(args, display):
    entry = os.path.join(installed(args), "share/applications/varnok.desktop")
    done = run(["desktop-file-validate", entry])
    assert done.returncode == 0 and done.stdout + done.stderr == "", done.stdout + done.stderr
    with open(entry) as f:
        lines = f.read().splitlines()
    for line in ("Exec=varnok", "Icon=varnok", "Categories=Game;RolePlaying;", "Terminal=false"):
        assert line in lines, line


def page_text(prefix, page):
    """The page as `man` renders it at 80 columns; a warning fails the test."""
    path = os.path.join(prefix, "share/man/man6", page + ".6.gz")
    env = dict(os.environ, MANWIDTH="80", MANPAGER="cat", PAGER="cat", LC_ALL="C.UTF-8")
    done = run(["man", "--warnings", "-l", path], env=env)
    assert done.returncode == 0 and done.stderr == "", page + ": " + done.stderr
    assert max(len(line) for line in done.stdout.splitlines()) <= 80, page
    return re.sub(r".\x08", "", done.stdout)


def manual_pages_render_cleanly_and_name_everything(args, display):
    prefix = installed(args)
    game, tool = (os.path.join(prefix, "bin", name) for name in ("varnok", "varnok-data"))
    text = page_text(prefix, "varnok")
    for option in sorted(set(re.findall(r"--[a-z][a-z-]*", run([game, "--help"]).stdout))):
        assert option in text, "varnok.6 does not name " + option
    for section in ("SYNOPSIS", "OPTIONS", "SETTINGS", "KEYS", "FILES", "EXIT STATUS"):
        assert "\n" + section in text, "varnok.6 has no " + section
    text = page_text(prefix, "varnok-data")
    for command in re.findall(r"^  varnok-data (\w+)", run([tool, "--help"]).stdout, re.M):
        assert "varnok-data " + command in text, "varnok-data.6 does not name " + command
    assert "\nEXIT STATUS" in text


if __name__ == "__main__":
    try:
        harness.run([every_file_is_in_its_place,
                     installed_game_plays_its_demo_world_from_anywhere,
                     desktop_entry_is_valid,
                     manual_pages_render_cleanly_and_name_everything])
    finally:
        if "scratch" in _prefixes:
            shutil.rmtree(_prefixes["scratch"], ignore_errors=True)
