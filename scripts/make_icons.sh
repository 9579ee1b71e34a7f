#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG (rsvg-convert, from
# Debian's librsvg2-bin). The PNGs are kept in the repository, so building
# needs neither this script nor the renderer.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
name=io.github.velqorandis.Velqorandis
for size in 16 24 32 48 64 128 256; do
  mkdir -p "png/$size"
  rsvg-convert -w "$size" -h "$size" "$name.svg" -o "png/$size/$name.png"
done
