#!/usr/bin/env bash
# Mirrors web sites served on 127.0.0.1 with kelpa, with `wget -r -l inf -np -k`
# and with a plain sequential HTTP/1.0 client fetching the same files, and
# prints per site and client the wall and CPU time, the run phase per page
# (total less a one-page run), system calls per page (when strace is
# installed) and the ratios kelpa/wget and kelpa/plain client, as medians of
# interleaved runs. Sites: a generated one per size given (default 2,000
# pages) and the HTML documentation of Debian's cmake-doc package.
#
#     bench/site_bench.sh [pages ...]
#
# KELPA=path/to/kelpa uses that program instead of building one in Release
# into build-bench (or BUILD_DIR). RUNS sets the runs per client and site
# (default 3). CMAKE_DOC=folder names the documentation's html folder; when
# unset it is extracted (apt-get download + dpkg-deb -x, never installed) into
# KELPA_BENCH_CACHE (default ~/.cache/kelpa-bench) once. NO_DOC=1 leaves that
# site out, NO_STRACE=1 the system call counts. BENCH_TIMEOUT bounds each run
# in seconds (default 900). KEEP=folder keeps kelpa's last mirror of each site
# there (mirror tree, KELPA.GOT, KELPA.LOG) to compare builds. Everything else
# runs in a temporary folder removed at the end, with the web servers.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bench=$root/bench
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(2000)
limit=${BENCH_TIMEOUT:-900}
runs=${RUNS:-3}
python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3

kelpa=${KELPA:-}
if [ -z "$kelpa" ]; then
    build=${BUILD_DIR:-$root/build-bench}
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DKELPA_BUILD_TESTS=OFF >/dev/null
    ninja -C "$build" kelpa >/dev/null
    kelpa=$build/main/kelpa
fi
kelpa=$(cd "$(dirname "$kelpa")" && pwd)/$(basename "$kelpa")

# The documentation site: extracted once from the Debian package.
doc=""
if [ "${NO_DOC:-0}" != 1 ]; then
    doc=${CMAKE_DOC:-}
    if [ -z "$doc" ]; then
        cache=${KELPA_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kelpa-bench}
        doc=$cache/cmake-doc/usr/share/doc/cmake-data/html
        if [ ! -f "$doc/index.html" ]; then
            mkdir -p "$cache"
            (cd "$cache" && apt-get download cmake-doc >/dev/null &&
                dpkg-deb -x "$(ls -t cmake-doc_*.deb | head -n 1)" cmake-doc)
        fi
    fi
    [ -f "$doc/index.html" ] || { echo "site_bench: no index.html in $doc" >&2; exit 1; }
    doc=$(cd "$doc" && pwd)
fi

have_strace=0
[ "${NO_STRACE:-0}" != 1 ] && command -v strace >/dev/null && have_strace=1
command -v wget >/dev/null || { echo "site_bench: wget is not installed" >&2; exit 1; }

tmp=$(mktemp -d "${TMPDIR:-/tmp}/kelpa-site-bench.XXXXXX")
servers=()
cleanup()
{
    for pid in "${servers[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The program's drive C: is the home folder: keep it and the desktop services
# inside the temporary folder.
export HOME=$tmp/home XDG_DATA_HOME=$tmp/home/.local/share XDG_CONFIG_HOME=$tmp/home/.config
export XDG_CACHE_HOME=$tmp/home/.cache XDG_RUNTIME_DIR=$tmp/runtime QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

free_port()
{
    "$python" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Serves folder $2 as site $1 on a port of its own (a threading server) for
# the whole bench; waits at most ten seconds for it to answer.
declare -A ports
serve()
{
    local port
    port=$(free_port)
    "$python" -m http.server --bind 127.0.0.1 --directory "$2" "$port" >/dev/null 2>&1 &
    servers+=($!)
    ports[$1]=$port
    for _ in $(seq 100); do
        if "$python" -c "import urllib.request as u; u.urlopen('http://127.0.0.1:$port/index.html', timeout=1)" \
            2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    echo "site_bench: the web server of $1 did not start" >&2
    exit 1
}

sites=(one)
mkdir -p "$tmp/sites/one"
printf '<html><body>one</body></html>\n' >"$tmp/sites/one/index.html"
serve one "$tmp/sites/one"
for size in "${sizes[@]}"; do
    sites+=("gen-$size")
    port=$(free_port)
    "$python" "$bench/make_site.py" "$tmp/sites/gen-$size" "$size" "http://127.0.0.1:$port" >/dev/null
    serve "gen-$size" "$tmp/sites/gen-$size"
    # make_site.py wrote absolute links with the port it was given.
    if [ "${ports[gen-$size]}" != "$port" ]; then
        rm -rf "$tmp/sites/gen-$size"
        "$python" "$bench/make_site.py" "$tmp/sites/gen-$size" "$size" \
            "http://127.0.0.1:${ports[gen-$size]}" >/dev/null
    fi
done
if [ -n "$doc" ]; then
    sites+=(cmake-doc)
    serve cmake-doc "$doc"
fi

# The commands of each client for site $1 in the current folder.
kelpa_task()
{
    printf 'Language=english\r\n' >KELPA.INI
    printf '%s\r\n' "TaskURL=http://127.0.0.1:${ports[$1]}/index.html" "Time=60 min" \
        "Depth=0" "RestHome=1" "LocalBrowsing=1" "SubDirectories=1" "SaveHTML=1" \
        "Directory=mirror" >site.tsk
}
client_command()
{
    local site=$1 client=$2
    case $client in
    kelpa) echo "$kelpa" site.tsk ;;
    wget) echo wget -r -l inf -np -k -q "http://127.0.0.1:${ports[$site]}/index.html" ;;
    plain) echo "$python" "$bench/plain_fetch.py" 127.0.0.1 "${ports[$site]}" "$tmp/urls-$site" plain ;;
    esac
}

# The files wget fetches from each site are the plain client's list and the
# figure every client's costs are divided by; this first run also warms the
# servers and the page cache.
: >"$tmp/pages"
for site in "${sites[@]}"; do
    mkdir -p "$tmp/warm/$site"
    (cd "$tmp/warm/$site" && wget -r -l inf -np -q -nH "http://127.0.0.1:${ports[$site]}/index.html") || true
    (cd "$tmp/warm/$site" && find . -type f | sed 's|^\.||' | sort) >"$tmp/urls-$site"
    [ "$site" = one ] || printf '%s\t%s\n' "$site" "$(wc -l <"$tmp/urls-$site")" >>"$tmp/pages"
done

# Interleaved runs: each repetition runs every site with every client. The
# outputs stay until the end: deleting many files just before creating many
# slows file creation on some file systems for a while.
: >"$tmp/times"
for run in $(seq "$runs"); do
    for site in "${sites[@]}"; do
        for client in kelpa wget plain; do
            work=$tmp/runs/$run/$site/$client
            mkdir -p "$work"
            if [ "$client" = kelpa ]; then (cd "$work" && kelpa_task "$site"); fi
            # shellcheck disable=SC2046
            "$python" "$bench/measure.py" "$tmp/times" "$site/$client" "$work" "$limit" \
                -- $(client_command "$site" "$client")
        done
    done
    echo "site_bench: run $run of $runs done" >&2
done

# System calls: one run each under strace -c -f.
: >"$tmp/syscalls"
if [ "$have_strace" -eq 1 ]; then
    for site in "${sites[@]}"; do
        for client in kelpa wget plain; do
            work=$tmp/strace/$site/$client
            mkdir -p "$work"
            if [ "$client" = kelpa ]; then (cd "$work" && kelpa_task "$site"); fi
            # shellcheck disable=SC2046
            (cd "$work" && timeout "$limit" strace -c -f -o "$work.strace" \
                $(client_command "$site" "$client") >/dev/null 2>&1) || true
            calls=$(awk '$NF == "total" { print $4 }' "$work.strace")
            printf '%s/%s\t%s\n' "$site" "$client" "$calls" >>"$tmp/syscalls"
        done
    done
fi

for site in "${sites[@]}"; do
    last=$tmp/runs/$runs/$site
    saved=$(find "$last/kelpa/mirror" -type f ! -name '_Index.html' ! -name '.kelpa-files' 2>/dev/null | wc -l)
    echo "$site: kelpa saved $saved files, wget $(find "$last/wget" -type f | wc -l), plain client $(find "$last/plain" -type f | wc -l)"
    if [ -n "${KEEP:-}" ] && [ "$site" != one ]; then
        mkdir -p "$KEEP"
        rm -rf "${KEEP:?}/$site"
        cp -a "$last/kelpa" "$KEEP/$site"
    fi
done
"$python" "$bench/report.py" "$tmp/times" "$tmp/syscalls" "$tmp/pages"
