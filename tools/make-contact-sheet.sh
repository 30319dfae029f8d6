#!/usr/bin/env bash
# Makes build/contact-sheet.png: every weather icon of install/ on the sky backdrop, to look at.
# Top: each large picture (scaled to 256 x 256) once, with its file name. Below: for each weather code
# 0..18, the small day and night pictures (64 x 64) the program shows for it, then the same pair
# in the large size scaled to 128, so the code-to-picture table can be checked at a glance.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
install="$root/install"
out="$root/build/contact-sheet.png"
im=convert
[ -x /usr/bin/convert ] && im=/usr/bin/convert
montage=montage
[ -x /usr/bin/montage ] && montage=/usr/bin/montage
font=()
"$im" -list font 2>/dev/null | grep -q 'Font: Liberation-Sans$' && font=(-font Liberation-Sans)

large="$install/LargeWeatherIcons"
small="$install/SmallWeatherIcons"
codes=(
    "0 Clear|Clear.png|Night Clear.png"
    "1 Fair|Fair.png|Night Fair.png"
    "2 Fog|Fog.png|Fog.png"
    "3 Haze|Haze.png|Haze.png"
    "4 PartlyCloudy|Partly Cloudy.png|Night Partly Cloudy.png"
    "5 MostlyCloudy|Mostly Cloudy.png|Night Mostly Cloudy.png"
    "6 Cloudy|Cloudy.png|Cloudy.png"
    "7 Cold|Cold.png|Cold.png"
    "8 Hot|Clear.png|Clear.png"
    "9 Windy|Windy.png|Windy.png"
    "10 RainShowers|Rain Showers.png|Rain Showers.png"
    "11 SnowShowers|Snow.png|Snow.png"
    "12 HailShowers|Hail.png|Hail.png"
    "13 Rain|Rain.png|Rain.png"
    "14 Snow|Snow.png|Snow.png"
    "15 RainAndSnow|Rain and Snow.png|Rain and Snow.png"
    "16 Hail|Hail.png|Hail.png"
    "17 Thunderstorms|Thunderstorms.png|Thunderstorms.png"
    "18 Tornado|Thunderstorms.png|Thunderstorms.png"
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$root/build"

# Every large picture once.
files=()
while IFS= read -r -d '' f; do files+=("$f"); done < <(find "$large" -name '*.png' ! -name Sky.png -print0 | sort -z)
"$montage" -background none -fill white "${font[@]}" -pointsize 18 -label '%t' "${files[@]}" \
    -tile 7x -geometry 256x256+12+10 "$work/large.png"

# One tile per code: small day, small night, large day and night at half size.
tiles=()
for entry in "${codes[@]}"; do
    IFS='|' read -r label day night <<<"$entry"
    tile="$work/code-${#tiles[@]}.png"
    "$im" -background none \( "$small/$day" "$small/$night" +append -gravity center -extent 136x128 \) \
        \( "$large/$day" "$large/$night" -resize 128x128 +append \) +append \
        +repage -fill white "${font[@]}" -pointsize 16 -gravity south -splice 0x26 -annotate +0+3 "$label" +repage "$tile"
    tiles+=("$tile")
done
"$montage" -background none "${tiles[@]}" -tile 4x -geometry +14+10 "$work/codes.png"

"$im" -background none "$work/large.png" "$work/codes.png" -gravity center -append "$work/icons.png"
size=$(identify -format '%wx%h' "$work/icons.png")
"$im" "$install/LargeWeatherIcons/Sky.png" -resize "$size^" -gravity center -extent "$size" \
    "$work/icons.png" -compose over -composite "$out"
echo "make-contact-sheet: $out ($size)"
