#!/bin/sh
# Times the list editor's listing, arrange and remove over generated lists of
# 25,000 and 100,000 records (or the counts given), in Release, offscreen, in
# a temporary home.
BENCH=edit_bench exec sh "$(dirname "$0")/run_bench.sh" "$@"
