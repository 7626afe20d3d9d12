#!/usr/bin/env bash
# Builds the game and the data tool, writes the demo world into run/demo (again
# only when the tool has changed), and starts the game in run/.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target varnok varnok-data -- --no-print-directory

mkdir -p run
stamp="$(sha256sum build/tools/varnok-data | cut -d' ' -f1)"
if [ ! -f run/demo/.tool-stamp ] || [ "$(cat run/demo/.tool-stamp)" != "$stamp" ]; then
    rm -rf run/demo
    build/tools/varnok-data demo run/demo
    echo "$stamp" > run/demo/.tool-stamp
fi
# The game reads music.ini from its current directory.
cp run/demo/music.ini run/music.ini
if [ ! -f run/settings.ini ]; then
    printf 'directory=demo\nmusic=1\nvideo=1\n' > run/settings.ini
fi

cd run
exec ../build/varnok
