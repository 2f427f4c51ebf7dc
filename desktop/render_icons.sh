#!/usr/bin/env bash
# Renders the committed PNG sizes of the icon from its SVG; run after changing the drawing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/../scripts/ensure_packages.sh" librsvg2-bin
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$here/icons/org.quorvel.Quorvel.svg" -o "$here/icons/org.quorvel.Quorvel-$size.png"
done
