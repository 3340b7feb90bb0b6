#!/usr/bin/env bash
# Installs, builds and runs every test with ctest (headless).
set -euo pipefail
BUILD_TYPE="${BUILD_TYPE:-Debug}"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
