#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the committed PNG exports of Merrin's portrait from its SVG source: 512 px as
# merrinavatar.png (what the app loads), and merrinavatar-64/128/256.png. Run after editing
# resources/images/merrinavatar.svg; needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
images="$root/resources/images"
svg="$images/merrinavatar.svg"

for size in 64 128 256 512; do
  name="merrinavatar-$size.png"
  if [ "$size" = 512 ]; then name="merrinavatar.png"; fi
  rsvg-convert --width "$size" --height "$size" --format png --output "$images/$name" "$svg"
  echo "wrote $images/$name"
done
