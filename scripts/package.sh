#!/usr/bin/env bash
# Builds the Debian package of Quorvel: the programs alone, in release mode, in build-package/
# (or $QUORVEL_PACKAGE_DIR), then cpack. Prints the package's path on the last line.
# Install it with: sudo apt install ./build-package/quorvel_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_PACKAGE_DIR:-$root/build-package}

"$root/scripts/ensure_packages.sh" cmake ninja-build g++ pkg-config qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev dpkg-dev libofx-dev libcsv-dev
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BUILD_TESTS=OFF \
    -DQUORVEL_BUILD_BENCH=OFF
fi
cmake --build "$build" -j "$(nproc)" --target quorvel quorvel-cli quorvel-report-pdf quorvel-reconcile
(cd "$build" && cpack -G DEB >&2)
ls "$build"/quorvel_*.deb
