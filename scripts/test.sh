#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test; then builds the core,
# formats and command-line tool again with the address and undefined-behaviour sanitizers and
# runs their tests once more.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"

ZELKIT_BUILD_DIR="$root/build" bash "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=RelWithDebInfo
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
# GUI tests need an X server; xvfb-run gives each run its own.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$root/build" --output-on-failure -j2

ZELKIT_BUILD_DIR="$root/build-sanitize" bash "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Debug \
  -DZELKIT_SANITIZE=ON -DZELKIT_BUILD_GUI=OFF -DZELKIT_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-sanitize" --output-on-failure -j2 -L 'core|formats|cli'
