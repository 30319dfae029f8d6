#!/usr/bin/env bash
# The options dialog of the real program under Wine, driven through its controls' messages.
# Usage: options-scenarios.sh STAGE HIDDEN-WINDOW-TOOL OPTIONS-DIALOG-TOOL CASE. WINEPREFIX and
# DISPLAY come from the environment. Every wait is bounded.
set -uo pipefail
# shellcheck source=../lib/scenario.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/scenario.sh"
stage=$1
hidden=$2
tool=$3
case=$4
export WINEDEBUG=${WINEDEBUG:--all}
bound=60
pids=()
cleanups=()

on_exit() {
    local pid i
    for pid in "${pids[@]}"; do
        kill -0 "$pid" 2>/dev/null || continue
        wine "$tool" click "Cloud Pane" 0 2 >/dev/null 2>&1
        wine "$tool" click "Globe Glow" 0 2 >/dev/null 2>&1
        wine "$hidden" end-session "Cloud Pane" >/dev/null 2>&1
        sleep 3
        kill -0 "$pid" 2>/dev/null && wineserver -k
    done
    for ((i = ${#cleanups[@]} - 1; i >= 0; i--)); do eval "${cleanups[i]}"; done
}
trap on_exit EXIT

unix_path_of_variable() {
    winepath -u "$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')" 2>/dev/null
}

# fresh_settings KEYNAME: an empty per-user folder of the edition for the test's length, in
# $user_dir, with the installation recorded so that the screen saver finds its data.
fresh_settings() {
    user_dir="$(unix_path_of_variable APPDATA)/$1"
    [ -n "$user_dir" ] || fail "cannot find the application-data folder of the Wine prefix"
    if [ -e "$user_dir" ]; then
        rm -rf "$user_dir.test-aside"
        mv "$user_dir" "$user_dir.test-aside"
        cleanups+=("rm -rf '$user_dir'; mv '$user_dir.test-aside' '$user_dir'")
    else
        cleanups+=("rm -rf '$user_dir'")
    fi
    mkdir -p "$user_dir"
    wine reg add "HKCU\\Software\\$1" /v InstallationPath /t REG_SZ /d "$(winepath -w "$stage")" /f \
        >/dev/null 2>&1 || fail "cannot write the registry"
    cleanups+=("wine reg delete 'HKCU\\Software\\$1' /v InstallationPath /f >/dev/null 2>&1")
}

# configure FILE DISPLAYNAME: starts the configuration role and waits for its dialog.
configure() {
    wine "$stage/$1" /c &
    pid=$!
    pids+=("$pid")
    wine "$tool" find "$2" $((bound * 1000)) || fail "$1 /c showed no \"$2 - Options\" within $bound s"
}

# ended: the configuration role ends by itself with exit code 0.
ended() {
    local i
    for ((i = 0; i < bound * 10; i++)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            rc=$?
            [ "$rc" -eq 0 ] || fail "the program ended with exit code $rc"
            return 0
        fi
        sleep 0.1
    done
    fail "the program did not end within $bound s"
}

checked() { wine "$tool" checked "$1" "$2" "$3" | tr -d '\r'; }

# Control ids: the pages are named by a control of their own.
general=1041
display=1013
earth=1004
fahrenheit=1025
celsius=1026

case_cloud_pane_tabs() {
    fresh_settings CloudPane
    configure cloud-pane.scr "Cloud Pane"
    local tabs
    tabs=$(wine "$tool" tabs "Cloud Pane" | tr -d '\r')
    note "tabs: $(tr '\n' '|' <<<"$tabs")"
    [ "$tabs" = $'General\nFavorite Cities\nOrbimeteo\nEarth Background\nselected 0' ] || fail "the tabs are $tabs"
    wine "$tool" shown "Cloud Pane" $general || fail "the General page does not show first"
    # The unit on the General page, seen on the display page.
    wine "$tool" click "Cloud Pane" $general $celsius || fail "cannot click Celsius"
    [ "$(checked "Cloud Pane" $display $celsius)" = 1 ] && [ "$(checked "Cloud Pane" $display $fahrenheit)" = 0 ] ||
        fail "Celsius on the General page is not chosen on the display page"
    wine "$tool" select "Cloud Pane" 2 || fail "cannot select the third tab"
    wine "$tool" shown "Cloud Pane" $display || fail "the third tab does not show the display page"
    wine "$tool" shown "Cloud Pane" $general && fail "the General page still shows"
    wine "$tool" click "Cloud Pane" $display $fahrenheit || fail "cannot click Fahrenheit"
    [ "$(checked "Cloud Pane" $general $fahrenheit)" = 1 ] && [ "$(checked "Cloud Pane" $general $celsius)" = 0 ] ||
        fail "Fahrenheit on the display page is not chosen on the General page"
    # Cancel ends the configuration without saving.
    wine "$tool" click "Cloud Pane" 0 2 || fail "cannot click Cancel"
    ended
    [ ! -e "$user_dir/Options.txt" ] || fail "Cancel wrote Options.txt"
}

case_configure_saves() {
    fresh_settings CloudPane
    configure cloud-pane.scr "Cloud Pane"
    wine "$tool" click "Cloud Pane" $general $celsius || fail "cannot click Celsius"
    wine "$tool" trackbar "Cloud Pane" $display 1013 30 || fail "cannot move the trackbar"
    local label
    label=$(wine "$tool" text "Cloud Pane" $display 1014 | tr -d '\r')
    [ "$label" = "30%" ] || fail "the trackbar at 30 shows '$label'"
    wine "$tool" click "Cloud Pane" 0 1 || fail "cannot click OK"
    ended
    grep -q $'^UseMetricSystem=true\r$' "$user_dir/Options.txt" || fail "OK did not save UseMetricSystem=true"
    grep -q $'^WeatherIconScale=30\r$' "$user_dir/Options.txt" || fail "OK did not save WeatherIconScale=30"
}

case_globe_glow_configure() {
    fresh_settings GlobeGlow
    configure globe-glow.scr "Globe Glow"
    local tabs
    tabs=$(wine "$tool" tabs "Globe Glow" | tr -d '\r')
    note "tabs: $(tr '\n' '|' <<<"$tabs")"
    [ "$tabs" = $'Earth Background\nFavorite Cities\nWeather\nselected 0' ] || fail "the tabs are $tabs"
    wine "$tool" shown "Globe Glow" $earth || fail "the dialog does not open on the Earth Background page"
    wine "$tool" click "Globe Glow" 0 1 || fail "cannot click OK"
    ended
    [ -f "$user_dir/Options.txt" ] || fail "OK did not save Options.txt"
}

desktop_value() {
    wine reg query 'HKCU\Control Panel\Desktop' /v "$1" 2>/dev/null | tr -d '\r' | grep -i "^ *$1 " |
        sed -E "s/^[[:space:]]*$1[[:space:]]+REG_[A-Z_]+[[:space:]]*//I"
}

# OK in the desktop program: the copy is saved, a new wallpaper is installed and the cities due
# are fetched at once. The fake server serves two stations with old weather, so they are due.
case_desktop_ok() {
    fresh_settings CloudPane
    local local_dir value
    local_dir="$(unix_path_of_variable LOCALAPPDATA)/CloudPane"
    [ -e "$local_dir" ] && { rm -rf "$local_dir.test-aside"; mv "$local_dir" "$local_dir.test-aside"; }
    cleanups+=("rm -rf '$local_dir'; [ -e '$local_dir.test-aside' ] && mv '$local_dir.test-aside' '$local_dir'")
    for value in Wallpaper WallpaperStyle TileWallpaper; do
        local old
        old=$(desktop_value "$value")
        if [ -n "$old" ]; then
            printf -v restore 'wine reg add %q /v %q /t REG_SZ /d %q /f >/dev/null 2>&1' 'HKCU\Control Panel\Desktop' "$value" "$old"
        else
            restore="wine reg delete 'HKCU\\Control Panel\\Desktop' /v '$value' /f >/dev/null 2>&1"
        fi
        cleanups+=("$restore")
    done
    local dir fake icao when
    fake=$(cd "$(dirname "$0")/../weather" && pwd)/fake_noaa.py
    dir=$(mktemp -d)
    cleanups+=("rm -rf '$dir'")
    mkdir "$dir/stations"
    for icao in KLAX KMIA KJFK LFPO LEMD LIRF RJAA WSSS FAJS ESSA CYVR YSSY ZBAA VHHH VIDP GMMC SBBR MMMX; do
        # KMIA and ESSA report weather two hours old, so every batch fetches them again.
        case $icao in KMIA | ESSA) when=120 ;; *) when=5 ;; esac
        when=$(date -u -d "-$when minutes" +%s)
        printf '%s\n%s %sZ 26010KT 10SM FEW020 18/09 A3002\n' "$(date -u -d "@$when" '+%Y/%m/%d %H:%M')" \
            "$icao" "$(date -u -d "@$when" '+%d%H%M')" >"$dir/stations/$icao.TXT"
    done
    python3 "$fake" start --stations "$dir/stations" --port-file "$dir/port" --lifetime 300 \
        --dwml "$(dirname "$fake")/data/dwml/forecast.xml" || fail "the fake NOAA server does not start"
    cleanups+=("python3 '$fake' stop --port-file '$dir/port'")
    local server="http://127.0.0.1:$(cat "$dir/port")"
    for value in ObservationUrlTemplate ForecastEndpoint; do
        cleanups+=("wine reg delete 'HKCU\\Software\\CloudPane' /v $value /f >/dev/null 2>&1")
    done
    wine reg add 'HKCU\Software\CloudPane' /v ObservationUrlTemplate /t REG_SZ \
        /d "$server/pub/data/observations/metar/stations/%s.TXT" /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\CloudPane' /v ForecastEndpoint /t REG_SZ /d "$server/ndfdXMLserver.php" /f \
            >/dev/null 2>&1 || fail "cannot write the registry"
    requests() { python3 "$fake" requests --port-file "$dir/port"; }

    wine "$stage/cloud-pane.exe" &
    pid=$!
    pids+=("$pid")
    local i
    for ((i = 0; i < bound * 10; i++)); do
        [ "$(requests | wc -l)" -ge 20 ] && break
        sleep 0.1
    done
    [ "$(requests | wc -l)" -ge 20 ] || fail "the first batches made $(requests | wc -l) requests"
    sleep 3
    local before
    before=$(requests | wc -l)
    # The configuration role hands over to the running program with message 1155.
    timeout $bound wine "$stage/cloud-pane.scr" /c
    [ $? -eq 0 ] || fail "cloud-pane.scr /c did not end with 0 beside the desktop program"
    wine "$tool" find "Cloud Pane" $((bound * 1000)) || fail "message 1155 did not open the options dialog"
    wine "$tool" click "Cloud Pane" $general $celsius || fail "cannot click Celsius"
    local clicked
    clicked=$(date +%s)
    sleep 1
    wine "$tool" click "Cloud Pane" 0 1 || fail "cannot click OK"
    for ((i = 0; i < bound * 10; i++)); do
        [ "$(requests | wc -l)" -ge $((before + 2)) ] && break
        sleep 0.1
    done
    local fetched
    fetched=$(requests | tail -n +$((before + 1)))
    note "after OK the server saw: $(tr '\n' ' ' <<<"$fetched")"
    grep -q "KMIA.TXT" <<<"$fetched" && grep -q "ESSA.TXT" <<<"$fetched" || fail "OK queued no download"
    local wallpaper unix
    wallpaper=$(desktop_value Wallpaper)
    unix=$(winepath -u "$wallpaper" 2>/dev/null)
    note "wallpaper: $wallpaper"
    [ -f "$unix" ] && [ "$(stat -c %Y "$unix")" -ge "$clicked" ] || fail "OK installed no new wallpaper"
    grep -q $'^UseMetricSystem=true\r$' "$user_dir/Options.txt" || fail "OK did not save UseMetricSystem=true"
    wine "$tool" find "Cloud Pane" && fail "the dialog still shows after OK"
    wine "$hidden" end-session "Cloud Pane" || fail "cannot end the session"
    ended
}

[ -f "$stage/cloud-pane.exe" ] || fail "no staged program in $stage"
fn="case_${case//-/_}"
declare -F "$fn" >/dev/null || fail "unknown case $case"
"$fn"
echo "ok: $case"
