"""The Debian package made by CPack: its name, control fields and dependencies,
the files it holds where a games package holds them, lintian finding nothing, its
changelog and AppStream metadata, and that what it unpacks runs where it lands."""

import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile

import harness
import installation


def run(command, timeout=60):
    # No window even if an option is not understood and the game starts.
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
    done = subprocess.run(command, capture_output=True, text=True, timeout=timeout, env=env)
    assert done.returncode == 0, " ".join(command) + ": " + done.stdout + done.stderr
    return done.stdout


def make_package(args, scratch):
    run(["cpack", "--config", os.path.join(args.build_dir, "CPackConfig.cmake"),
         "-G", "DEB", "-B", scratch], timeout=900)
    arch = run(["dpkg", "--print-architecture"]).strip()
    name = "varnok_%s_%s.deb" % (installation.project_version(args.build_dir), arch)
    packages = [f for f in os.listdir(scratch) if f.endswith(".deb")]
    assert packages == [name], packages
    return os.path.join(scratch, name)


def control_fields_and_dependencies(args, package):
    info = run(["dpkg-deb", "--info", package])
    fields = dict(re.findall(r"^ ([A-Z][\w-]*): (.*)$", info, re.M))
    assert fields["Package"] == "varnok", fields
    assert fields["Version"] == installation.project_version(args.build_dir), fields
    assert fields["Section"] == "games", fields
    assert fields["Priority"] == "optional", fields
    assert re.fullmatch(r"[^<>]+ <[^<>@ ]+@[^<>@ ]+>", fields["Maintainer"]), fields
    assert "role-playing game" in fields["Description"], fields
    assert "General Public License, version 2 or later" in info, info
    depends = [d.split()[0] for d in fields["Depends"].split(", ")]
    for runtime in ("libsdl1.2", "libsdl-mixer1.2", "libpng"):
        assert any(d.startswith(runtime) for d in depends), depends
    # The description is wrapped for the terminals package tools show it on.
    description = info[info.index(" Description:"):].splitlines()
    for line in description[:1] + [d for d in description[1:] if d.startswith("  ")]:
        assert len(line) <= 80, "description line too long: " + line


def contents(args, package):
    listed = {line.split()[-1] for line in run(["dpkg-deb", "--contents", package]).splitlines()}
    missing = ["./usr/" + name for name in installation.EXPECTED_FILES
               if "./usr/" + name not in listed]
    assert not missing, missing
    # Programs only in /usr/games.
    programs = sorted(name for name in listed if re.match(r"\./usr/(s?bin|games)/.", name))
    assert programs == ["./usr/games/varnok", "./usr/games/varnok-data"], programs
    # The whole demo world, both colour modes and every piece of music.
    demo = [name for name in listed if name.startswith("./usr/share/varnok/demo/")]
    assert len(demo) > 60, len(demo)


def lintian_finds_nothing(args, package):
    # Errors and warnings fail; the informational tags are printed for the log.
    done = subprocess.run(["lintian", "--display-info", package],
                          capture_output=True, text=True, timeout=300)
    print(done.stdout, end="")
    assert done.returncode == 0, done.stdout + done.stderr
    problems = [line for line in done.stdout.splitlines() if line.startswith(("E: ", "W: "))]
    assert not problems, problems


def changelog_and_metadata_name_this_version(args, package):
    root = tempfile.mkdtemp(prefix="varnok-unpacked-")
    try:
        run(["dpkg-deb", "-x", package, root])
        version = installation.project_version(args.build_dir)
        with gzip.open(os.path.join(root, "usr/share/doc/varnok/changelog.gz"), "rt") as f:
            latest = f.readline()
        assert latest.startswith("varnok (%s) " % version), latest
        metainfo = os.path.join(root, "usr/share/metainfo/%s.metainfo.xml"
                                % installation.APPSTREAM_ID)
        done = subprocess.run(["appstreamcli", "validate", "--no-net", metainfo],
                              capture_output=True, text=True, timeout=60)
        print(done.stdout, end="")
        assert done.returncode == 0 and done.stdout.strip() == "✔ Validation was successful.", \
            done.stdout + done.stderr
        with open(metainfo) as f:
            assert '<release version="%s"' % version in f.read()
    finally:
        shutil.rmtree(root, ignore_errors=True)


def unpacked_programs_run(args, package):
    root = tempfile.mkdtemp(prefix="varnok-unpacked-")
    try:
        run(["dpkg-deb", "-x", package, root])
        usr = os.path.join(root, "usr")
        version = installation.project_version(args.build_dir)
        games = os.path.join(usr, "games")
        assert run([os.path.join(games, "varnok"), "--version"]) == "varnok %s\n" % version
        # run() fails on any problem the check finds.
        run([os.path.join(games, "varnok-data"), "check",
             os.path.join(usr, "share", "varnok", "demo")])
        stripped = run(["file", "-L", os.path.join(games, "varnok")])
        assert "not stripped" not in stripped, stripped
    finally:
        shutil.rmtree(root, ignore_errors=True)


def main():
    args = harness.parse_args()
    scratch = tempfile.mkdtemp(prefix="varnok-package-")
    failures = 0
    try:
        harness.progress("make_package")
        package = make_package(args, scratch)
        print("PASS make_package")
        for test in (control_fields_and_dependencies, contents, lintian_finds_nothing,
                     changelog_and_metadata_name_this_version, unpacked_programs_run):
            harness.progress(test.__name__)
            try:
                test(args, package)
                print("PASS", test.__name__)
            except AssertionError as e:
                failures += 1
                print("FAIL", test.__name__, "-", e)
    except AssertionError as e:
        failures += 1
        print("FAIL make_package -", e)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
