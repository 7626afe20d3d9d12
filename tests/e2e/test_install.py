"""`cmake --install` into a scratch prefix: every file in its place, the installed
game finding its demo world from any folder (also after the installation is moved),
a valid desktop entry and AppStream metadata, manual pages that render cleanly and
name every option and command, and a player's guide whose links all lead somewhere.
Also: a plain configuration on a machine without the test libraries."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import xml.etree.ElementTree as ElementTree

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
    programs = os.path.join(prefix, installation.PROGRAMS)
    assert sorted(os.listdir(programs)) == ["varnok", "varnok-data"], os.listdir(programs)
    assert not os.path.exists(os.path.join(prefix, "bin")), "programs in bin/"
    for program in ("varnok", "varnok-data"):
        assert os.access(os.path.join(programs, program), os.X_OK), program
    themed = os.path.join(prefix, "share/icons/hicolor")
    assert sorted(os.listdir(themed)) == sorted("%dx%d" % (n, n) for n in installation.ICON_SIZES)
    for size in installation.ICON_SIZES:
        icon = os.path.join(themed, "%dx%d/apps/varnok.png" % (size, size))
        assert installation.png_size(icon) == (size, size), icon
    version = installation.project_version(args.build_dir)
    done = run([os.path.join(programs, "varnok"), "--version"])
    assert done.returncode == 0 and done.stdout == "varnok %s\n" % version, done
    demo = os.path.join(prefix, "share", "varnok", "demo")
    done = run([os.path.join(programs, "varnok-data"), "check", demo])
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
        game = os.path.join(installation.PROGRAMS, "varnok")
        out = play_installed(os.path.join(prefix, game), display, scratch)
        assert "Data: %s/share/varnok/demo\n" % prefix in out, out
        # A whole installation moved elsewhere finds its own demo world.
        moved = os.path.join(_prefixes["scratch"], "moved")
        shutil.copytree(prefix, moved, symlinks=True)
        out = play_installed(os.path.join(moved, game), display, scratch)
        assert "Data: %s/share/varnok/demo\n" % moved in out, out
        # Its music.ini comes with it.
        play_installed(os.path.join(prefix, game), display, scratch, "--music",
                       sound="sound.raw")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


def desktop_entry_and_appstream_metadata_are_valid(args, display):
    prefix = installed(args)
    entry = os.path.join(prefix, "share/applications/varnok.desktop")
    done = run(["desktop-file-validate", entry])
    assert done.returncode == 0 and done.stdout + done.stderr == "", done.stdout + done.stderr
    with open(entry) as f:
        lines = f.read().splitlines()
    for line in ("Exec=varnok --error-window", "Icon=varnok", "Categories=Game;RolePlaying;", "Terminal=false"):
        assert line in lines, line
    # The whole tree: the metadata file named by its identifier, its launchable
    # desktop entry there; then the file alone, with nothing to remark.
    metainfo = os.path.join(prefix, "share/metainfo/%s.metainfo.xml" % installation.APPSTREAM_ID)
    for command in (["validate-tree", prefix], ["validate", metainfo]):
        done = run(["appstreamcli"] + command + ["--no-net"])
        assert done.returncode == 0 and done.stdout.strip() == "✔ Validation was successful.", \
            " ".join(command) + ": " + done.stdout + done.stderr
    component = ElementTree.parse(metainfo).getroot()
    assert component.findtext("id") == installation.APPSTREAM_ID
    assert component.find("launchable[@type='desktop-id']").text == "varnok.desktop"
    assert component.find("content_rating[@type='oars-1.1']") is not None
    # What the game does today and what it does not.
    description = " ".join(component.find("description").itertext())
    for word in ("walk", "enter", "climb", "talk", "fight", "save"):
        assert word in description, word
    assert component.find("screenshots") is None
    release = component.find("releases/release")
    assert release.get("version") == installation.project_version(args.build_dir), release.attrib
    assert re.fullmatch(r"\d{4}-\d\d-\d\d", release.get("date")), release.attrib


def players_guide_opens_like_the_readme_and_its_links_lead_somewhere(args, display):
    documents = os.path.join(installed(args), "share/doc/varnok")
    with open(os.path.join(documents, "GUIDE.md")) as f:
        guide = f.read()
    with open(os.path.join(args.source_dir, "README.md")) as f:
        readme = f.read()
    # The paragraph after the title: what the game does today and what it does not.
    opening = guide.split("\n\n")[1]
    assert "climb" in opening and "no combat" in opening, opening
    assert readme.split("\n\n")[1] == opening, "README.md and GUIDE.md open differently"
    for section in ("## Keys", "## Settings", "## Your own data"):
        assert "\n" + section + "\n" in guide, section
    # Every local link and picture of the installed guide, and of the pages it
    # links to, is installed beside it; every anchor names a heading of the guide.
    anchors = {re.sub(r"[^a-z0-9 -]", "", h.lower()).replace(" ", "-")
               for h in re.findall(r"^#+ (.+)$", re.sub(r"```.*?```", "", guide, flags=re.S),
                                   re.M)}
    links = re.findall(r"\]\(([^)]+)\)", guide)
    assert any(link.endswith(".png") for link in links), links
    for link in links:
        if link.startswith("#"):
            assert link[1:] in anchors, link
        else:
            assert os.path.isfile(os.path.join(documents, link.split("#")[0])), link


def a_plain_configuration_leaves_out_what_is_not_installed(args, display):
    """On a machine with only the packages of playing, `cmake -S . -B build`
    configures: each missing part says in one line that it is off."""
    scratch = tempfile.mkdtemp(prefix="varnok-configure-")
    try:
        command = ["cmake", "-S", args.source_dir, "-B", scratch,
                   "-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON",
                   "-DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON"]
        done = run(command)
        assert done.returncode == 0, done.stdout + done.stderr
        off = [line for line in done.stdout.splitlines() if " are off" in line]
        assert off == [
            "-- Tests are off: libgtest-dev not found "
            "(install with scripts/install-deps.sh --test)",
            "-- Benchmarks are off: libbenchmark-dev not found "
            "(install with scripts/install-deps.sh --test)"], off
        assert done.stderr == "", done.stderr
        assert not os.path.exists(os.path.join(scratch, "tests")), "tests configured"
        # Asked for, the tests are required.
        done = run(command + ["-DVARNOK_TESTS=ON"])
        assert done.returncode != 0 and "VARNOK_TESTS is ON but libgtest-dev" in done.stderr, \
            done.stdout + done.stderr
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


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
    game, tool = (os.path.join(prefix, installation.PROGRAMS, name)
                  for name in ("varnok", "varnok-data"))
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
                     desktop_entry_and_appstream_metadata_are_valid,
                     manual_pages_render_cleanly_and_name_everything,
                     players_guide_opens_like_the_readme_and_its_links_lead_somewhere,
                     a_plain_configuration_leaves_out_what_is_not_installed])
    finally:
        if "scratch" in _prefixes:
            shutil.rmtree(_prefixes["scratch"], ignore_errors=True)
