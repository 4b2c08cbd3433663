#!/bin/sh
# SPDX-License-Identifier: MIT
# Renders the 48 and 128 pixel icons in data/icons/ from their SVG sources
# (needs rsvg-convert from librsvg2-bin). The PNGs are committed; run this
# after changing an SVG.
set -eu
cd "$(dirname "$0")/../data/icons"
for name in nachtblick kalender; do
  for size in 48 128; do
    rsvg-convert -w "$size" -h "$size" "$name.svg" -o "$name-$size.png"
  done
done
