#!/usr/bin/env bash
# Fails on format drift and on clang-tidy findings; CI runs both.
#   scripts/lint.sh                 format check over src tests bench, then clang-tidy over src
#   scripts/lint.sh --tidy-only     clang-tidy only
#   scripts/lint.sh --format-only   format check only
# clang-tidy reads the compile commands of build/ (or $QUORVEL_BUILD_DIR), so configure it first
# (./scripts/build.sh or ./test).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD_DIR:-$root/build}

format=1
tidy=1
case "${1:-}" in
  "") ;;
  --tidy-only) format=0 ;;
  --format-only) tidy=0 ;;
  *) echo "usage: scripts/lint.sh [--tidy-only | --format-only]" >&2; exit 2 ;;
esac

"$root/scripts/ensure_packages.sh" clang-format clang-tidy
cd "$root"
status=0

if [ "$format" = 1 ]; then
  drift=()
  while IFS= read -r -d '' file; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || drift+=("$file")
  done < <(git ls-files -z -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
  if [ ${#drift[@]} -gt 0 ]; then
    echo "These files differ from .clang-format (clang-format -i FILE mends one):"
    printf '  %s\n' "${drift[@]}"
    status=1
  else
    echo "format: no drift"
  fi
fi

if [ "$tidy" = 1 ]; then
  if [ ! -f "$build/compile_commands.json" ]; then
    echo "$build/compile_commands.json is missing: configure the build first (./scripts/build.sh)" >&2
    exit 2
  fi
  # Only our own sources: the build folder also holds generated ones (moc) that are not ours.
  # The compile commands are g++'s; clang does not know some of its warning options.
  sources="^$(printf '%s' "$root" | sed 's/[][\.*^$+?(){}|]/\\&/g')/src/"
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  if run-clang-tidy -quiet -p "$build" -j "$(nproc)" -extra-arg=-Wno-unknown-warning-option "$sources" \
      >"$log" 2>&1; then
    echo "clang-tidy: no findings"
  else
    # run-clang-tidy always colours its output; a header's finding repeats for each source.
    sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '(warning|error): ' | sort -u || cat "$log"
    echo "clang-tidy found the problems above (see .clang-tidy for the checks)"
    status=1
  fi
fi
exit "$status"
