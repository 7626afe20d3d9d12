#!/usr/bin/env bash
# Builds the game for the browser into build-web/site/: the page (index.html,
# page.js, page.css, the icons), the web app manifest, the engine compiled by
# emscripten (varnok.js, varnok.wasm), the demo world in both colour modes, its
# music as Ogg Vorbis, and the service worker (sw.js) that keeps all of them for
# offline play, stamped with the build.
#   scripts/web.sh                 build the site
#   scripts/web.sh --serve [PORT]  build it, then serve it on 127.0.0.1 (port 8000)
# Installs its packages first (scripts/install-deps.sh --web).
set -euo pipefail
cd "$(dirname "$0")/.."

serve=0
port=8000
case "${1:-}" in
"") ;;
--serve)
    serve=1
    port="${2:-8000}"
    ;;
*)
    echo "Usage: scripts/web.sh [--serve [PORT]]" >&2
    exit 2
    ;;
esac
if ! [[ "$port" =~ ^[0-9]+$ ]] || [ "$port" -lt 1 ] || [ "$port" -gt 65535 ]; then
    echo "scripts/web.sh: '$port' is not a port number" >&2
    exit 2
fi

./scripts/install-deps.sh --web

# The native data tool, which writes the demo world.
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build -j "$(nproc)" --target varnok-data -- --no-print-directory

# The engine for the browser. An optimised link runs emscripten's JavaScript
# tools, which find their parser among Debian's node modules.
emcmake cmake -S web -B build-web/engine -DCMAKE_BUILD_TYPE=Release >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build build-web/engine -j "$(nproc)" -- --no-print-directory

# The demo world, again only when the tool has changed; its music as Ogg Vorbis
# (a tenth of the size of the WAV files the tool writes).
demo=build-web/demo
stamp="$(sha256sum build/tools/varnok-data | cut -d' ' -f1)"
if [ ! -f "$demo/.tool-stamp" ] || [ "$(cat "$demo/.tool-stamp")" != "$stamp" ]; then
    rm -rf "$demo"
    build/tools/varnok-data demo "$demo" >/dev/null
    for wav in "$demo"/music/*.wav; do
        oggenc --quiet --quality 2 --output "${wav%.wav}.ogg" "$wav"
        rm "$wav"
    done
    sed -i 's/\.wav$/.ogg/' "$demo/music.ini"
    echo "$stamp" > "$demo/.tool-stamp"
fi

site=build-web/site
rm -rf "$site"
mkdir -p "$site"
cp web/index.html web/page.js web/page.css web/manifest.webmanifest \
    build-web/engine/varnok.js build-web/engine/varnok.wasm "$site"/
cp -r "$demo" "$site/demo"
rm "$site/demo/.tool-stamp"
# The page's icon: the demo world's hero, as the native window's.
build/tools/varnok-data icon 32 "$site/icon.png" >/dev/null
# The manifest's icons, for the page installed as an app.
build/tools/varnok-data icon 192 "$site/icon-192.png" >/dev/null
build/tools/varnok-data icon 512 "$site/icon-512.png" >/dev/null
# The service worker, with the list of every file of the site ("./" is the
# page) and a stamp of their contents: another build is another worker.
files="$(cd "$site" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)"
build_stamp="$(cd "$site" && echo "$files" | xargs sha256sum | sha256sum | cut -c1-16)"
file_list="$(echo "$files" | sed 's/.*/"&"/' | paste -sd, -)"
sed -e "s|@BUILD@|$build_stamp|" -e "s|@FILES@|[\"./\",$file_list]|" web/sw.js > "$site/sw.js"
echo "Site: $site"

if [ "$serve" -eq 1 ]; then
    echo "Serving the game on http://127.0.0.1:$port/ (Ctrl+C stops)"
    exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
fi
