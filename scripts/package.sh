#!/usr/bin/env bash
# Builds the Debian package varnok_<version>_<arch>.deb in build-package/: the
# game, the data tool, the demo world, icon, desktop entry and manual pages.
# Install it with: sudo apt install ./build-package/varnok_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVARNOK_TESTS=OFF -DVARNOK_BENCH=OFF >/dev/null
cmake --build build-package -j "$(nproc)" -- --no-print-directory
rm -f build-package/varnok_*.deb
cpack --config build-package/CPackConfig.cmake -G DEB -B build-package
ls build-package/varnok_*.deb
