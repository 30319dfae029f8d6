#!/usr/bin/env bash
# Draws the picture on the left of the setup program's first and last pages, a sky with the
# program icon's sun and cloud, with ImageMagick into installer/Welcome.bmp (or the path given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/installer/Welcome.bmp}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The page shows it at 164 x 314 pixels; the 256-pixel icon is the last entry of Program.ico.
convert "$root/src/app/res/Program.ico[4]" -filter Lanczos -resize 132x132 "$work/icon.png"
convert -size 164x314 gradient:'#1D4F91-#8EC5EE' \
    "$work/icon.png" -geometry +16+48 -composite \
    -font Liberation-Sans-Bold -pointsize 21 -fill white -gravity north -annotate +0+206 'Orbimeteo' \
    -font Liberation-Sans -pointsize 12 -annotate +0+236 'Cloud Pane' -annotate +0+254 'Globe Glow' \
    -alpha off -type TrueColor "BMP3:$out"
identify "$out"
