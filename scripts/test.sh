#!/usr/bin/env bash
# Installs what is missing, builds for the flavour this machine runs (scripts/flavour.sh: the
# device's 32-bit target where it can) and runs every test under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
source scripts/flavour.sh
ulvo_say_flavour
BUILD=$(ulvo_build_dir)
ulvo_configure "$BUILD"
cmake --build "$BUILD"
ctest --test-dir "$BUILD" --output-on-failure
