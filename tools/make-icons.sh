#!/usr/bin/env bash
# Renders the application icon packaging/lindwerk.svg into the PNG sizes the
# desktop wants (packaging/icons/N/lindwerk.png). Needs rsvg-convert
# (librsvg2-bin); run after changing the SVG and commit the PNGs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$top/packaging/icons/$size"
    rsvg-convert -w "$size" -h "$size" "$top/packaging/lindwerk.svg" \
        -o "$top/packaging/icons/$size/lindwerk.png"
done
