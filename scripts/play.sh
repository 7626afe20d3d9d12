#!/usr/bin/env bash
# Builds the game and the data tool, writes the demo world into run/demo (again
# only when the tool has changed), and starts the game in run/. Arguments are
# passed on to the game (see ./build/varnok --help).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target varnok varnok-data -- --no-print-directory

mkdir -p run
stamp="$(sha256sum build/tools/varnok-data | cut -d' ' -f1)"
if [ ! -f run/demo/.tool-stamp ] || [ "$(cat run/demo/.tool-stamp)" != "$stamp" ]; then
    rm -rf run/demo
    build/tools/varnok-data demo run/demo
    echo "$stamp" > run/demo/.tool-stamp
fi
# The player's own run/settings.ini and run/music.ini are never touched: without a
# run/music.ini the game reads the demo world's own.
if [ ! -e run/settings.ini ]; then
    printf 'directory=demo\nmusic=1\nvideo=1\n' > run/settings.ini
fi

cd run
exec ../build/varnok "$@"
