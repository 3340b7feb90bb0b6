#!/usr/bin/env bash
# Installs what the build needs (Debian 12 packages) and builds into build/.
# Sourced by run.sh and test.sh; BUILD_TARGETS, when set, builds only those.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
packages=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libxkbcommon-dev libxcb1-dev fonts-dejavu-core xvfb xauth twm desktop-file-utils)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
