#!/usr/bin/env bash
# Compares two kept mirrors of the site bench (KEEP=folder): the saved trees
# byte for byte, and KELPA.GOT, KELPA.LOG and the work lists with the port
# numbers, times and rates masked. Prints the differences; exits 1 when any.
#
#     bench/same_mirror.sh KEPT_BEFORE KEPT_AFTER
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: same_mirror.sh KEPT_BEFORE KEPT_AFTER" >&2; exit 2; }

# Ports differ from run to run; times, dates, durations and rates too.
mask()
{
    sed -E -e 's/kelpa-site-bench\.[A-Za-z0-9]+.runs.[0-9]+/BENCH/g' \
        -e 's/127\.0\.0\.1(:|_)[0-9]+/HOST\1PORT/g' \
        -e 's/ *\([0-9.,]+ *[kKM]?B\/s\)//g' \
        -e 's/[0-9]{1,2}:[0-9]{2}:[0-9]{2}/TIME/g' \
        -e 's/[0-9]{4}-[0-9]{2}-[0-9]{2}/DATE/g' "$1"
}

status=0
for site in "$1"/*/; do
    site=$(basename "$site")
    before=$1/$site after=$2/$site
    [ -d "$after" ] || { echo "$site: missing in $2"; status=1; continue; }
    a=$(cd "$before/mirror" && find . -type f ! -name .kelpa-files | sed -E 's/127\.0\.0\.1_[0-9]+/127.0.0.1_PORT/' | sort)
    b=$(cd "$after/mirror" && find . -type f ! -name .kelpa-files | sed -E 's/127\.0\.0\.1_[0-9]+/127.0.0.1_PORT/' | sort)
    if [ "$a" != "$b" ]; then
        echo "$site: the saved trees hold other files"
        diff <(echo "$a") <(echo "$b") | head -20
        status=1
    else
        ha=$(basename "$(ls -d "$before/mirror"/127.0.0.1_*)")
        hb=$(basename "$(ls -d "$after/mirror"/127.0.0.1_*)")
        while read -r name; do
            fa=$before/mirror/${name//127.0.0.1_PORT/$ha}
            fb=$after/mirror/${name//127.0.0.1_PORT/$hb}
            if ! cmp -s <(mask "$fa") <(mask "$fb"); then
                echo "$site: $name differs"
                status=1
            fi
        done <<<"$a"
    fi
    for list in KELPA.GOT KELPA.LOG LINKS0.INP LINKS1.INP; do
        [ -f "$before/$list" ] || [ -f "$after/$list" ] || continue
        if ! diff <(mask "$before/$list") <(mask "$after/$list") >/dev/null; then
            echo "$site: $list differs"
            diff <(mask "$before/$list") <(mask "$after/$list") | head -10
            status=1
        fi
    done
done
[ "$status" -eq 0 ] && echo "same mirrors, lists and logs"
exit "$status"
