#!/usr/bin/env bash
# Configures (once) and builds the project in build/ (or $QUORVEL_BUILD_DIR).
# Extra arguments go to cmake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD_DIR:-$root/build}

"$root/scripts/ensure_packages.sh" cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
  qt6-base-dev libgl-dev fonts-dejavu-core fonts-liberation2

if [ ! -f "$build/build.ninja" ] || [ $# -gt 0 ]; then
  cmake -S "$root" -B "$build" -G Ninja "$@"
fi
cmake --build "$build" -j "$(nproc)"
