#!/usr/bin/env bash
# The soak: Cloud Pane under Wine against the fake NOAA server's fault mix, driven through
# refresh cycles by soak-driver.exe, sampled every cycle. Usage:
#   soak.sh STAGE SOAK-DRIVER HIDDEN-WINDOW-TOOL CYCLES
# Checks: no crash; every city shows its last good observation (none when it never had one);
# the program ends cleanly and saves its settings. From 200 cycles on, private bytes, handles,
# and the GDI, USER and graphics-layer object counts at the last cycle are within 5 % of those
# at the tenth of the run (cycle 100 of 1,000). WINEPREFIX and DISPLAY come from the
# environment; ORBIMETEO_SOAK_STALL_EVERY (default 200) spaces the 15-second stalls, and
# ORBIMETEO_SOAK_GOOD_PER_DECK (default 10) sets how many good replies come with each fault.
# Prints the samples of every tenth of the run; ORBIMETEO_SOAK_SAMPLES=FILE keeps them all.
set -uo pipefail
# shellcheck source=../lib/scenario.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/scenario.sh"
stage=$1
driver=$2
tool=$3
cycles=$4
export WINEDEBUG=${WINEDEBUG:--all}
here=$(cd "$(dirname "$0")" && pwd)
fake_noaa=$here/../weather/fake_noaa.py
stations=(KLAX KMIA KJFK LFPO LEMD LIRF RJAA WSSS FAJS ESSA CYVR YSSY ZBAA VHHH VIDP GMMC SBBR MMMX)
cleanups=()
pid=

on_exit() {
    local i
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        wine "$tool" end-session "Cloud Pane" >/dev/null 2>&1
        sleep 5
        kill -0 "$pid" 2>/dev/null && wineserver -k
    fi
    for ((i = ${#cleanups[@]} - 1; i >= 0; i--)); do eval "${cleanups[i]}"; done
}
trap on_exit EXIT

wine_path_of() { winepath -u "$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')" 2>/dev/null; }

# aside DIR: out of the way for the run, back afterwards.
aside() {
    rm -rf "$1.soak-aside"
    if [ -e "$1" ]; then
        mv "$1" "$1.soak-aside"
        cleanups+=("rm -rf '$1'; mv '$1.soak-aside' '$1'")
    else
        cleanups+=("rm -rf '$1'")
    fi
}

# keep_value KEY NAME: the registry value (or its absence) comes back after the run.
keep_value() {
    local line type data restore
    line=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -i "^ *$2 " | head -n 1)
    if [ -n "$line" ]; then
        type=$(awk '{ print $2 }' <<<"$line")
        data=$(sed -E "s/^[[:space:]]*$2[[:space:]]+REG_[A-Z_]+[[:space:]]*//I" <<<"$line")
        printf -v restore 'wine reg add %q /v %q /t %q /d %q /f >/dev/null 2>&1' "$1" "$2" "$type" "$data"
    else
        printf -v restore 'wine reg delete %q /v %q /f >/dev/null 2>&1' "$1" "$2"
    fi
    cleanups+=("$restore")
}

[ -f "$stage/cloud-pane.exe" ] || fail "no staged program in $stage"
wine "$tool" find "Cloud Pane" >/dev/null 2>&1 && fail "a Cloud Pane instance is running"
roaming=$(wine_path_of APPDATA)
local_=$(wine_path_of LOCALAPPDATA)
[ -d "$roaming" ] && [ -d "$local_" ] || fail "cannot find the application-data folders"
aside "$roaming/CloudPane"
aside "$local_/CloudPane"
for name in Wallpaper WallpaperStyle TileWallpaper; do keep_value 'HKCU\Control Panel\Desktop' "$name"; done
keep_value 'HKCU\Software\CloudPane' ObservationUrlTemplate
keep_value 'HKCU\Software\CloudPane' ForecastEndpoint

work=$(mktemp -d)
cleanups+=("rm -rf '$work'")
mkdir "$work/stations"
python3 "$fake_noaa" start --stations "$work/stations" --port-file "$work/port" --lifetime 86400 \
    --dwml "$here/../weather/data/dwml/forecast.xml" --faults "${ORBIMETEO_SOAK_SEED:-$RANDOM}" \
    --stall-every "${ORBIMETEO_SOAK_STALL_EVERY:-200}" --good-per-deck "${ORBIMETEO_SOAK_GOOD_PER_DECK:-10}" ||
    fail "the fake NOAA server does not start"
cleanups+=("python3 '$fake_noaa' stop --port-file '$work/port'")
server="http://127.0.0.1:$(head -n 1 "$work/port")"
wine reg add 'HKCU\Software\CloudPane' /v ObservationUrlTemplate /t REG_SZ \
    /d "$server/pub/data/observations/metar/stations/%s.TXT" /f >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\CloudPane' /v ForecastEndpoint /t REG_SZ /d "$server/ndfdXMLserver.php" /f \
        >/dev/null 2>&1 || fail "cannot write the registry"

wine "$stage/cloud-pane.exe" &
pid=$!
wine "$tool" find "Cloud Pane" 60000 >/dev/null 2>&1 || fail "cloud-pane.exe made no hidden window"

begin=$(date +%s)
wine "$driver" "Cloud Pane" "$cycles" | tr -d '\r' >"$work/cycles"
driven=$?
seconds=$(($(date +%s) - begin))
[ -n "${ORBIMETEO_SOAK_SCREENSHOT:-}" ] && import -window root "$ORBIMETEO_SOAK_SCREENSHOT"
[ -n "${ORBIMETEO_SOAK_SAMPLES:-}" ] && cp "$work/cycles" "$ORBIMETEO_SOAK_SAMPLES"
[ "$driven" -eq 0 ] || fail "the driver stopped: $(tail -n 3 "$work/cycles")"
kill -0 "$pid" 2>/dev/null || fail "cloud-pane.exe ended during the soak"

# A batch a real timer tick queued may still run: wait until the server has been quiet for
# longer than a stalled download waits.
requests() { python3 "$fake_noaa" requests --port-file "$work/port" | wc -l; }
last=$(requests)
quiet=0
for ((i = 0; i < 120 && quiet < 12; i++)); do
    sleep 1
    now=$(requests)
    if [ "$now" = "$last" ]; then quiet=$((quiet + 1)); else quiet=0; last=$now; fi
done
wine "$driver" "Cloud Pane" 0 | tr -d '\r' >"$work/cities" || fail "cannot ask the cities"
curl -s --noproxy '*' "$server/__faults" >"$work/faults" || fail "cannot ask the server's replies"

python3 - "$work/cycles" "$work/cities" "$work/faults" "$cycles" "$seconds" "${stations[@]}" <<'PY' || exit 1
import json, re, sys
cycles_file, cities_file, faults_file, count, seconds = sys.argv[1:6]
stations = sys.argv[6:]
count = int(count)
samples = {}
for line in open(cycles_file):
    m = re.match(r"cycle (\d+) private=(\d+) handles=(\d+) gdi=(\d+) user=(\d+) graphics=(-?\d+)", line)
    if m:
        samples[int(m.group(1))] = [int(v) for v in m.groups()[1:]]
faults = json.load(open(faults_file))
print("soak: %d cycles in %s s; replies %s" % (count, seconds, json.dumps(faults["replies"], sort_keys=True)))
names = ["private bytes", "handles", "GDI objects", "USER objects", "graphics objects"]
base = max(1, count // 10)
for n in sorted({1, count} | set(range(base, count + 1, base))):
    if n in samples:
        print("  cycle %5d: " % n + ", ".join("%s %d" % (k, v) for k, v in zip(names, samples[n])))
bad = []
if len(samples) != count:
    bad.append("%d cycles sampled of %d" % (len(samples), count))
elif count >= 200:
    for name, a, b in zip(names, samples[base], samples[count]):
        if abs(b - a) > 0.05 * max(a, 1) and abs(b - a) > 2:
            bad.append("%s grew from %d at cycle %d to %d at cycle %d" % (name, a, base, b, count))
held = {}
for line in open(cities_file):
    m = re.match(r"city (\d+) minute=(-?\d+) tenths=(-?\d+)", line)
    if m:
        held[int(m.group(1))] = (int(m.group(2)), int(m.group(3)))
if len(held) != len(stations):
    bad.append("the program holds %d cities, not %d" % (len(held), len(stations)))
good = 0
for index, station in enumerate(stations):
    last = faults["last_good"].get(station)
    minute, tenths = held.get(index, (None, None))
    if last is None:
        if tenths is not None and tenths > -10**15:
            bad.append("%s never had a good reply but shows %d tenths" % (station, tenths))
    elif [minute, tenths] != last:
        bad.append("%s shows minute %s, %s tenths; its last good reply was minute %d, %d tenths"
                   % (station, minute, tenths, last[0], last[1]))
    else:
        good += 1
print("  %d of %d cities show their last good reply, the others never had one" % (good, len(stations)))
for problem in bad:
    print("FAIL: " + problem)
sys.exit(1 if bad else 0)
PY

wine "$tool" end-session "Cloud Pane" >/dev/null 2>&1 || fail "could not end the session"
for ((i = 0; i < 300; i++)); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "cloud-pane.exe did not end on WM_ENDSESSION"
wait "$pid"
rc=$?
pid=
[ "$rc" -eq 0 ] || fail "cloud-pane.exe ended with exit code $rc"
[ -f "$roaming/CloudPane/Options.txt" ] && [ "$(grep -c . "$roaming/CloudPane/Cities.txt")" -eq 17 ] ||
    fail "the settings were not saved at the end"
echo "PASS: soak of $cycles cycles"
