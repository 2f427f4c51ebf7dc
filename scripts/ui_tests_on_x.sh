#!/usr/bin/env bash
# Runs the desktop tests once more on a real X server (Xvfb through xvfb-run), where focus,
# window activation and Tab order behave as on a treasurer's screen; ./test runs them
# offscreen. Builds first. Arguments go to the test binary (e.g. --gtest_filter=SetupTest.*).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD_DIR:-$root/build}

"$root/scripts/ensure_packages.sh" xvfb xauth qt6-qpa-plugins
"$root/scripts/build.sh"
echo "== ui tests on an X server (xvfb-run) =="
# The window manager is left out on purpose: the tests may not depend on one.
QT_QPA_PLATFORM=xcb xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
  "$build/bin/quorvel-ui-tests" --gtest_brief=1 "$@"
