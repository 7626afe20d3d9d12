#!/usr/bin/env bash
# Installs the Debian packages the project needs, in groups:
#   (default)  building, playing and packaging the game
#   --test     the test toolchain: tests, benchmarks, fuzzing, package checks
#   --web      the toolchain of the browser build and its tests
# Idempotent and quiet: it only calls apt-get when something is missing, and then
# shows how much it fetches and one line per package as it is set up.
# Usage: scripts/install-deps.sh [--test] [--web]
set -euo pipefail

play=(
    cmake g++ make pkg-config
    libsdl1.2-dev libsdl-mixer1.2-dev libpng-dev
    # The desktop's event wait and its care of a lost display call Xlib itself.
    libx11-dev
    # CPack's Debian package: dpkg-shlibdeps finds the dependencies, file the programs.
    dpkg-dev file
)
test=(
    clang
    libgtest-dev libgmock-dev googletest libbenchmark-dev libgif-dev
    xvfb xdotool x11-apps python3 python3-xlib
    valgrind
    # The SDL 1.2 of newer distributions, beside the classic one: the tests that
    # open windows run on both.
    libsdl1.2-compat
    desktop-file-utils man-db lintian appstream
)
# The browser build: emscripten (and node, which runs its tools), the Ogg Vorbis
# encoder for the demo world's music, and Chromium with its driver for the
# browser tests.
web=(
    emscripten nodejs vorbis-tools
    chromium chromium-driver python3-selenium
)

packages=("${play[@]}")
for option in "$@"; do
    case "$option" in
        --test) packages+=("${test[@]}") ;;
        --web) packages+=("${web[@]}") ;;
        *)
            echo "install-deps.sh: unknown option '$option' (use --test, --web)" >&2
            exit 2
            ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
# A first test run installs more than a gigabyte: apt's own lines say how much
# (before it starts) and how far it has got, so the wait is not a silent one.
$SUDO apt-get install -y --no-install-recommends "${missing[@]}" |
    { grep -E --line-buffered '^(Need to get|After this operation|Setting up |[0-9]+ upgraded)' || true; }
