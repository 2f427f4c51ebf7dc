#!/usr/bin/env bash
# Takes README's screenshots in docs/: the desktop program on a scratch copy of the demo month,
# on a virtual screen (Xvfb) under a window manager (openbox), driven from the keyboard with
# xdotool and photographed with ImageMagick's import, frames and title bars included.
# Needs the program built (./run or scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD_DIR:-$root/build}
"$root/scripts/ensure_packages.sh" xvfb openbox xdotool imagemagick fonts-dejavu-core poppler-utils

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-shots-XXXXXX")
mkdir "$work/Books"
cp "$root/demo/DEC2026.rep" "$root/demo/DEC2026.jrn" "$work/Books/"
export DISPLAY=:${QUORVEL_SHOT_DISPLAY:-97}
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 1400x1000x24 -nolisten tcp &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox &
pids+=($!)
sleep 1
"$build/bin/quorvel" "$work/Books/DEC2026.rep" &
pids+=($!)

settle() { sleep "${1:-1}"; }
key() { xdotool key --clearmodifiers "$@"; settle 0.6; }
# The active window with its frame, as docs/NAME.png.
shot() {
  settle
  import -frame -window "$(xdotool getactivewindow)" "$root/docs/$1.png"
  echo "docs/$1.png"
}

xdotool search --sync --name 'DEC2026' >/dev/null
settle 2
shot main-window

# 1. Record: Budget Expenditure, the third account.
key ctrl+e
key Down Down Down Return
xdotool type --delay 80 "125.40"
key Tab
xdotool type --delay 80 "ck 1042"
shot record
key Escape

# 2. Review: the month's actions, one of them opened for editing.
key ctrl+a
key Down Down Down Down Down Down
shot review
key alt+e
shot edit-action
key Escape

# 3. Print: the report window.
key ctrl+p
key Tab
xdotool type --delay 60 "St. Mark's Congregation"
key Tab
xdotool type --delay 60 "December 2026"
for entry in "Operating Checking" 16126.50 "Fund Savings" 53139.60; do
  key Tab
  xdotool type --delay 60 "$entry"
done
key Tab
shot report-window
# The report's pages in the preview, then the report window closed.
key alt+v
settle 2
shot print-preview
key Escape
key Escape

# The budget at a glance: Edit/View, Usage Chart.
key alt+v h
settle 2
shot usage-chart
key Escape

# The export window (File, "Export...").
key alt+f e
shot export
key Escape

# Reconciling with the bank statement: the demo statement, the fund savings account beside it
# (its name kept by the report window), and the printed page rendered from its PDF.
cp "$root/demo/DEC2026-statement.ofx" "$work/Books/"
key alt+v k
xdotool type --delay 40 "$work/Books/DEC2026-statement.ofx"
key Return
settle 2
key alt+e ctrl+a
xdotool type --delay 60 "Fund Savings"
key Tab ctrl+a
xdotool type --delay 60 "53139.60"
shot reconcile
key alt+d
xdotool type --delay 40 "$work/reconcile.pdf"
key Return
settle 2
pdftoppm -png -r 70 -singlefile "$work/reconcile.pdf" "$root/docs/reconcile-page"
echo docs/reconcile-page.png
key Escape

# The audit trail, after a corrected beginning balance and a deleted action, which it can
# restore; last of the month's pictures, so the others show the demo month as it is.
key alt+v m
xdotool type --delay 80 "68412.50"
key Return
key ctrl+a
key Down Down Down Down Down Down
key alt+e
key alt+d
key y
key alt+v i
shot audit-trail
key Escape

# 4 and 5. The next month is January: the program asks whether a new year was meant, then
# suggests the new month's name beside this one.
key ctrl+m
shot new-year-question
key n
shot new-month
key Escape
key Return

# A congregation's first year, set up from nothing (after a question, since it unloads the month).
key alt+f b
key y
shot annual-setup
