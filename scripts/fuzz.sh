#!/usr/bin/env bash
# Builds the core and its fuzz targets (tests/fuzz) with clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer in build-fuzz/ (or $QUORVEL_FUZZ_BUILD_DIR), then runs each
# target for SECONDS seconds (default 30, or $QUORVEL_FUZZ_SECONDS) on a scratch copy of its
# committed seed corpus. Any crash, sanitizer report, leak or timeout fails the script; the
# input that caused it is kept in the build folder under artifacts/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-${QUORVEL_FUZZ_SECONDS:-30}}
case $seconds in
  '' | *[!0-9]* | 0) echo "usage: scripts/fuzz.sh [SECONDS], at least 1 (0 would run for ever)" >&2; exit 2 ;;
esac

"$root/scripts/ensure_packages.sh" clang libclang-rt-14-dev cmake ninja-build

compiler=$(command -v clang++-14 || command -v clang++)
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$compiler"
fi
cmake --build "$build" -j "$(nproc)"

# Leaks count as faults; so does any report of undefined behaviour.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

summary=$build/fuzz-summary.txt
: >"$summary"
failed=()
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
  target=$(basename "$source" .cpp)
  work=$build/work/$target
  artifacts=$build/artifacts/$target
  log=$build/logs/$target.log
  rm -rf "$work"
  mkdir -p "$work" "$artifacts" "$(dirname "$log")"
  cp "$root/tests/fuzz/corpus/$target"/* "$work"/

  echo "== $target: $seconds s"
  status=0
  # A month file is some kilobytes; 16 KB leaves room for the odd forms around one.
  "$build/bin/$target" -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" >"$log" 2>&1 || status=$?

  runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 runs in \2 s/p' "$log" | tail -n 1)
  if [ "$status" -ne 0 ] || [ -z "$runs" ] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
    failed+=("$target")
    grep -E 'ERROR|runtime error|SUMMARY|Test unit written|_fuzz\.cpp:[0-9]+: ' "$log" | head -n 20 >&2 || true
    echo "$target: FAILED (exit $status), see $log" | tee -a "$summary"
  else
    echo "$target: $runs" | tee -a "$summary"
  fi
done

echo "== summary ($summary)"
cat "$summary"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
