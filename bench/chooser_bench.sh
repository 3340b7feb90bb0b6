#!/bin/sh
# Builds the chooser benchmark and times the chooser over folders of 5,000 and
# 50,000 files (or the counts given), offscreen, in a temporary home.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELPA_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" chooser_bench >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/chooser_bench" "$@"
