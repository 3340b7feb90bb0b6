#!/usr/bin/env bash
# Installs, builds and starts kelpa in its working folder ~/kelpa (C:\kelpa),
# creating the folder and a first KELPA.INI with the language line, as an
# installation would, when they are missing. An optional argument names a
# task file to load and run at once.
set -euo pipefail

BUILD_TARGETS="kelpa tolvex"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

# Kelpa is a desktop program: without a display Qt would only abort.
if [ -z "${DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: Kelpa is built, but it needs a display and DISPLAY is not set." >&2
    echo "Start it in a desktop session; a task file also runs unseen with:" >&2
    echo "    xvfb-run -a bash scripts/run.sh TASK.TSK" >&2
    exit 1
fi

# A task file named relative to where run.sh was called from.
args=()
for arg in "$@"; do
    [ -e "$arg" ] && arg="$(realpath "$arg")"
    args+=("$arg")
done

work="${KELPA_HOME:-$HOME/kelpa}"
mkdir -p "$work"
[ -e "$work/KELPA.INI" ] || printf 'Language=english\r\n' > "$work/KELPA.INI"
cd "$work"
exec "$root/build/main/kelpa" "${args[@]}"
