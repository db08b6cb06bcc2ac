#!/usr/bin/env bash
# Builds Vellix (warnings are errors) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${VELLIX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLIX_WERROR=ON "$@"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
