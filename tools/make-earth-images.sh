#!/usr/bin/env bash
# Makes the world images of the installation, all 4096 x 2048 in equirectangular projection
# (longitude -180..180 left to right, latitude 90..-90 top to bottom), from the NASA images that
# the npm package three-globe ships in example/img (fetched by tools/fetch-npm-sources.sh):
#
#   install/Earth/Blue Marble.jpg    NASA Blue Marble, as shipped (the default background)
#   install/Earth/Topographic.jpg    a physical map: land coloured by elevation and hill-shaded,
#                                    sea by depth, ice caps white where Blue Marble shows ice
#   install/Earth/Dark.jpg           a dark slate map: dark hill-shaded land, near-black sea with
#                                    its depth, faint blue coastlines
#   install/EarthNight/Night.jpg     NASA's night lights, as shipped
#
# The derived maps use earth-topology.png (elevation), earth-water.png (water mask),
# earth-dark.jpg (sea depth) and earth-blue-marble.jpg (where ice is), rescaled with ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
img="$root/build/tools-npm/three-globe/example/img"
earth="$root/install/Earth"
night="$root/install/EarthNight"
im=convert
[ -x /usr/bin/convert ] && im=/usr/bin/convert
"$im" -version 2>/dev/null | grep -q ImageMagick || { echo "make-earth-images: ImageMagick is not installed" >&2; exit 1; }
[ -f "$img/earth-blue-marble.jpg" ] || { echo "make-earth-images: $img not found (run tools/fetch-npm-sources.sh)" >&2; exit 1; }

size=4096x2048
jpeg=(-strip -interlace none -sampling-factor 4:2:0 -quality 85)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
w() { echo "$work/$1.miff"; }

mkdir -p "$earth" "$night"
# The NASA images come at the right size already; they are shipped byte for byte.
for pair in "earth-blue-marble.jpg:$earth/Blue Marble.jpg" "earth-night.jpg:$night/Night.jpg"; do
    source="$img/${pair%%:*}"
    target="${pair#*:}"
    [ "$(identify -format '%wx%h' "$source")" = "$size" ] ||
        { echo "make-earth-images: $source is not $size" >&2; exit 1; }
    cp "$source" "$target"
done

# Common layers: elevation, water mask (white = water), sea depth (white = shallow), hill shade.
"$im" "$img/earth-topology.png" -colorspace gray -filter Lanczos -resize "$size!" -depth 16 "$(w elev)"
"$im" "$img/earth-water.png" -colorspace gray -filter Triangle -resize "$size!" -level 30%,70% "$(w water)"
"$im" "$(w water)" -negate "$(w land)"
"$im" "$img/earth-dark.jpg" -colorspace gray -filter Lanczos -resize "$size!" -level 3%,17% -blur 0x2 "$(w depth)"
"$im" "$(w elev)" -shade 315x40 -normalize -level 10%,90% "$(w shade)"

# A colour ramp from a list of colours: palette OUT COLOUR...
palette() {
    local out=$1
    shift
    local swatches=()
    for colour in "$@"; do swatches+=(xc:"$colour"); done
    "$im" -size 1x1 "${swatches[@]}" +append -filter Triangle -resize '256x1!' "$out"
}

# Topographic: elevation tints from lowland green over tan and brown to grey, hill-shaded.
palette "$(w land-ramp)" '#3f7f3f' '#5f9a4c' '#8db162' '#bcc27a' '#d9c88e' '#c9a674' '#ad8660' \
    '#94735c' '#8a7a70' '#b8b0a8' '#ece9e6'
palette "$(w sea-ramp)" '#123f75' '#1e5a99' '#3f86c2' '#7fb8e0'
"$im" "$(w elev)" -evaluate pow 0.6 "$(w land-ramp)" -clut "$(w shade)" -compose overlay \
    -define compose:args=60 -composite "$(w topo-land)"
# Ice: land that Blue Marble shows bright and colourless, on high ground (Greenland, mountains)
# or south of 62 degrees south (all of Antarctica).
"$im" "$img/earth-blue-marble.jpg" -colorspace gray -level 62%,82% "$(w bright)"
"$im" "$img/earth-blue-marble.jpg" -colorspace HSB -channel G -separate +channel -negate -level 75%,92% "$(w colourless)"
"$im" -size "$size" xc:black -fill white -draw 'rectangle 0,1729 4095,2047' -blur 0x6 "$(w south)"
"$im" "$(w elev)" -level 9%,16% "$(w south)" -compose lighten -composite "$(w ice-zone)"
"$im" "$(w bright)" "$(w colourless)" -compose multiply -composite "$(w ice-zone)" -compose multiply \
    -composite "$(w land)" -compose multiply -composite -blur 0x1.5 "$(w ice)"
"$im" "$(w topo-land)" \( -size "$size" xc:'#f4f6f8' "$(w shade)" -compose overlay -define compose:args=45 -composite \) \
    "$(w ice)" -compose over -composite "$(w topo-land-ice)"
"$im" "$(w depth)" "$(w sea-ramp)" -clut "$(w topo-sea)"
"$im" "$(w topo-sea)" "$(w topo-land-ice)" "$(w land)" -compose over -composite "${jpeg[@]}" "$earth/Topographic.jpg"

# Dark: slate land, near-black sea, a faint line along the coasts.
palette "$(w dark-land-ramp)" '#1d2228' '#2b3139' '#4a5058' '#8a9096'
palette "$(w dark-sea-ramp)" '#04080f' '#0a1a2e' '#15304f'
"$im" "$(w elev)" -evaluate pow 0.6 "$(w dark-land-ramp)" -clut "$(w shade)" -compose overlay \
    -define compose:args=55 -composite "$(w dark-land)"
"$im" "$(w depth)" "$(w dark-sea-ramp)" -clut "$(w dark-sea)"
"$im" "$(w water)" -threshold 50% -morphology EdgeIn Diamond:1 -blur 0x1.2 -level 0,60% "$(w coast)"
"$im" "$(w dark-sea)" "$(w dark-land)" "$(w land)" -compose over -composite \
    \( -size "$size" xc:'#5b8fc4' "$(w coast)" -alpha off -compose copy_opacity -composite \) \
    -compose over -composite "${jpeg[@]}" "$earth/Dark.jpg"

echo "make-earth-images: install/Earth/{Blue Marble,Topographic,Dark}.jpg, install/EarthNight/Night.jpg"
