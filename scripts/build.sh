#!/usr/bin/env bash
# Configures (once) and builds the project in build/ (or $QUORVEL_BUILD_DIR).
# Extra arguments go to cmake's configure step. QUORVEL_TARGETS="quorvel quorvel-cli" builds
# only those targets (and what they need) instead of everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD_DIR:-$root/build}

"$root/scripts/ensure_packages.sh" cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
  libcsv-dev qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev fonts-dejavu-core fonts-liberation2 libofx-dev

if [ ! -f "$build/build.ninja" ] || [ $# -gt 0 ]; then
  cmake -S "$root" -B "$build" -G Ninja "$@"
fi
targets=()
for target in ${QUORVEL_TARGETS:-}; do targets+=(--target "$target"); done
cmake --build "$build" -j "$(nproc)" "${targets[@]}"
