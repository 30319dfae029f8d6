#!/usr/bin/env bash
# Draws the program icon, a sun partly behind a cloud, with ImageMagick and packs
# it at 16, 24, 32, 48 and 256 pixels into src/app/res/Program.ico (or the path given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/src/app/res/Program.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Drawn once at 256 px; the small sizes are scaled from it.
rays=""
for angle in 0 45 90 135 180 225 270 315; do
    rays+=$(awk -v a="$angle" 'BEGIN {
        r = a * 3.14159265 / 180; cx = 104; cy = 100
        printf " line %d,%d %d,%d", cx + 62 * cos(r), cy + 62 * sin(r), cx + 92 * cos(r), cy + 92 * sin(r) }')
done

convert -size 256x256 xc:none \
    -stroke '#F29A00' -strokewidth 14 -draw "stroke-linecap round $rays" \
    -stroke '#E08600' -strokewidth 6 -fill '#FFC928' -draw 'circle 104,100 104,50' \
    -stroke '#7A8896' -strokewidth 8 -fill '#F4F7FA' \
    -draw 'circle 110,182 110,140' -draw 'circle 168,158 168,104' -draw 'circle 214,188 214,152' \
    -draw 'roundrectangle 70,170 240,226 28,28' \
    -stroke none -fill '#F4F7FA' \
    -draw 'circle 110,182 110,144' -draw 'circle 168,158 168,108' -draw 'circle 214,188 214,156' \
    -draw 'roundrectangle 74,174 236,222 24,24' \
    "$work/icon-256.png"

for size in 48 32 24 16; do
    convert "$work/icon-256.png" -filter Lanczos -resize "${size}x${size}" "$work/icon-$size.png"
done
mkdir -p "$(dirname "$out")"
# 8 bits a channel: Windows reads the 256 px entry only as an 8-bit RGBA PNG.
convert "$work/icon-16.png" "$work/icon-24.png" "$work/icon-32.png" "$work/icon-48.png" \
    "$work/icon-256.png" -depth 8 "$out"
identify "$out"
