#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing need; with
# --web also those of the browser build and its tests (scripts/web.sh).
# Idempotent and quiet: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config clang
    libsdl1.2-dev libsdl-mixer1.2-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libgif-dev libpng-dev
    xvfb xdotool x11-apps python3 python3-xlib
    valgrind
    desktop-file-utils man-db dpkg-dev file
)

# The browser build: emscripten, the Ogg Vorbis encoder for the demo world's
# music, and Chromium with its driver for the browser tests.
web_packages=(
    emscripten nodejs vorbis-tools
    chromium chromium-driver python3-selenium
)
for argument in "$@"; do
    case "$argument" in
    --web) packages+=("${web_packages[@]}") ;;
    *)
        echo "Usage: scripts/install-deps.sh [--web]" >&2
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
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
