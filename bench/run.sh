#!/usr/bin/env bash
# Takes the speed and memory figures of README's "Speed" section and prints them as a table.
# Builds what it measures (RelWithDebInfo) in build-bench-run/ (or $QUORVEL_BENCH_BUILD_DIR),
# writes the full month and twelve variants of it with quorvel-bench-gen, then measures:
# in process with Google Benchmark, whole processes with hyperfine, peak memory with GNU time.
# Wall-clock figures are only meaningful on an otherwise idle machine; the load is shown.
# Usage: bench/run.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BENCH_BUILD_DIR:-$root/build-bench-run}

"$root/scripts/ensure_packages.sh" cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
  qt6-base-dev libgl-dev fonts-dejavu-core hyperfine time

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_TESTS=OFF
fi
cmake --build "$build" -j "$(nproc)" --target quorvel-bench quorvel-bench-gen quorvel-bench-memory quorvel-cli quorvel \
  quorvel-reconcile
bin=$build/bin

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-bench-run-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
echo "Writing the inputs in $work ..."
month=$("$bin/quorvel-bench-gen" "$work/month")
"$bin/quorvel-bench-gen" --year "$work/year" >"$work/year.txt"
mapfile -t year <"$work/year.txt"

echo "Load average before measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

# --- In process: Google Benchmark medians (the second column, wall time) --------------------
"$bin/quorvel-bench" --benchmark_filter='Load|Parse|ReadJournal|Replay|ReportFile' | tee "$work/gbench.txt"
median() {  # median NAME -> "value unit" of BM_NAME's median line
  awk -v name="BM_$1/" 'index($1, name) == 1 && $1 ~ /_median$/ { print $2, $3; exit }' "$work/gbench.txt"
}

# --- Whole processes: hyperfine medians, in ms ----------------------------------------------
hyper() {  # hyper RUNS COMMAND... -> median in ms
  local runs=$1
  shift
  hyperfine -N --style none --warmup 5 --runs "$runs" --export-csv "$work/hyper.csv" "$(printf '%q ' "$@")" >/dev/null
  awk -F, 'NR == 2 { printf "%.2f", $4 * 1000 }' "$work/hyper.csv"
}
peak_kb() {  # peak_kb COMMAND... -> the highest "Maximum resident set size" of five runs, in kB
  local most=0 kb
  for _ in 1 2 3 4 5; do
    kb=$(/usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }')
    [ "$kb" -gt "$most" ] && most=$kb
  done
  echo "$most"
}

echo "Timing quorvel-cli ..."
out=$work/month/report.txt
cli_report=$(hyper 200 "$bin/quorvel-cli" report "$month" --out "$out")
cli_report_shm=$(hyper 200 "$bin/quorvel-cli" report "$month" --out /dev/shm/quorvel-bench-report.txt)
rm -f /dev/shm/quorvel-bench-report.txt
cli_summary=$(hyper 200 "$bin/quorvel-cli" summary "$month")
cli_peak=$(peak_kb "$bin/quorvel-cli" report "$month" --out "$out")
cli_export_actions=$(hyper 200 "$bin/quorvel-cli" export "$month" --actions)
cli_export_ledger=$(hyper 200 "$bin/quorvel-cli" export "$month" --ledger)
# The demo month against its statement: the month the statements were written for.
mkdir "$work/demo"
cp "$root"/demo/DEC2026.rep "$root"/demo/DEC2026.jrn "$root"/demo/DEC2026-statement.* "$work/demo/"
reconcile=("$bin/quorvel-cli" reconcile "$work/demo/DEC2026.rep")
cli_reconcile_ofx=$(hyper 100 "${reconcile[@]}" "$work/demo/DEC2026-statement.ofx" --other "Fund Savings" 53139.60)
cli_reconcile_csv=$(hyper 100 "${reconcile[@]}" "$work/demo/DEC2026-statement.csv" --other "Fund Savings" 53139.60)

echo "Timing the desktop program ..."
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime
desktop=$(hyper 30 "$bin/quorvel" --quit-after-start "$month")
desktop_peak_one=$(peak_kb "$bin/quorvel" --quit-after-start "${year[0]}")
desktop_peak_year=$(peak_kb "$bin/quorvel" --quit-after-start "${year[@]}" "${year[@]}" "${year[@]}" "${year[@]}" "${year[@]}")

echo "Loading twelve months again and again in one process ..."
"$bin/quorvel-bench-memory" 20 "$work/year" | tee "$work/memory.txt"
memory=$(awk '/^months loaded/ { print }' "$work/memory.txt")

echo
echo "Load average after measuring: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-62s %-9s %s\n' "measurement (medians)" "goal" "measured"
printf '%-62s %-9s %s\n' "LoadMonthFile, full month, with replay and recompute" "< 100 us" "$(median LoadMonthFile)"
printf '%-62s %-9s %s / %s / %s\n' "  of which parse / journal read / replay and recompute" "" \
  "$(median ParseMonthFile)" "$(median ReadJournal)" "$(median ReplayJournal)"
printf '%-62s %-9s %s\n' "composing the monthly report file" "< 100 us" "$(median ComposeReportFile)"
printf '%-62s %-9s %s\n' "writing it (file and folder flushed to disk; informative)" "" "$(median WriteReportFile)"
printf '%-62s %-9s %s ms\n' "quorvel-cli report FULL.rep --out FILE, whole process" "< 4 ms" "$cli_report"
printf '%-62s %-9s %s ms\n' "  the same with FILE on tmpfs, where flushing costs nothing" "" "$cli_report_shm"
printf '%-62s %-9s %s ms\n' "quorvel-cli summary FULL.rep, whole process" "" "$cli_summary"
printf '%-62s %-9s %s kB\n' "quorvel-cli report, peak resident memory" "< 4096 kB" "$cli_peak"
printf '%-62s %-9s %s / %s ms\n' "quorvel-cli export FULL.rep --actions / --ledger" "" \
  "$cli_export_actions" "$cli_export_ledger"
printf '%-62s %-9s %s / %s ms\n' "quorvel-cli reconcile, demo month, OFX / CSV statement" "" \
  "$cli_reconcile_ofx" "$cli_reconcile_csv"
printf '%-62s %-9s %s ms\n' "desktop program opening the full month, offscreen" "< 250 ms" "$desktop"
printf '%-62s %-9s %s kB / %s kB\n' "desktop peak memory: one month / twelve months five times" "" \
  "$desktop_peak_one" "$desktop_peak_year"
printf '%s\n' "in process, 12 months x 20 rounds: $memory"
