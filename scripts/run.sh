#!/usr/bin/env bash
# Installs the dependencies, builds, and starts the program's main job.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
ZELKIT_BUILD_DIR="$root/build" bash "$root/scripts/build.sh" -DZELKIT_BUILD_GUI=OFF -DBUILD_TESTING=OFF -DZELKIT_BUILD_BENCH=OFF
"$root/build/src/cli/zelkit-cli" --help
