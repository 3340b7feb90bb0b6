#!/bin/sh
# Runs a command on a private X server (Xvfb) whose windows twm manages, so
# that windows get the frames and title bars of a desktop.
# Usage: with-window-manager.sh COMMAND [ARGUMENT...]
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
for tool in xvfb-run twm; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    twm -f "$0" >/dev/null 2>&1 &
    wm=$!
    status=0
    QT_QPA_PLATFORM=xcb "$@" || status=$?
    kill "$wm" 2>/dev/null || true
    exit "$status"' "$here/test.twmrc" "$@"
