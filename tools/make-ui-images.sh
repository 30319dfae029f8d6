#!/usr/bin/env bash
# Draws the two pictures of the installation that come from no source image, with ImageMagick:
#
#   install/LargeWeatherIcons/Sky.png        the sky behind the weather picture: a deep blue
#                                            vertical gradient with soft clouds, thinning towards
#                                            the top, faint enough for white text and icons
#   install/UI/LocalWeatherBackground.png    the local weather window's panel: a translucent
#                                            rounded rectangle with soft edges (only its alpha
#                                            counts: the program draws it in black); it is drawn
#                                            as nine slices with 30-pixel corners, so its edges
#                                            and centre are uniform along the stretched direction
#
# The noise is seeded, so a run gives the same files again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
im=convert
[ -x /usr/bin/convert ] && im=/usr/bin/convert
"$im" -version 2>/dev/null | grep -q ImageMagick || { echo "make-ui-images: ImageMagick is not installed" >&2; exit 1; }
png=(-strip -define png:exclude-chunks=date,time)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
width=3840
height=2160

# Sky: four octaves of blurred, seeded noise, stretched wider than tall, make the cloud density.
octave() { # SEED WIDTH HEIGHT BLUR OUT
    "$im" -size "$2x$3" xc: -seed "$1" +noise Random -channel G -separate +channel \
        -virtual-pixel tile -blur "0x$4" -auto-level -resize "${width}x${height}!" "$5"
}
octave 11 100 120 4 "$work/o1.png"
octave 12 200 240 4 "$work/o2.png"
octave 13 400 480 3 "$work/o3.png"
octave 14 800 960 2 "$work/o4.png"
"$im" "$work/o1.png" "$work/o2.png" "$work/o3.png" "$work/o4.png" \
    -poly '0.55,1 0.25,1 0.13,1 0.07,1' -auto-level "$work/noise.png"
# Fewer clouds near the top, where the sky is deepest; at most 42 % cloud anywhere.
"$im" -size "${width}x${height}" gradient:'gray(15%)'-white "$work/fade.png"
"$im" "$work/noise.png" -level 48%,92% -evaluate pow 1.3 "$work/fade.png" -compose multiply \
    -composite -evaluate multiply 0.42 "$work/alpha.png"
"$im" -size "${width}x${height}" gradient:'#0a2a6b'-'#3f86cf' \
    \( -size "${width}x${height}" xc:'#f4f8ff' "$work/alpha.png" -alpha off -compose copy_opacity -composite \) \
    -compose over -composite -depth 8 "${png[@]}" "PNG24:$root/install/LargeWeatherIcons/Sky.png"

# Panel: 96 x 96, interior alpha 55 %, edges fading out over about 12 pixels.
mkdir -p "$root/install/UI"
"$im" -size 96x96 xc:none -fill 'rgba(0,0,0,0.55)' -draw 'roundrectangle 6,6 89,89 14,14' \
    -channel A -blur 0x4 +channel "${png[@]}" "PNG32:$root/install/UI/LocalWeatherBackground.png"

echo "make-ui-images: install/LargeWeatherIcons/Sky.png, install/UI/LocalWeatherBackground.png"
