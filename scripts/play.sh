#!/usr/bin/env bash
# Builds the game and starts it. Installs missing packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target varnok -- --no-print-directory

mkdir -p run
cd run
exec ../build/varnok
