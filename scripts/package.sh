#!/usr/bin/env bash
# Builds the Debian package varnok_<version>_<arch>.deb in build-package/ with
# Debian's default flags: the game, the data tool, the demo world, icons, desktop
# entry, AppStream metadata, manual pages and the player's guide.
# Install it with: sudo apt install ./build-package/varnok_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
# Debian's own compiler and linker flags, as a Debian package build takes them:
# hardening (stack protector, relro, immediate binding), fortified functions and
# format checks; the build type None adds nothing of its own.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DVARNOK_TESTS=OFF -DVARNOK_BENCH=OFF >/dev/null
cmake --build build-package -j "$(nproc)" -- --no-print-directory
rm -f build-package/varnok_*.deb
cpack --config build-package/CPackConfig.cmake -G DEB -B build-package
ls build-package/varnok_*.deb
