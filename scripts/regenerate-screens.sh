#!/usr/bin/env bash
# Rebuilds the game and the data tool, then retakes the start-screen references
# (tests/e2e/reference/start-4.png, start-16.png), the README copies in docs/ and
# the README's picture of the 4:3 window (docs/display-4x3.png).
# Look at the new pictures before committing them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build >/dev/null
cmake --build build -j2 --target varnok varnok-data
VARNOK_REGENERATE=1 /usr/bin/python3 tests/e2e/test_start_screen.py \
    --binary "$PWD/build/varnok" --build-dir "$PWD/build" --source-dir "$PWD"
VARNOK_REGENERATE=1 /usr/bin/python3 tests/e2e/test_display.py \
    --binary "$PWD/build/varnok" --build-dir "$PWD/build" --source-dir "$PWD"
