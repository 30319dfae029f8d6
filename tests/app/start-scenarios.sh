#!/usr/bin/env bash
# Starts the staged program files under Wine the way Windows starts them and checks how each
# start ends. Usage: start-scenarios.sh STAGE HIDDEN-WINDOW-TOOL CASE
# WINEPREFIX and DISPLAY come from the environment. Every wait is bounded; programs are ended
# the way Windows ends them (WM_ENDSESSION), wineserver -k only when that fails.
set -uo pipefail
# shellcheck source=../lib/scenario.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/scenario.sh"
stage=$1
tool=$2
case=$3
export WINEDEBUG=${WINEDEBUG:--all}

# How long a start may take to show its hidden window, or to end, before the test gives up.
bound=30

started=() # "pid displayname" of every background start
cleanups=()

on_exit() {
    local entry pid i
    for entry in "${started[@]}"; do
        pid=${entry%% *}
        kill -0 "$pid" 2>/dev/null || continue
        wine "$tool" end-session "${entry#* }" >/dev/null 2>&1
        gone "$pid" 100 || { echo "cleanup: pid $pid does not end; stopping the Wine session" >&2; wineserver -k; }
    done
    for ((i = ${#cleanups[@]} - 1; i >= 0; i--)); do eval "${cleanups[i]}"; done
}
trap on_exit EXIT

# start_bg FILE DISPLAYNAME [ARGS...]: starts a program file and leaves its pid in $last_pid.
start_bg() {
    local file=$1 name=$2
    shift 2
    wine "$file" "$@" &
    last_pid=$!
    started+=("$last_pid $name")
}

# run_fg FILE [ARGS...]: runs a start that should end by itself; sets rc and elapsed.
run_fg() {
    local begin end
    begin=$(date +%s%N)
    timeout "$bound" wine "$@"
    rc=$?
    end=$(date +%s%N)
    elapsed=$(awk -v ns=$((end - begin)) 'BEGIN { printf "%.2f", ns / 1e9 }')
    [ "$rc" -ne 124 ] || fail "$* did not end within $bound s"
}

# wait_exit PID: waits boundedly for a background start to end; sets rc.
wait_exit() {
    gone "$1" $((bound * 10)) || fail "pid $1 did not end within $bound s"
    wait "$1"
    rc=$?
}

window_exists() { wine "$tool" find "$1" "${2:-0}" >/dev/null 2>&1; }

# A start must not meet an instance left over from elsewhere.
require_no_instance() {
    local name
    for name in "Cloud Pane" "Globe Glow"; do
        if window_exists "$name"; then
            note "ending a $name instance left running"
            wine "$tool" end-session "$name" >/dev/null 2>&1
            sleep 2
            window_exists "$name" && fail "a $name instance is running and does not end"
        fi
    done
}

# start_desktop FILE DISPLAYNAME: starts a desktop program and waits for its hidden window.
start_desktop() {
    start_bg "$stage/$1" "$2"
    window_exists "$2" $((bound * 1000)) || fail "$1 made no hidden window within $bound s"
    kill -0 "$last_pid" 2>/dev/null || fail "$1 ended after making its hidden window"
}

# end_session DISPLAYNAME PID: ends a running instance as Windows does; it must answer 0.
end_session() {
    wine "$tool" end-session "$1" || fail "could not send WM_ENDSESSION to $1"
    wait_exit "$2"
    [ "$rc" -eq 0 ] || fail "$1 ended with exit code $rc on WM_ENDSESSION"
}

unix_path_of_variable() {
    local value
    value=$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')
    winepath -u "$value" 2>/dev/null
}

# put_aside DIR: moves whatever a developer keeps in DIR out of the way, and back when the test
# ends, so the test starts without it.
put_aside() {
    if [ -e "$1" ]; then
        rm -rf "$1.test-aside"
        mv "$1" "$1.test-aside"
        cleanups+=("rm -rf '$1'; mv '$1.test-aside' '$1'")
    else
        cleanups+=("rm -rf '$1'")
    fi
}

# save_registry_value ROOT [NAME]: removes NAME (default InstallationPath) under
# ROOT\Software\CloudPane and arranges for the value (or the key's absence) to be put back when
# the test ends.
save_registry_value() {
    local key="$1\\Software\\CloudPane" name=${2:-InstallationPath} line type data
    if ! wine reg query "$key" >/dev/null 2>&1; then
        cleanups+=("wine reg delete '$key' /f >/dev/null 2>&1")
        return
    fi
    line=$(wine reg query "$key" /v "$name" 2>/dev/null | tr -d '\r' | grep -i "^ *$name " | head -n 1)
    if [ -n "$line" ]; then
        type=$(awk '{ print $2 }' <<<"$line")
        data=$(sed -E "s/^[[:space:]]*$name[[:space:]]+REG_[A-Z_]+[[:space:]]*//I" <<<"$line")
        printf -v restore 'wine reg add %q /v %q /t %q /d %q /f >/dev/null 2>&1' "$key" "$name" "$type" "$data"
        cleanups+=("$restore")
    else
        cleanups+=("wine reg delete '$key' /v $name /f >/dev/null 2>&1")
    fi
    wine reg delete "$key" /v "$name" /f >/dev/null 2>&1
}

# point_at SERVER [TEMPLATE-PATH]: the Cloud Pane started next fetches from SERVER
# ("http://127.0.0.1:PORT"), its station files under TEMPLATE-PATH (default NOAA's path).
point_at() {
    local template=${2:-/pub/data/observations/metar/stations/%s.TXT}
    if [ "${addresses_saved:-0}" -eq 0 ]; then
        save_registry_value HKCU ObservationUrlTemplate
        save_registry_value HKCU ForecastEndpoint
        addresses_saved=1
    fi
    wine reg add 'HKCU\Software\CloudPane' /v ObservationUrlTemplate /t REG_SZ /d "$1$template" /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\CloudPane' /v ForecastEndpoint /t REG_SZ /d "$1/ndfdXMLserver.php" /f \
            >/dev/null 2>&1 || fail "cannot write the registry"
}

# The stations of the default home city and favourites, in the order they are fetched.
default_stations=(KLAX KMIA KJFK LFPO LEMD LIRF RJAA WSSS FAJS ESSA CYVR YSSY ZBAA VHHH VIDP GMMC SBBR MMMX)
fake_noaa=$(cd "$(dirname "$0")/../weather" && pwd)/fake_noaa.py

# station_file ICAO MINUTES-AGO: a METAR station file observed that long ago.
station_file() {
    local when
    when=$(date -u -d "-$2 minutes" +%s)
    printf '%s\n%s %sZ 26010KT 10SM FEW020 18/09 A3002\n' "$(date -u -d "@$when" '+%Y/%m/%d %H:%M')" \
        "$1" "$(date -u -d "@$when" '+%d%H%M')"
}

# start_server [OLD-STATION...]: a fake NOAA with every default station observed 5 minutes
# ago, the ones named two hours ago; sets $server and $server_log_command.
start_server() {
    local dir icao
    dir=$(mktemp -d)
    cleanups+=("rm -rf '$dir'")
    mkdir "$dir/stations"
    for icao in "${default_stations[@]}"; do
        station_file "$icao" 5 >"$dir/stations/$icao.TXT"
    done
    for icao in "$@"; do
        station_file "$icao" 120 >"$dir/stations/$icao.TXT"
    done
    python3 "$fake_noaa" start --stations "$dir/stations" --port-file "$dir/port" --lifetime 300 \
        --dwml "$(dirname "$fake_noaa")/data/dwml/forecast.xml" || fail "the fake NOAA server does not start"
    cleanups+=("python3 '$fake_noaa' stop --port-file '$dir/port'")
    server="http://127.0.0.1:$(cat "$dir/port")"
    server_port_file="$dir/port"
}

# requests: the fake server's request log, one "METHOD PATH" a line.
requests() { python3 "$fake_noaa" requests --port-file "$server_port_file"; }

# wait_requests N: waits boundedly until the server has seen at least N requests.
wait_requests() {
    local i
    for ((i = 0; i < bound * 10; i++)); do
        [ "$(requests | wc -l)" -ge "$1" ] && return 0
        sleep 0.1
    done
    fail "the server saw $(requests | wc -l) requests, not $1, within $bound s: $(requests | tr '\n' ' ')"
}

# station_requests ICAO...: the log lines fetching these stations' observations, in order.
station_requests() {
    local icao
    for icao in "$@"; do echo "GET /pub/data/observations/metar/stations/$icao.TXT"; done
}

case_second_desktop_start() {
    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid

    run_fg "$stage/cloud-pane.exe"
    note "second start of cloud-pane.exe ended after $elapsed s with exit code $rc"
    [ "$rc" -eq 0 ] || fail "second start ended with exit code $rc"
    kill -0 "$first" 2>/dev/null || fail "the first instance ended when the second started"
    window_exists "Cloud Pane" || fail "the first instance lost its hidden window"

    # The other edition is another program: it starts beside the first.
    start_desktop globe-glow.exe "Globe Glow"
    local other=$last_pid
    kill -0 "$first" 2>/dev/null || fail "the first instance ended when the other edition started"

    end_session "Globe Glow" "$other"
    end_session "Cloud Pane" "$first"
}

case_configuration_while_desktop_runs() {
    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid

    run_fg "$stage/cloud-pane.scr" /c
    note "cloud-pane.scr /c ended after $elapsed s with exit code $rc"
    [ "$rc" -eq 0 ] || fail "configuration start ended with exit code $rc"
    run_fg "$stage/CLOUD-PANE.SCR" -C:0
    [ "$rc" -eq 0 ] || fail "configuration start in capitals ended with exit code $rc"
    kill -0 "$first" 2>/dev/null || fail "the desktop instance ended on the configuration start"
    window_exists "Cloud Pane" || fail "the desktop instance lost its hidden window"

    end_session "Cloud Pane" "$first"
}

case_per_user_folders() {
    local roaming local_
    roaming=$(unix_path_of_variable APPDATA)
    local_=$(unix_path_of_variable LOCALAPPDATA)
    [ -d "$roaming" ] && [ -d "$local_" ] || fail "cannot find the application-data folders of the Wine prefix"

    put_aside "$roaming/CloudPane"
    put_aside "$local_/CloudPane"

    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid
    [ -d "$roaming/CloudPane" ] || fail "no $roaming/CloudPane"
    [ -d "$local_/CloudPane/Wallpaper" ] || fail "no $local_/CloudPane/Wallpaper"
    end_session "Cloud Pane" "$first"
}

case_screen_saver_installation_path() {
    save_registry_value HKCU
    save_registry_value HKLM

    run_fg "$stage/cloud-pane.scr" /s
    note "cloud-pane.scr /s without InstallationPath ended after $elapsed s with exit code $rc"
    [ "$rc" -eq 0 ] || fail "screen saver without installation ended with exit code $rc"

    # The machine-wide value alone is enough, and then the screen saver runs.
    wine reg add 'HKLM\Software\CloudPane' /v InstallationPath /t REG_SZ /d "$(winepath -w "$stage")" /f \
        >/dev/null 2>&1 || fail "cannot write the registry"
    start_bg "$stage/cloud-pane.scr" "Cloud Pane" /s
    local saver=$last_pid
    window_exists "Cloud Pane" $((bound * 1000)) || fail "the screen saver made no hidden window"
    end_session "Cloud Pane" "$saver"
}

case_bad_program_name() {
    local dir
    dir=$(mktemp -d)
    cleanups+=("rm -rf '$dir'")
    cp "$stage/cloud-pane.exe" "$dir/cloud-pane (2).exe"
    cp "$stage/cloud-pane.exe" "$dir/orbimeteo.exe"

    local file
    for file in "cloud-pane (2).exe" orbimeteo.exe; do
        run_fg "$dir/$file"
        note "$file ended after $elapsed s with exit code $rc"
        [ "$rc" -eq 0 ] || fail "$file ended with exit code $rc"
    done
    window_exists "Cloud Pane" && fail "a renamed copy started as Cloud Pane"
    return 0
}

case_preview_without_handle() {
    local args
    for args in /p "/p:" "/p:12ab"; do
        run_fg "$stage/cloud-pane.scr" "$args"
        note "cloud-pane.scr $args ended after $elapsed s with exit code $rc"
        [ "$rc" -eq 0 ] || fail "cloud-pane.scr $args ended with exit code $rc"
    done
}

case_end_session() {
    start_desktop globe-glow.exe "Globe Glow"
    local first=$last_pid

    # A cancelled log-off leaves the program running.
    wine "$tool" end-session-cancelled "Globe Glow" || fail "could not send WM_ENDSESSION(FALSE)"
    window_exists "Globe Glow" || fail "the hidden window went away on a cancelled log-off"
    kill -0 "$first" 2>/dev/null || fail "the program ended on a cancelled log-off"

    end_session "Globe Glow" "$first"
    note "globe-glow.exe ended with exit code $rc on WM_ENDSESSION"
}

# The lines a first desktop start writes when it ends, as the options file holds them.
default_options_lines=(
    "HomeCity=348400;KLAX;USA;Los Angeles;Los Angeles International Airport;33.938000;-118.389000"
    "UpdateWallpaper=true" "RunAtSystemStartup=false" "ShowWeather=true" "UseMetricSystem=false"
    "Region=Earth (Default)" "Background=Blue Marble.jpg" "DispalyCityName=true"
    "DisplayCityTemprature=true" "WeatherIconScale=70" "FontCityName=Arial,6.000,0"
    "ColorCityName=255,255,255" "FontCityTemprature=Arial,8.000,1" "ColorCityTemprature=255,0,0"
    "FormLocalWeather_AlwaysOnTop=false" "FormLocalWeather_Mode=0")
default_cities_lines=(
    "358900;KMIA;USA;Miami;Miami International Airport;25.791000;-80.316002"
    "370800;KJFK;USA;New York;Kennedy International Airport;40.639000;-73.762001"
    "113600;LFPO;France;Paris;Orly;48.733002;2.400000"
    "221800;LEMD;Spain;Madrid;Barajas;40.450001;-3.550000"
    "152100;LIRF;Italy;Roma;Fiumicino;41.799999;12.233000"
    "163300;RJAA;Japan;Tokyo;New Tokyo International Airport;35.766998;140.382996"
    "213600;WSSS;Singapore;Singapore;Changi Airport;1.367000;103.983002"
    "216100;FAJS;South Africa;Johannesburg;;-26.132999;28.233000"
    "227400;ESSA;Sweden;Stockholm;Arlanda;59.650002;17.950001"
    "79800;CYVR;Canada;Vancouver;International Airport;49.182999;-123.167000"
    "12100;YSSY;Australia;Sydney;;-33.950001;151.182999"
    "86600;ZBAA;China;Beijing;;39.932999;116.282997"
    "133400;VHHH;Hong Kong;Hong Kong;;22.333000;114.182999"
    "136800;VIDP;India;New Delhi;Palam;28.566999;77.116997"
    "179000;GMMC;Morocco;Casablanca;;33.567001;-7.667000"
    "23000;SBBR;Brazil;Brasilia;;-15.867000;-47.932999"
    "175100;MMMX;Mexico;Mexico City;Licenci;19.433001;-99.099998")

# same_crlf_lines FILE LINE...: the file holds exactly these lines, each ended by CR LF.
same_crlf_lines() {
    local file=$1
    shift
    cmp -s "$file" <(printf '%s\r\n' "$@")
}

case_default_files() {
    local roaming
    roaming=$(unix_path_of_variable APPDATA)
    [ -d "$roaming" ] || fail "cannot find the application-data folder of the Wine prefix"
    put_aside "$roaming/CloudPane"

    start_desktop cloud-pane.exe "Cloud Pane"
    end_session "Cloud Pane" "$last_pid"
    same_crlf_lines "$roaming/CloudPane/Options.txt" "${default_options_lines[@]}" ||
        fail "Options.txt is not the defaults: $(od -c "$roaming/CloudPane/Options.txt" | head -5)"
    same_crlf_lines "$roaming/CloudPane/Cities.txt" "${default_cities_lines[@]}" ||
        fail "Cities.txt is not the 17 default favourites: $(head -c 300 "$roaming/CloudPane/Cities.txt")"
    [ ! -e "$roaming/CloudPane/Options.txt.temp" ] || fail "a temporary options file was left behind"
}

# fresh_user_folder: an empty per-user folder of Cloud Pane, in $user_dir, for the test's length.
fresh_user_folder() {
    local roaming
    roaming=$(unix_path_of_variable APPDATA)
    [ -d "$roaming" ] || fail "cannot find the application-data folder of the Wine prefix"
    put_aside "$roaming/CloudPane"
    user_dir="$roaming/CloudPane"
    mkdir -p "$user_dir"
}

# run_until_end_of_session: starts the desktop program, ends the session as Windows does, and
# requires the process to be gone within 2 s of WM_ENDSESSION, with exit code 0.
run_until_end_of_session() {
    local out
    start_desktop cloud-pane.exe "Cloud Pane"
    out=$(wine "$tool" end-session-within "Cloud Pane" 2000 | tr -d '\r')
    local sent=$?
    note "cloud-pane.exe on WM_ENDSESSION: $out"
    [ "$sent" -eq 0 ] || fail "cloud-pane.exe was not gone within 2 s of WM_ENDSESSION ($out)"
    wait_exit "$last_pid"
    [ "$rc" -eq 0 ] || fail "cloud-pane.exe ended with exit code $rc on WM_ENDSESSION"
}

# no_temporary_files: a save leaves no ".temp" file behind, whether it failed or not.
no_temporary_files() {
    [ ! -f "$user_dir/Options.txt.temp" ] || fail "Options.txt.temp was left behind"
    [ ! -f "$user_dir/Cities.txt.temp" ] || fail "Cities.txt.temp was left behind"
}

# Options.txt that cannot be written: the failed save opens no box that the end of the session
# would wait on, and the favourites are saved all the same.
case_options_folder_end_session() {
    fresh_user_folder
    mkdir "$user_dir/Options.txt"
    run_until_end_of_session
    [ -d "$user_dir/Options.txt" ] || fail "the folder Options.txt is gone"
    same_crlf_lines "$user_dir/Cities.txt" "${default_cities_lines[@]}" || fail "Cities.txt was not saved"
    no_temporary_files
}

# The default lines with the home city London and metric units.
london_options_lines() {
    london_lines=("HomeCity=1001;EGLL;United Kingdom;London;Heathrow;51.477001;-0.461000" "${default_options_lines[@]:1}")
    london_lines[4]="UseMetricSystem=true"
}

case_options_lf_only() {
    fresh_user_folder
    london_options_lines
    printf '%s\n' "${london_lines[@]}" >"$user_dir/Options.txt"
    run_until_end_of_session
    same_crlf_lines "$user_dir/Options.txt" "${london_lines[@]}" ||
        fail "Options.txt is not London and metric in CR LF lines: $(od -c "$user_dir/Options.txt" | head -5)"
    [ ! -e "$user_dir/Options.txt.damaged" ] || fail "a file read normally was kept as damaged"
}

case_options_random_bytes() {
    fresh_user_folder
    head -c 4096 /dev/urandom >"$user_dir/Options.txt"
    cp "$user_dir/Options.txt" "$user_dir/bytes"
    run_until_end_of_session
    cmp -s "$user_dir/bytes" "$user_dir/Options.txt.damaged" || fail "Options.txt.damaged does not hold the damaged bytes"
    same_crlf_lines "$user_dir/Options.txt" "${default_options_lines[@]}" ||
        fail "Options.txt is not the defaults with their home city: $(head -c 200 "$user_dir/Options.txt")"
    no_temporary_files
}

case_options_read_only() {
    fresh_user_folder
    london_options_lines
    printf '%s\r\n' "${london_lines[@]}" >"$user_dir/Options.txt"
    cp "$user_dir/Options.txt" "$user_dir/before"
    chmod a-w "$user_dir/Options.txt"
    run_until_end_of_session
    cmp -s "$user_dir/before" "$user_dir/Options.txt" || fail "the read-only Options.txt was written over"
    [[ $(stat -c %A "$user_dir/Options.txt") != *w* ]] || fail "Options.txt lost its read-only mark"
    same_crlf_lines "$user_dir/Cities.txt" "${default_cities_lines[@]}" || fail "Cities.txt was not saved"
    no_temporary_files
}

case_cities_damaged_lines() {
    fresh_user_folder
    printf '%s\r\n' "${default_cities_lines[0]}" "a damaged line" "${default_cities_lines[2]}" >"$user_dir/Cities.txt"
    cp "$user_dir/Cities.txt" "$user_dir/before"
    run_until_end_of_session
    cmp -s "$user_dir/before" "$user_dir/Cities.txt.damaged" || fail "Cities.txt.damaged is not the file as it was"
    same_crlf_lines "$user_dir/Cities.txt" "${default_cities_lines[0]}" "${default_cities_lines[2]}" ||
        fail "Cities.txt does not hold the two good lines: $(cat -A "$user_dir/Cities.txt")"
}

# A first start: the home city's station, then the progressive batch (the home city with its
# forecast, each favourite once), and nothing more until a timer tick.
case_first_start_downloads() {
    put_aside "$(unix_path_of_variable LOCALAPPDATA)/CloudPane"
    for value in Wallpaper WallpaperStyle TileWallpaper; do save_desktop_value "$value"; done
    put_aside "$(unix_path_of_variable APPDATA)/CloudPane"
    start_server
    point_at "$server"
    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid
    wait_requests 20
    sleep 2
    local expected
    expected=$(station_requests KLAX KLAX; echo "POST /ndfdXMLserver.php"; station_requests "${default_stations[@]:1}")
    [ "$(requests)" = "$expected" ] || fail "unexpected requests: $(requests | tr '\n' ' ')"
    wine "$tool" icon "Cloud Pane" || fail "no notification icon after the first start"
    # The first picture at the start, the next after the home city's batch, the third after
    # the progressive batch: E0, E1, E0.
    local folder i
    folder=$(unix_path_of_variable LOCALAPPDATA)/CloudPane/Wallpaper
    # The main thread draws them one after the other, each taking a while on a busy machine.
    for ((i = 0; i < bound; i++)); do
        [ "$(desktop_value Wallpaper)" = "$(winepath -w "$folder")\E0.bmp" ] && [ "$(ls "$folder")" = E0.bmp ] && break
        sleep 1
    done
    [ "$(desktop_value Wallpaper)" = "$(winepath -w "$folder")\E0.bmp" ] && [ "$(ls "$folder")" = E0.bmp ] ||
        fail "after the batches the wallpaper is $(desktop_value Wallpaper), the folder holds $(ls "$folder" | tr '\n' ' ')"
    # A figure, not a check: the CPU the program uses while it waits for the next tick.
    local before after
    before=$(awk '{ print $14 + $15 }' "/proc/$first/stat" 2>/dev/null)
    sleep 5
    after=$(awk '{ print $14 + $15 }' "/proc/$first/stat" 2>/dev/null)
    [ -n "$before" ] && [ -n "$after" ] && note "CPU between ticks: $((after - before)) ticks of 1/100 s in 5 s"
    end_session "Cloud Pane" "$first"
}

# A tick of the download timer, and a resume from sleep, fetch only the cities that are due.
case_timer_fetches_due() {
    put_aside "$(unix_path_of_variable LOCALAPPDATA)/CloudPane"
    for value in Wallpaper WallpaperStyle TileWallpaper; do save_desktop_value "$value"; done
    put_aside "$(unix_path_of_variable APPDATA)/CloudPane"
    start_server KMIA ESSA
    point_at "$server"
    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid
    wait_requests 20
    sleep 1
    local before
    before=$(desktop_value Wallpaper)
    wine "$tool" timer "Cloud Pane" 1 || fail "could not send WM_TIMER"
    wait_requests 22
    sleep 2
    [ "$(requests | tail -n +21)" = "$(station_requests KMIA ESSA)" ] ||
        fail "the timer fetched: $(requests | tail -n +21 | tr '\n' ' ')"
    # After the batch the next picture is installed.
    [ "$(desktop_value Wallpaper)" != "$before" ] || fail "the wallpaper is still $before after the timer's batch"
    wine "$tool" resume "Cloud Pane" || fail "could not send WM_POWERBROADCAST"
    wait_requests 24
    sleep 2
    [ "$(requests | tail -n +23)" = "$(station_requests KMIA ESSA)" ] ||
        fail "the resume fetched: $(requests | tail -n +23 | tr '\n' ' ')"
    end_session "Cloud Pane" "$first"
}

# A lost notification icon comes back when Explorer starts again and when the program is
# started a second time.
case_icon_comes_back() {
    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid i
    # The icon comes last in the start, after the first picture.
    for ((i = 0; i < bound; i++)); do
        wine "$tool" icon "Cloud Pane" && break
        sleep 1
    done
    wine "$tool" icon "Cloud Pane" || fail "no notification icon"
    wine "$tool" lose-icon "Cloud Pane" || fail "could not delete the icon"
    wine "$tool" icon "Cloud Pane" && fail "the icon is still there after deleting it"
    wine "$tool" taskbar-created "Cloud Pane" || fail "could not send TaskbarCreated"
    wine "$tool" icon "Cloud Pane" || fail "the icon did not come back with the taskbar"

    wine "$tool" lose-icon "Cloud Pane" || fail "could not delete the icon"
    run_fg "$stage/cloud-pane.exe"
    [ "$rc" -eq 0 ] || fail "second start ended with exit code $rc"
    sleep 1
    wine "$tool" icon "Cloud Pane" || fail "the icon did not come back with a second start"
    end_session "Cloud Pane" "$first"
}

# exit_while_slow HOW: Exit from the menu or Windows ending, while a download waits on a
# server that answers after 20 s: the options are saved and the process ends within a second.
exit_while_slow() {
    local roaming
    roaming=$(unix_path_of_variable APPDATA)
    put_aside "$roaming/CloudPane"
    start_server
    point_at "$server" /slow/20000/pub/data/observations/metar/stations/%s.TXT
    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid
    wait_requests 1
    if [ "$1" = menu ]; then
        wine "$tool" command "Cloud Pane" 57665 || fail "could not send the Exit command"
    else
        wine "$tool" end-session "Cloud Pane" || fail "could not send WM_ENDSESSION"
    fi
    local begin
    begin=$(date +%s.%N)
    wait_exit "$first"
    local end saved
    end=$(date +%s.%N)
    [ "$rc" -eq 0 ] || fail "ended with exit code $rc"
    [ -f "$roaming/CloudPane/Options.txt" ] && [ -f "$roaming/CloudPane/Cities.txt" ] ||
        fail "the options were not saved"
    # Saving forces both files to the disk, which may take long on a busy machine; what follows
    # it (stopping the worker, ending the process) is timed from the moment the last file was
    # put in place.
    saved=$(stat -c %.9Z "$roaming/CloudPane/Options.txt" "$roaming/CloudPane/Cities.txt" | sort -n | tail -n 1)
    local after_save after_tool
    after_save=$(awk -v a="$saved" -v b="$end" 'BEGIN { printf "%d", (b - a) * 1000 }')
    after_tool=$(awk -v a="$begin" -v b="$end" 'BEGIN { printf "%d", (b - a) * 1000 }')
    note "$1 exit: ended $after_save ms after saving, $after_tool ms after the tool returned"
    [ "$after_save" -lt 1000 ] || fail "took $after_save ms to end after saving"
}

case_exit_while_slow() { exit_while_slow menu; }
case_end_session_while_slow() { exit_while_slow end-session; }

# desktop_value NAME: the string value under HKCU\Control Panel\Desktop, or "<none>".
desktop_value() {
    local line
    line=$(wine reg query 'HKCU\Control Panel\Desktop' /v "$1" 2>/dev/null | tr -d '\r' | grep -i "^ *$1 " | head -n 1)
    if [ -z "$line" ]; then
        echo "<none>"
    else
        sed -E "s/^[[:space:]]*$1[[:space:]]+REG_[A-Z_]+[[:space:]]*//I" <<<"$line"
    fi
}

# save_desktop_value NAME: puts the value (or its absence) back when the test ends.
save_desktop_value() {
    local value
    value=$(desktop_value "$1")
    if [ "$value" = "<none>" ]; then
        cleanups+=("wine reg delete 'HKCU\\Control Panel\\Desktop' /v '$1' /f >/dev/null 2>&1")
    else
        printf -v restore 'wine reg add %q /v %q /t REG_SZ /d %q /f >/dev/null 2>&1' 'HKCU\Control Panel\Desktop' "$1" "$value"
        cleanups+=("$restore")
    fi
}

set_desktop_value() {
    wine reg add 'HKCU\Control Panel\Desktop' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1 || fail "cannot write $1"
}

# The weather picture becomes the wallpaper while the program runs; the user's comes back.
case_desktop_wallpaper() {
    local local_ dir folder user size
    local_=$(unix_path_of_variable LOCALAPPDATA)
    [ -d "$local_" ] || fail "cannot find the local application-data folder of the Wine prefix"
    put_aside "$local_/CloudPane"
    for value in Wallpaper WallpaperStyle TileWallpaper; do save_desktop_value "$value"; done
    # No download batch ends, and installs the next picture, while the first one is checked.
    start_server
    point_at "$server" /slow/20000/pub/data/observations/metar/stations/%s.TXT

    dir=$(mktemp -d)
    cleanups+=("rm -rf '$dir'")
    convert -size 8x8 xc:orange "BMP3:$dir/Holiday.bmp" || fail "cannot make the user's wallpaper"
    user=$(winepath -w "$dir/Holiday.bmp")
    set_desktop_value Wallpaper "$user"
    set_desktop_value WallpaperStyle 10
    set_desktop_value TileWallpaper 1
    # Pictures left by a crash.
    folder="$local_/CloudPane/Wallpaper"
    mkdir -p "$folder"
    echo old >"$folder/E0.bmp"
    echo old >"$folder/E1.bmp"

    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid i
    # The hidden window comes up just before the first picture is made.
    for ((i = 0; i < bound * 2; i++)); do
        [ "$(desktop_value Wallpaper)" = "$(winepath -w "$folder")\E0.bmp" ] && break
        sleep 0.5
    done
    [ "$(desktop_value Wallpaper)" = "$(winepath -w "$folder")\E0.bmp" ] ||
        fail "the installed wallpaper is $(desktop_value Wallpaper)"
    [ "$(desktop_value WallpaperStyle)" = 2 ] && [ "$(desktop_value TileWallpaper)" = 0 ] ||
        fail "style $(desktop_value WallpaperStyle), tile $(desktop_value TileWallpaper)"
    [ "$(ls "$folder")" = E0.bmp ] || fail "the wallpaper folder holds $(ls "$folder" | tr '\n' ' ')"
    size=$(python3 -c 'import struct, sys
d = open(sys.argv[1], "rb").read(30)
print("%s %dx%d %d" % (d[:2].decode(), struct.unpack("<i", d[18:22])[0], abs(struct.unpack("<i", d[22:26])[0]), struct.unpack("<H", d[28:30])[0]))' "$folder/E0.bmp")
    local screen
    screen=$(xdpyinfo 2>/dev/null | awk '/dimensions:/ { print $2; exit }')
    note "E0.bmp: $size (screen ${screen:-unknown})"
    [ "$size" = "BM ${screen:-${size#BM }} 24" ] || [ -z "$screen" ] || fail "E0.bmp is $size, not the screen's $screen in 24 bits"

    end_session "Cloud Pane" "$first"
    [ "$(desktop_value Wallpaper)" = "$user" ] || fail "after the end the wallpaper is $(desktop_value Wallpaper)"
    [ "$(desktop_value WallpaperStyle)" = 10 ] && [ "$(desktop_value TileWallpaper)" = 1 ] ||
        fail "after the end style $(desktop_value WallpaperStyle), tile $(desktop_value TileWallpaper)"
    [ -z "$(ls "$folder")" ] || fail "the wallpaper folder still holds $(ls "$folder" | tr '\n' ' ')"
}

case_local_weather_menu() {
    local local_tool=${ORBIMETEO_LOCAL_WINDOW_TOOL:?the local-window tool}
    put_aside "$(unix_path_of_variable APPDATA)/CloudPane"
    start_server
    point_at "$server"
    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid
    wait_requests 20
    sleep 2
    local state
    state=$(wine "$local_tool" state | tr -d '\r')
    [[ " $state " == *" visible=0 "* ]] || fail "the local weather window shows before it is asked for: $state"
    wine "$tool" command "Cloud Pane" 32834 || fail "could not send Local Weather"
    sleep 1
    state=$(wine "$local_tool" state | tr -d '\r')
    note "local weather window: $state"
    # Seven columns of the 13-period forecast starting by day: 521 pixels wide.
    [[ " $state " == *" visible=1 layered=1 "* && " $state " == *" width=521 "* ]] ||
        fail "after Local Weather the window is: $state"
    if [ -n "${ORBIMETEO_SCREENSHOT:-}" ]; then
        import -window root "$ORBIMETEO_SCREENSHOT" || note "no screenshot"
    fi
    end_session "Cloud Pane" "$first"
}

# The favourite-cities page of the options dialog, through the helpers named by
# ORBIMETEO_LOCAL_WINDOW_TOOL, ORBIMETEO_OPTIONS_TOOL and ORBIMETEO_OPTIONS_CITIES_TOOL.
cities() { wine "${ORBIMETEO_OPTIONS_CITIES_TOOL:?the options-cities tool}" "$@" | tr -d '\r'; }

# until_true WHAT COMMAND...: waits boundedly until the command succeeds.
until_true() {
    local what=$1 i
    shift
    for ((i = 0; i < bound * 5; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    fail "$what: not within $bound s"
}

home_is() { [ "$(cities home | head -n 1)" = "$1" ] && [ "$(cities home | tail -n 1)" = "selected=$2" ]; }
has_row() { cities rows | grep -qxF "$1"; }

# Opened as the local weather window's "Change Location" opens it: on "Favorite Cities".
open_cities_page() {
    local options_tool=${ORBIMETEO_OPTIONS_TOOL:?the options-dialog tool}
    wine "${ORBIMETEO_LOCAL_WINDOW_TOOL:?the local-window tool}" command 32789 || fail "could not send Change Location"
    wine "$options_tool" find "Cloud Pane" $((bound * 1000)) || fail "Change Location opened no options dialog"
    wine "$options_tool" shown "Cloud Pane" 1016 || fail "the options dialog does not open on Favorite Cities"
}

options_ok() { wine "${ORBIMETEO_OPTIONS_TOOL:?the options-dialog tool}" click "Cloud Pane" 0 1 || fail "cannot click OK"; }

# only_name_differs BEFORE AFTER: the two 24-bit pictures differ, and only within the top right
# quarter, where the home city's name is drawn under its temperature.
only_name_differs() {
    python3 - "$1" "$2" <<'PY'
import struct, sys
def pixels(path):
    data = open(path, "rb").read()
    offset, width, height, bits = struct.unpack("<I", data[10:14])[0], *struct.unpack("<ii", data[18:26]), struct.unpack("<H", data[28:30])[0]
    assert bits == 24
    stride = (width * 3 + 3) & ~3
    return width, abs(height), stride, data[offset:], height > 0
w, h, stride, a, bottom_up = pixels(sys.argv[1])
w2, h2, _, b, _ = pixels(sys.argv[2])
assert (w, h) == (w2, h2)
rows = [y for y in range(h) if a[y * stride:y * stride + w * 3] != b[y * stride:y * stride + w * 3]]
if not rows:
    sys.exit(1)
top = min(h - 1 - y for y in rows) if bottom_up else min(rows)
bottom = max(h - 1 - y for y in rows) if bottom_up else max(rows)
left = min(next(x for x in range(w) if a[y * stride + 3 * x:y * stride + 3 * x + 3] != b[y * stride + 3 * x:y * stride + 3 * x + 3]) for y in rows)
print("differs in rows %d-%d from column %d of %dx%d" % (top, bottom, left, w, h))
sys.exit(0 if bottom < h // 2 and left >= w // 2 else 1)
PY
}

# A new home city from the picker: OK saves it, fetches its weather and installs a picture
# with its name. Burbank has Los Angeles' weather and the same night and day, so its picture
# is Los Angeles' with another name.
case_options_home_city() {
    local roaming local_ home
    roaming=$(unix_path_of_variable APPDATA)
    local_=$(unix_path_of_variable LOCALAPPDATA)
    put_aside "$roaming/CloudPane"
    put_aside "$local_/CloudPane"
    for value in Wallpaper WallpaperStyle TileWallpaper; do save_desktop_value "$value"; done
    start_server KBUR
    point_at "$server"
    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid
    wait_requests 20
    sleep 2
    open_cities_page
    home=$(cities home)
    [ "$(head -n 3 <<<"$home")" = $'0:Los Angeles\n1:Other city...\n2: ' ] ||
        fail "the home list is $(tr '\n' '|' <<<"$home")"
    # A cancelled picker leaves the home list on the home city.
    cities home-select "Other city..." || fail "cannot choose Other city..."
    cities pick-cancel || fail "Other city... opened no picker"
    until_true "the home city shows again after Cancel" home_is "0:Los Angeles" 0
    cities home-select "Other city..." || fail "cannot choose Other city..."
    cities pick Burbank || fail "cannot pick Burbank"
    until_true "Burbank becomes the home city" home_is "0:Burbank" 0
    home=$(cities home)
    [ "$(tail -n 2 <<<"$home" | head -n 1)" = "20:Los Angeles" ] ||
        fail "the old home city is not the last favourite: $(tr '\n' '|' <<<"$home")"
    has_row "Burbank|Bob Hope Airport" || fail "Burbank has no row: $(cities rows | tr '\n' '|')"

    local wallpaper before
    wallpaper=$(winepath -u "$(desktop_value Wallpaper)" 2>/dev/null)
    [ -f "$wallpaper" ] || fail "no wallpaper installed before OK"
    before=$(mktemp)
    cleanups+=("rm -f '$before'")
    cp "$wallpaper" "$before"
    options_ok
    until_true "OK saves Burbank as the home city" \
        grep -q "^HomeCity=275280;KBUR;USA;Burbank;" "$roaming/CloudPane/Options.txt"
    tail -n 1 "$roaming/CloudPane/Cities.txt" | grep -q "^348400;KLAX;" || fail "Los Angeles is not the last favourite saved"
    until_true "OK fetches Burbank's weather" eval 'requests | grep -q "KBUR.TXT"'
    installed_has_new_name() { only_name_differs "$before" "$(winepath -u "$(desktop_value Wallpaper)" 2>/dev/null)"; }
    until_true "a wallpaper with the new name is installed" installed_has_new_name
    note "$(installed_has_new_name)"
    if [ -n "${ORBIMETEO_SCREENSHOT:-}" ]; then
        convert "$(winepath -u "$(desktop_value Wallpaper)")" "$ORBIMETEO_SCREENSHOT" || note "no screenshot"
    fi
    end_session "Cloud Pane" "$first"
}

# The list's refusals, a new display name, and the home row removed; OK saves both files.
case_options_remove_rename() {
    local roaming
    roaming=$(unix_path_of_variable APPDATA)
    put_aside "$roaming/CloudPane"
    start_desktop cloud-pane.exe "Cloud Pane"
    local first=$last_pid
    sleep 2
    open_cities_page
    cities click 1019 || fail "cannot click Remove City"
    cities message "Please select a city and try again." || fail "Remove City without a row asked nothing"
    cities select-rows Miami "New York" || fail "cannot select two rows"
    cities click 1020 || fail "cannot click Change Display Name"
    cities message "Please select one city and try again." || fail "Change Display Name on two rows asked nothing"
    # A blank name is refused and the dialog stays open for another.
    cities select-rows Miami || fail "cannot select Miami"
    cities click 1020 || fail "cannot click Change Display Name"
    cities rename "   " || fail "Change Display Name opened no dialog"
    cities message "Please enter display name and try again." || fail "a blank name was not refused"
    cities rename "  Sunny Miami  " || fail "the display-name dialog did not stay open"
    until_true "the row shows the new name" has_row "Sunny Miami|Miami International Airport"
    cities home | grep -qxF "3:Sunny Miami" || fail "the home list misses the new name: $(cities home | tr '\n' '|')"
    # A double click on one row opens the same dialog.
    cities double-click || fail "cannot double-click the list"
    cities rename-cancel || fail "the double click opened no display-name dialog"
    cities select-rows "Los Angeles" || fail "cannot select Los Angeles"
    cities click 1019 || fail "cannot click Remove City"
    until_true "no home city is left" home_is "0:Other city..." -1
    has_row "Los Angeles|Los Angeles International Airport" && fail "the home row is still listed"
    options_ok
    until_true "OK saves the new name" grep -q ";KMIA;USA;Sunny Miami;" "$roaming/CloudPane/Cities.txt"
    grep -q "^HomeCity=" "$roaming/CloudPane/Options.txt" && fail "OK kept a home city"
    grep -q ";KLAX;" "$roaming/CloudPane/Cities.txt" && fail "Los Angeles became a favourite"
    end_session "Cloud Pane" "$first"
}

# ---- hostile files --------------------------------------------------------------------------

# hostile_start: runs a copy of the staged program (whose station database a case may have
# replaced) until Windows ends the session; it must start, end with exit code 0 and leave no
# ".temp" file. Saving forces the files to the disk, which takes its time while the disk is
# still busy with a case's large files, so the end is not timed here.
hostile_start() {
    local saved_stage=$stage begin
    stage=$hostile_stage
    start_desktop cloud-pane.exe "Cloud Pane"
    # The icon comes last in the start, after the first picture: the start is through.
    local i
    for ((i = 0; i < bound; i++)); do
        wine "$tool" icon "Cloud Pane" && break
        sleep 1
    done
    wine "$tool" icon "Cloud Pane" || fail "the start did not get through to its notification icon"
    begin=$(date +%s%N)
    end_session "Cloud Pane" "$last_pid"
    note "ended $((($(date +%s%N) - begin) / 1000000)) ms after the tool sent WM_ENDSESSION"
    stage=$saved_stage
    no_temporary_files
}

# hostile_files: a fresh per-user folder and a copy of the stage, in $user_dir and
# $hostile_stage.
hostile_files() {
    fresh_user_folder
    hostile_stage=$(mktemp -d)
    cleanups+=("chmod -R u+w '$hostile_stage'; rm -rf '$hostile_stage'")
    cp -r "$stage/." "$hostile_stage/"
}

# same_file A B WHAT: fails unless the two files hold the same bytes.
same_file() { cmp -s "$1" "$2" || fail "$3"; }

case_hostile_random_bytes() {
    hostile_files
    local name
    for name in Options.txt Cities.txt; do
        head -c 1048576 /dev/urandom | tr -d '\n\r' >"$user_dir/$name"
        cp "$user_dir/$name" "$user_dir/$name.before"
    done
    head -c 1048576 /dev/urandom >"$hostile_stage/CityRecords.txt"
    hostile_start
    same_file "$user_dir/Options.txt.before" "$user_dir/Options.txt.damaged" "Options.txt.damaged is not the file as it was"
    same_file "$user_dir/Cities.txt.before" "$user_dir/Cities.txt.damaged" "Cities.txt.damaged is not the file as it was"
    same_crlf_lines "$user_dir/Options.txt" "${default_options_lines[@]}" || fail "Options.txt is not the defaults"
    same_crlf_lines "$user_dir/Cities.txt" "${default_cities_lines[@]}" || fail "Cities.txt is not the defaults"
}

# 50 MB each: good lines first, then lines of noise; what reads is kept, the rest is kept aside.
case_hostile_50_megabytes() {
    hostile_files
    london_options_lines
    { printf '%s\r\n' "${london_lines[@]}"; head -c 52428800 /dev/zero | tr '\0' 'x' | fold -w 1000; } >"$user_dir/Options.txt"
    { printf '%s\r\n' "${default_cities_lines[@]:0:3}"; head -c 52428800 /dev/zero | tr '\0' ';' | fold -w 1000; } >"$user_dir/Cities.txt"
    cp "$user_dir/Cities.txt" "$user_dir/Cities.txt.before"
    head -c 52428800 /dev/zero | tr '\0' 'y' | fold -w 5000 >"$hostile_stage/CityRecords.txt"
    hostile_start
    same_crlf_lines "$user_dir/Options.txt" "${london_lines[@]}" || fail "Options.txt lost the London settings"
    same_crlf_lines "$user_dir/Cities.txt" "${default_cities_lines[@]:0:3}" || fail "Cities.txt lost its three good lines"
    same_file "$user_dir/Cities.txt.before" "$user_dir/Cities.txt.damaged" "Cities.txt.damaged is not the file as it was"
}

case_hostile_folders() {
    hostile_files
    mkdir "$user_dir/Options.txt" "$user_dir/Cities.txt"
    rm -f "$hostile_stage/CityRecords.txt"
    mkdir "$hostile_stage/CityRecords.txt"
    hostile_start
    [ -d "$user_dir/Options.txt" ] && [ -d "$user_dir/Cities.txt" ] || fail "a folder was replaced"
}

# Read, used, and left as they are.
case_hostile_read_only() {
    hostile_files
    london_options_lines
    printf '%s\r\n' "${london_lines[@]}" >"$user_dir/Options.txt"
    printf '%s\r\n' "${default_cities_lines[@]:3:2}" >"$user_dir/Cities.txt"
    cp "$user_dir/Options.txt" "$user_dir/Options.txt.before"
    cp "$user_dir/Cities.txt" "$user_dir/Cities.txt.before"
    chmod a-w "$user_dir/Options.txt" "$user_dir/Cities.txt" "$hostile_stage/CityRecords.txt"
    hostile_start
    same_file "$user_dir/Options.txt.before" "$user_dir/Options.txt" "the read-only Options.txt was written over"
    same_file "$user_dir/Cities.txt.before" "$user_dir/Cities.txt" "the read-only Cities.txt was written over"
}

# NUL bytes and lines of a megabyte among good lines: the good lines stay.
case_hostile_nul_and_long_lines() {
    hostile_files
    london_options_lines
    {
        printf '%s\r\n' "${london_lines[@]:0:8}"
        head -c 1048576 /dev/zero | tr '\0' 'z'
        printf '\r\n\0\0Weather\0IconScale=5\r\n'
        printf '%s\r\n' "${london_lines[@]:8}"
    } >"$user_dir/Options.txt"
    {
        printf '%s\r\n' "${default_cities_lines[0]}"
        head -c 1048576 /dev/zero | tr '\0' 'q'
        printf '\r\n\0\0\0%s\r\n' "${default_cities_lines[1]}"
        printf '%s\r\n' "${default_cities_lines[2]}"
    } >"$user_dir/Cities.txt"
    { head -c 1048576 /dev/zero | tr '\0' 'r'; printf '\n\0\0\0\n'; } >>"$hostile_stage/CityRecords.txt"
    hostile_start
    same_crlf_lines "$user_dir/Options.txt" "${london_lines[@]}" ||
        fail "Options.txt is not the London settings: $(head -c 300 "$user_dir/Options.txt" | cat -A)"
    same_crlf_lines "$user_dir/Cities.txt" "${default_cities_lines[0]}" "${default_cities_lines[2]}" ||
        fail "Cities.txt does not hold the two good lines: $(head -c 300 "$user_dir/Cities.txt" | cat -A)"
}

# Held open without sharing by another program while the program starts and ends: the
# defaults for the session, and the file is still the user's afterwards, read by the next start.
case_hostile_locked() {
    local lock_tool=${ORBIMETEO_FILE_LOCK_TOOL:?the file-lock tool} i
    hostile_files
    london_options_lines
    printf '%s\r\n' "${london_lines[@]}" >"$user_dir/Options.txt"
    cp "$user_dir/Options.txt" "$user_dir/Options.txt.before"
    wine "$lock_tool" "$(winepath -w "$user_dir/Options.txt")" "$(winepath -w "$user_dir")\\ready" \
        "$(winepath -w "$user_dir")\\release" &
    local lock_pid=$!
    cleanups+=("touch '$user_dir/release'; wait $lock_pid 2>/dev/null")
    for ((i = 0; i < bound * 10; i++)); do
        [ -e "$user_dir/ready" ] && break
        sleep 0.1
    done
    [ -e "$user_dir/ready" ] || fail "the file-lock tool does not hold Options.txt"
    rm -f "$user_dir/ready"
    hostile_start
    touch "$user_dir/release"
    wait "$lock_pid" || fail "the file-lock tool failed"
    rm -f "$user_dir/release"
    same_file "$user_dir/Options.txt.before" "$user_dir/Options.txt" "the locked Options.txt was written over"
    [ ! -e "$user_dir/Options.txt.damaged" ] || fail "the locked Options.txt was kept as damaged"
    same_crlf_lines "$user_dir/Cities.txt" "${default_cities_lines[@]}" || fail "Cities.txt was not saved"
    # Free again: read, and saved as it was read.
    hostile_start
    same_crlf_lines "$user_dir/Options.txt" "${london_lines[@]}" || fail "the next start lost the London settings"
}

[ -f "$stage/cloud-pane.exe" ] || fail "no staged program in $stage"
require_no_instance
# No start of these tests reaches NOAA: unless a case points the program at its own server,
# every download is refused at once.
point_at http://127.0.0.1:9
fn="case_${case//-/_}"
declare -F "$fn" >/dev/null || fail "unknown case $case"
"$fn"
echo "PASS: $case"
