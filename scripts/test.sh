#!/usr/bin/env bash
# Builds the project twice (plain, and with AddressSanitizer + UndefinedBehavior-
# Sanitizer) and runs every test in both builds; the browser test builds the web
# site too. Installs missing packages first: those of playing, the test toolchain
# and the browser build's.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh --test --web

jobs=$(nproc)
summary=()
failed=0

# The tests ctest has started and not yet ended, from its output so far.
running_tests() {
    local log=$1
    comm -23 <(sed -nE 's/^ *Start +[0-9]+: (.+)$/\1/p' "$log" | sort) \
        <(sed -nE 's/^.*Test +#[0-9]+: ([^ ]+) .*$/\1/p' "$log" | sort)
}

# While ctest has said nothing for 30 s, a line for each test still running: how
# long it has run and the last step it reported (tests/e2e/harness.py, progress).
watch_running() {
    local log=$1 progress=$2
    local -A since=()
    local size=0 quiet=0 now name step
    while sleep 5; do
        now=$(wc -c <"$log" 2>/dev/null || echo 0)
        if [ "$now" != "$size" ]; then
            size=$now
            quiet=0
        else
            quiet=$((quiet + 5))
        fi
        while read -r name; do
            [ -n "$name" ] && [ -z "${since[$name]:-}" ] && since[$name]=$SECONDS
        done < <(running_tests "$log")
        if [ "$quiet" -lt 30 ]; then
            continue
        fi
        quiet=0
        while read -r name; do
            [ -n "$name" ] || continue
            step=$(tail -n 1 "$progress/$name" 2>/dev/null || true)
            local took=$((SECONDS - ${since[$name]:-$SECONDS}))
            echo "        ... $name still running after $((took / 60)) min $((took % 60)) s${step:+: $step}"
        done < <(running_tests "$log")
    done
}

run_build() {
    local dir=$1
    local type=$2
    shift 2
    # VARNOK_TESTS=ON: a missing test library stops the run instead of leaving the tests out.
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" -DVARNOK_TESTS=ON "$@" >/dev/null
    cmake --build "$dir" -j "$jobs" -- --no-print-directory
    local log="$dir/ctest.log"
    # Each end-to-end group writes its steps to a file of its own here.
    export VARNOK_PROGRESS_DIR="$PWD/$dir/test-progress"
    rm -rf "$VARNOK_PROGRESS_DIR"
    mkdir -p "$VARNOK_PROGRESS_DIR"
    : >"$log"
    watch_running "$log" "$VARNOK_PROGRESS_DIR" &
    local watcher=$!
    if ctest --test-dir "$dir" -j "$jobs" --output-on-failure 2>&1 | tee "$log"; then
        :
    else
        failed=1
    fi
    kill "$watcher" 2>/dev/null || true
    wait "$watcher" 2>/dev/null || true
    summary+=("$dir: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
}

# The plain build is the Release type a player's build is; the sanitizers keep
# their debug information for readable reports.
run_build build Release
ASAN_OPTIONS=detect_leaks=1 run_build build-asan RelWithDebInfo -DVARNOK_SANITIZE=ON -DVARNOK_BENCH=OFF

# One closing line with the totals of both runs.
passed_total=0
failed_total=0
for dir in build build-asan; do
    line=$(grep -E 'tests passed, [0-9]+ tests failed out of' "$dir/ctest.log" | tail -n 1)
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*, ([0-9]+) tests failed.*/\1/' <<<"$line")
    passed_total=$((passed_total + total - bad))
    failed_total=$((failed_total + bad))
done
printf '%s\n' "${summary[@]}"
echo "total: ${passed_total} passed, ${failed_total} failed"
exit $failed
