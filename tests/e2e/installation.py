"""Helpers for the installation tests: the project's version, an installation
into a scratch prefix, and the files every installation (and the package) holds."""

import os
import re
import struct
import subprocess
import tempfile


def project_version(build_dir):
    with open(os.path.join(build_dir, "CMakeCache.txt")) as f:
        return re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(.+)$", f.read(), re.M).group(1)


def install(build_dir, prefix):
    done = subprocess.run(["cmake", "--install", build_dir, "--prefix", prefix],
                          capture_output=True, text=True, timeout=120)
    assert done.returncode == 0, done.stdout + done.stderr


# Where the programs are, under the prefix: where a games package puts them.
PROGRAMS = "games"

# The sizes of the icon in the hicolor theme.
ICON_SIZES = (16, 32, 48, 64, 128, 256)

# The AppStream identifier, the name of the metadata file.
APPSTREAM_ID = "org.example.varnok"

# Relative to the prefix; the package holds them under usr/.
EXPECTED_FILES = [
    PROGRAMS + "/varnok",
    PROGRAMS + "/varnok-data",
    "share/varnok/demo/data.ovl",
    "share/varnok/demo/tiles.4",
    "share/varnok/demo/tiles.16",
    "share/varnok/demo/music.ini",
    "share/varnok/demo/music/overworld.wav",
    "share/applications/varnok.desktop",
    "share/metainfo/%s.metainfo.xml" % APPSTREAM_ID,
    "share/man/man6/varnok.6.gz",
    "share/man/man6/varnok-data.6.gz",
    "share/doc/varnok/GUIDE.md",
    "share/doc/varnok/docs/start-4.png",
    "share/doc/varnok/changelog.gz",
    "share/doc/varnok/LICENSE",
    "share/doc/varnok/copyright",
] + ["share/icons/hicolor/%dx%d/apps/varnok.png" % (size, size) for size in ICON_SIZES]


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR", path
    return struct.unpack(">II", head[16:24])


def empty_user_environment(scratch):
    """HOME and every XDG folder at fresh empty folders: a user with nothing set up."""
    env = {}
    for name in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                 "XDG_STATE_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_DIRS"):
        env[name] = tempfile.mkdtemp(prefix=name.lower() + "-", dir=scratch)
    return env
