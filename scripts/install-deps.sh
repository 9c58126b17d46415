#!/usr/bin/env bash
# Installs every package the build, the tests and the editor need, by name (Debian 12, as root).
set -euo pipefail
packages=(
  # build and test
  g++ cmake ninja-build pkgconf libgtest-dev libgmock-dev libbenchmark-dev
  # core and formats
  libsquish-dev libsimpleini-dev libstb-dev libjpeg62-turbo-dev
  # command-line tool
  libcli11-dev nlohmann-json3-dev
  # editor and model view
  qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev libglu1-mesa-dev libgl1-mesa-dri
  gstreamer1.0-plugins-base
  # GUI tests under a virtual X server
  xvfb xauth fonts-dejavu-core
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
