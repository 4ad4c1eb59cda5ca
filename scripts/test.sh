#!/usr/bin/env bash
# Installs what is missing, builds for the device's 32-bit Windows target and runs every test under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$BUILD"
ctest --test-dir "$BUILD" --output-on-failure
