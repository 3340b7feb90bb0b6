#!/bin/sh
# Builds the options benchmark and times "Dirs" over input lists of 1,000 and
# 10,000 directories and the "http://" removal on as many words (or the
# counts given), offscreen, in a temporary home.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELPA_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" options_bench >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/options_bench" "$@"
