#!/usr/bin/env bash
# Times kelpa mirroring a generated site served on 127.0.0.1, for 500 and
# 2,000 pages (or the sizes given), and prints pages per second. When wget is
# installed it mirrors the same site in the same run and the ratio of the two
# rates is printed. Everything runs in a temporary folder that is removed at
# the end, together with the web server.
#
#     bench/site_bench.sh [pages ...]
#
# KELPA=path/to/kelpa uses that program instead of building one in Release
# into build-bench (or BUILD_DIR). BENCH_TIMEOUT bounds each mirror run in
# seconds (default 900).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(500 2000)
limit=${BENCH_TIMEOUT:-900}
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

tmp=$(mktemp -d "${TMPDIR:-/tmp}/kelpa-site-bench.XXXXXX")
server=""
cleanup()
{
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
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

port=$("$python" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
base=http://127.0.0.1:$port

# Serves folder $1 on the port in the background (a threading server); waits
# at most ten seconds for it to answer.
serve()
{
    "$python" -m http.server --bind 127.0.0.1 --directory "$1" "$port" >/dev/null 2>&1 &
    server=$!
    for _ in $(seq 100); do
        if "$python" -c "import urllib.request as u; u.urlopen('$base/index.html', timeout=1)" \
            2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    echo "site_bench: the web server did not start" >&2
    exit 1
}

stop_serving()
{
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    server=""
}

# Seconds since the epoch with nanoseconds.
now()
{
    date +%s.%N
}

# HTML files below folder $1, less kelpa's own index page.
count_pages()
{
    find "$1" -type f \( -name '*.html' -o -name '*.htm' \) ! -name '_Index.html' | wc -l
}

# Runs kelpa on the site in a fresh working folder $1; prints the seconds.
run_kelpa()
{
    local work=$1
    mkdir -p "$work"
    printf 'Language=english\r\n' >"$work/KELPA.INI"
    printf '%s\r\n' "TaskURL=$base/index.html" "Time=60 min" "Depth=0" "LocalBrowsing=1" \
        "SaveHTML=1" "Directory=mirror" >"$work/site.tsk"
    local start end status=0
    start=$(now)
    (cd "$work" && timeout "$limit" "$kelpa" site.tsk >/dev/null 2>&1) || status=$?
    end=$(now)
    if [ "$status" -ne 0 ]; then
        echo "site_bench: kelpa ended with status $status" >&2
        exit 1
    fi
    awk "BEGIN { print $end - $start }"
}

# Runs wget on the site in folder $1; prints the seconds.
run_wget()
{
    local work=$1 start end status=0
    mkdir -p "$work"
    start=$(now)
    (cd "$work" && timeout "$limit" wget -r -l inf -np -k -q "$base/index.html") || status=$?
    end=$(now)
    if [ "$status" -ne 0 ] && [ "$status" -ne 8 ]; then
        echo "site_bench: wget ended with status $status" >&2
        exit 1
    fi
    awk "BEGIN { print $end - $start }"
}

# $1 / $2 with one decimal.
rate()
{
    awk "BEGIN { printf \"%.1f\", $1 / $2 }"
}

# Start-up and end of kelpa without a site: one page, measured once and
# printed so that the fixed cost shows apart from the per-page cost.
mkdir -p "$tmp/one"
printf '<html><body>one</body></html>\n' >"$tmp/one/index.html"
serve "$tmp/one"
fixed=$(run_kelpa "$tmp/kelpa-one")
stop_serving
printf 'kelpa start-up and end (one page): %.2f s\n' "$fixed"

have_wget=0
command -v wget >/dev/null && have_wget=1
for size in "${sizes[@]}"; do
    site=$tmp/site-$size
    expected=$("$python" "$root/bench/make_site.py" "$site" "$size" "$base")
    serve "$site"
    seconds=$(run_kelpa "$tmp/kelpa-$size")
    got=$(count_pages "$tmp/kelpa-$size/mirror")
    kelpa_rate=$(rate "$got" "$seconds")
    printf '%5d pages: kelpa %d/%d pages in %.2f s = %s pages/s' \
        "$size" "$got" "$expected" "$seconds" "$kelpa_rate"
    printf ' (%s pages/s without start-up)\n' "$(rate "$got" "$(awk "BEGIN { print $seconds - $fixed }")")"
    if [ "$have_wget" -eq 1 ]; then
        seconds=$(run_wget "$tmp/wget-$size")
        got=$(count_pages "$tmp/wget-$size")
        wget_rate=$(rate "$got" "$seconds")
        printf '%5d pages: wget  %d/%d pages in %.2f s = %s pages/s; kelpa/wget = %.2f\n' \
            "$size" "$got" "$expected" "$seconds" "$wget_rate" \
            "$(awk "BEGIN { print $kelpa_rate / $wget_rate }")"
    fi
    stop_serving
    rm -rf "$site" "$tmp/kelpa-$size" "$tmp/wget-$size"
done
[ "$have_wget" -eq 1 ] || echo "wget is not installed: no comparison"
