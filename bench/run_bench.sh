#!/bin/sh
# Builds the run benchmark and times runs over generated input lists of 1,000
# and 10,000 URLs (or the sizes given), offscreen, in a temporary home.
# BENCH=edit_bench times the list editor instead (bench/edit_bench.sh).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
bench=${BENCH:-run_bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELPA_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" "$bench" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/$bench" "$@"
