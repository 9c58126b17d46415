#!/usr/bin/env bash
# Configures and builds into build/ (or $ZELKIT_BUILD_DIR); extra arguments go to cmake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELKIT_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DZELKIT_WERROR=ON "$@"
cmake --build "$build"
