#!/usr/bin/env bash
# Builds the libFuzzer targets of the data-file readers with clang into build-fuzz/,
# writes their seed corpora from the demo world, and runs each target in turn for
# SECONDS (default 60), one at a time, and prints the executions each one made.
# Findings land in build-fuzz/findings/TARGET/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(lzw_file lzw_decode pictures tiles fonts scale game_data ini startup import music save_text)
fi

./scripts/install-deps.sh --test

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DVARNOK_FUZZ=ON -DVARNOK_TESTS=OFF \
    -DVARNOK_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 -- --no-print-directory

# Seeds: regenerated on every run; the corpora grow in build-fuzz/corpus/.
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions="$PWD/fuzz/lsan.supp"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
rm -rf "$build/seeds"
ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/fuzz_make_seeds" "$build/seeds"

# The targets make their scratch data directories here; the working directory
# holds no "settings.ini" or "music.ini".
scratch="$build/scratch"
rm -rf "$scratch"
mkdir -p "$scratch"
export TMPDIR="$PWD/$scratch"

failed=()
executions=()
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    findings="$build/findings/$target"
    mkdir -p "$corpus" "$findings"
    seeds="$build/seeds/$target"
    [ -d "$seeds" ] || seeds=""
    echo "== $target: ${seconds}s"
    # Fork mode on one worker: a slow or memory-hungry input is noted and skipped;
    # a crash still ends the run.
    if (cd "$scratch" && "../fuzz/fuzz_$target" -max_total_time="$seconds" -fork=1 \
            -ignore_timeouts=1 -ignore_ooms=1 -rss_limit_mb=2048 -timeout=20 \
            -artifact_prefix="../findings/$target/" "../corpus/$target" \
            ${seeds:+"../seeds/$target"}) >"$build/fuzz-$target.log" 2>&1; then
        grep -E '^#[0-9]+: cov' "$build/fuzz-$target.log" | tail -n 1 || true
    else
        failed+=("$target")
        grep -E 'ERROR|SUMMARY|Test unit written' "$build/fuzz-$target.log" | head -n 5 || true
    fi
    # The fork-mode status lines start with the number of executions so far.
    runs=$(grep -oE '^#[0-9]+' "$build/fuzz-$target.log" | tail -n 1 | tr -d '#')
    executions+=("$(printf '%-12s %10s executions in %ss' "$target" "${runs:-0}" "$seconds")")
done

printf '%s\n' "${executions[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "crashes in: ${failed[*]} (see $build/fuzz-TARGET.log and $build/findings/)"
    exit 1
fi
echo "no crashes"
