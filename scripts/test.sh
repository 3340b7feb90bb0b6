#!/usr/bin/env bash
# Installs, builds and runs every test with ctest (headless).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
