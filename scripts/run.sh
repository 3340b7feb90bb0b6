#!/usr/bin/env bash
# Installs, builds and starts kelpa in its working folder ~/kelpa (C:\kelpa),
# creating the folder and a first KELPA.INI with the language line, as an
# installation would, when they are missing. An optional argument names a
# task file to load and run at once.
set -euo pipefail
BUILD_TARGETS="kelpa tolvex"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

work="${KELPA_HOME:-$HOME/kelpa}"
mkdir -p "$work"
[ -e "$work/KELPA.INI" ] || printf 'Language=english\r\n' > "$work/KELPA.INI"
cd "$work"
exec "$root/build/main/kelpa" "$@"
