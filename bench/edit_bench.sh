#!/bin/sh
# Builds the list editor benchmark in Release and times listing, arrange and
# remove over generated lists of 25,000 and 100,000 records (or the counts
# given), offscreen, in a temporary home.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELPA_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" edit_bench >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/edit_bench" "$@"
