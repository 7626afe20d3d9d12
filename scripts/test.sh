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

run_build() {
    local dir=$1
    local type=$2
    shift 2
    # VARNOK_TESTS=ON: a missing test library stops the run instead of leaving the tests out.
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" -DVARNOK_TESTS=ON "$@" >/dev/null
    cmake --build "$dir" -j "$jobs" -- --no-print-directory
    local log="$dir/ctest.log"
    if ctest --test-dir "$dir" -j "$jobs" --output-on-failure 2>&1 | tee "$log"; then
        :
    else
        failed=1
    fi
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
