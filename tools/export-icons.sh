#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the committed PNG exports of the application icon from its SVG source.
# Run after editing resources/desktop/icons/org.merrinvale.MerrinVale.svg; needs rsvg-convert
# (Debian package librsvg2-bin). The build itself only installs the committed files.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
icons="$root/resources/desktop/icons"
svg="$icons/org.merrinvale.MerrinVale.svg"

for size in 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$icons/org.merrinvale.MerrinVale-$size.png" "$svg"
  echo "wrote $icons/org.merrinvale.MerrinVale-$size.png"
done
