#!/usr/bin/env bash
# Renders the program's icon data/automaten.svg to the PNG sizes a desktop
# looks for (data/icons/automaten-SIZE.png). Run after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert >/dev/null || { echo "render-icons: needs rsvg-convert (librsvg2-bin)" >&2; exit 1; }
mkdir -p data/icons
for size in 16 24 32 48 64 128 192 256 512; do
  rsvg-convert -w "$size" -h "$size" data/automaten.svg -o "data/icons/automaten-$size.png"
done
