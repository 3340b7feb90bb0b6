#!/bin/sh
# Runs a command on a private X server (Xvfb) whose windows twm manages, so
# that windows get the frames and title bars of a desktop.
# Usage: with-window-manager.sh COMMAND [ARGUMENT...]
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
for tool in xvfb-run twm; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
# twm reads its title font as a font set of the locale; under a UTF-8 locale
# without the matching X fonts it gives up at once, so it runs in the C locale,
# which every system has. A twm that is gone within its first second is
# reported rather than waited for: window tests make no sense without it.
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    log=$(mktemp)
    LC_ALL=C LANG=C twm -f "$0" >"$log" 2>&1 &
    wm=$!
    for tick in 1 2 3 4 5 6 7 8 9 10; do
        if ! kill -0 "$wm" 2>/dev/null; then
            echo "with-window-manager.sh: twm did not start:" >&2
            cat "$log" >&2
            rm -f "$log"
            exit 1
        fi
        sleep 0.1
    done
    rm -f "$log"
    status=0
    QT_QPA_PLATFORM=xcb "$@" || status=$?
    kill "$wm" 2>/dev/null || true
    exit "$status"' "$here/test.twmrc" "$@"
