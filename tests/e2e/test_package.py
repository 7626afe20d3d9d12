"""The Debian package made by CPack: its name, control fields and dependencies,
the files it holds, and that what it unpacks runs where it lands."""

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
    # The whole demo world, both colour modes and every piece of music.
    demo = [name for name in listed if name.startswith("./usr/share/varnok/demo/")]
    assert len(demo) > 60, len(demo)


def unpacked_programs_run(args, package):
    root = tempfile.mkdtemp(prefix="varnok-unpacked-")
    try:
        run(["dpkg-deb", "-x", package, root])
        usr = os.path.join(root, "usr")
        version = installation.project_version(args.build_dir)
        assert run([os.path.join(usr, "bin", "varnok"), "--version"]) == "varnok %s\n" % version
        # run() fails on any problem the check finds.
        run([os.path.join(usr, "bin", "varnok-data"), "check",
             os.path.join(usr, "share", "varnok", "demo")])
        stripped = run(["file", "-L", os.path.join(usr, "bin", "varnok")])
        assert "not stripped" not in stripped, stripped
    finally:
        shutil.rmtree(root, ignore_errors=True)


def main():
    args = harness.parse_args()
    scratch = tempfile.mkdtemp(prefix="varnok-package-")
    failures = 0
    try:
        package = make_package(args, scratch)
        print("PASS make_package")
        for test in (control_fields_and_dependencies, contents, unpacked_programs_run):
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
