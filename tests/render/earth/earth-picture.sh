#!/usr/bin/env bash
# The Earth picture drawn by orbimeteo-render.exe under Wine, checked by its pixels against the
# installation's day and night images. Usage: earth-picture.sh STAGE CASE
set -uo pipefail
# shellcheck source=../../lib/scenario.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../lib/scenario.sh"
stage=$1
case=$2
export WINEDEBUG=${WINEDEBUG:--all}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# render OUT ARGS...: the picture at 2048 x 1024, half the world images' size.
render() {
    local out=$1
    shift
    wine "$stage/orbimeteo-render.exe" earth "$(winepath -w "$work/$out")" --size 2048x1024 \
        --install "$(winepath -w "$stage")" "$@" >"$work/$out.log" 2>&1 ||
        { cat "$work/$out.log"; fail "render $out"; }
    [ -s "$work/$out" ] || fail "no $out"
}

# mean FILE X Y: the mean colour of the 9 x 9 patch around the pixel, as "r g b" in 0..255.
mean() {
    convert "$1" -crop 9x9+$(($2 - 4))+$(($3 - 4)) +repage -scale 1x1\! -depth 8 \
        -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}

# near A B TOLERANCE: two "r g b" colours within the tolerance on every channel.
near() {
    local a=($1) b=($2) i d
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        [ "${d#-}" -le "$3" ] || return 1
    done
}

# like PICTURE X Y IMAGE WHAT: the picture's patch looks like the world image's at the same place.
like() {
    local got want
    got=$(mean "$1" "$2" "$3")
    want=$(mean "$4" "$2" "$3")
    near "$got" "$want" 10 || fail "$5: picture $got, image $want at $2,$3"
}

unlike() {
    local got want
    got=$(mean "$1" "$2" "$3")
    want=$(mean "$4" "$2" "$3")
    ! near "$got" "$want" 10 || fail "$5: picture $got too close to $want at $2,$3"
}

# Both world images at the picture's size, averaged over 2 x 2 pixels like any fair resampling.
day="$work/day.png"
night="$work/night.png"
convert "$stage/Earth/Blue Marble.jpg" -strip -scale 50% "$day"
convert "$stage/EarthNight/Night.jpg" -strip -scale 50% "$night"
: >"$work/none.txt"

case $case in
equinox-noon)
    # Sun over Greenwich: day at longitude 0 on the equator, night at the date line.
    render eq.png --region "Earth (Complete)" --utc 2024-03-20T12:00:00Z --cities "$(winepath -w "$work/none.txt")"
    like "$work/eq.png" 1024 512 "$day" "day at longitude 0"
    like "$work/eq.png" 900 300 "$day" "day over Africa and Europe"
    like "$work/eq.png" 8 512 "$night" "night at longitude -180"
    like "$work/eq.png" 2039 512 "$night" "night at longitude 180"
    unlike "$work/eq.png" 8 512 "$day" "no day at the date line"
    # Twilight between: at 90 degrees west it is neither the day nor the night image.
    ;;
june-solstice)
    # Polar day in the far north at every hour; the far south in night.
    render june.png --region "Earth (Complete)" --utc 2024-06-20T00:00:00Z --cities "$(winepath -w "$work/none.txt")"
    for x in 8 512 1024 1536 2039; do
        like "$work/june.png" $x 20 "$day" "polar day at column $x"
        like "$work/june.png" $x 1004 "$night" "polar night at column $x"
    done
    ;;
stale-report)
    # One city on the equator at 30 degrees west, by day, reported 3 hours ago: name only.
    printf '1;XXXX;Sea;Atlantic;;0.0;-30.0;0;25;180\r\n' >"$work/stale.txt"
    printf '1;XXXX;Sea;Atlantic;;0.0;-30.0;0;25;30\r\n' >"$work/recent.txt"
    args=(--region "Earth (Complete)" --utc 2024-03-20T12:00:00Z)
    render none.png "${args[@]}" --cities "$(winepath -w "$work/none.txt")"
    render stale.png "${args[@]}" --cities "$(winepath -w "$work/stale.txt")"
    render recent.png "${args[@]}" --cities "$(winepath -w "$work/recent.txt")"
    # The city's pixel is (853, 512); an icon would cover the 64 x 64 square around it.
    above() { convert "$1" -crop 64x30+821+480 +repage "$work/$2"; }
    below() { convert "$1" -crop 80x20+813+513 +repage "$work/$2"; }
    above "$work/none.png" none-above.png
    above "$work/stale.png" stale-above.png
    above "$work/recent.png" recent-above.png
    below "$work/none.png" none-below.png
    below "$work/stale.png" stale-below.png
    [ "$(compare -metric AE "$work/none-above.png" "$work/stale-above.png" null: 2>&1)" = 0 ] ||
        fail "a stale report drew over the city (icon)"
    [ "$(compare -metric AE "$work/none-below.png" "$work/stale-below.png" null: 2>&1)" != 0 ] ||
        fail "a stale report drew no name"
    [ "$(compare -metric AE "$work/none-above.png" "$work/recent-above.png" null: 2>&1)" != 0 ] ||
        fail "a recent report drew no icon"
    # A temperature would follow the name on the line over the icon's lower quarter.
    for f in none stale recent; do convert "$work/$f.png" -crop 30x24+872+522 +repage "$work/$f-right.png"; done
    [ "$(compare -metric AE "$work/none-right.png" "$work/stale-right.png" null: 2>&1)" = 0 ] ||
        fail "a stale report drew a temperature"
    [ "$(compare -metric AE "$work/none-right.png" "$work/recent-right.png" null: 2>&1)" != 0 ] ||
        fail "a recent report drew no temperature"
    ;;
missing-background)
    # No day layer, and no failure: the day side is black, the night side still the night image.
    render missing.png --region "Earth (Complete)" --background "No Such File.jpg" --utc 2024-03-20T12:00:00Z \
        --cities "$(winepath -w "$work/none.txt")"
    near "$(mean "$work/missing.png" 1024 512)" "0 0 0" 2 || fail "a day layer without its file"
    like "$work/missing.png" 8 512 "$night" "night over the missing day layer"
    ;;
*)
    fail "no case $case"
    ;;
esac
echo "ok: $case"
