#!/usr/bin/env bash
# The options dialog's four pages as the README shows them: docs/options-<page>.png, taken from
# the desktop program of the windows build with default settings. Run inside an X server (for
# example xvfb-run -a -s "-screen 0 1600x900x24"), with WINEPREFIX set to the project's prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
stage=$root/build/windows/stage
tool=$root/build/windows/tests/ui/options-dialog.exe
hidden=$root/build/windows/tests/app/hidden-window.exe
export WINEDEBUG=-all
roaming=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
# Default settings, and no download leaves the machine.
aside=$(mktemp -d)
[ -e "$roaming/CloudPane" ] && mv "$roaming/CloudPane" "$aside/"
wine reg add 'HKCU\Software\CloudPane' /v ObservationUrlTemplate /t REG_SZ /d 'http://127.0.0.1:9/%s.TXT' /f >/dev/null 2>&1
restore() {
    wine "$hidden" end-session "Cloud Pane" >/dev/null 2>&1 || true
    sleep 2
    wine reg delete 'HKCU\Software\CloudPane' /v ObservationUrlTemplate /f >/dev/null 2>&1 || true
    rm -rf "$roaming/CloudPane"
    [ -e "$aside/CloudPane" ] && mv "$aside/CloudPane" "$roaming/"
    rm -rf "$aside"
}
trap restore EXIT
wine "$stage/cloud-pane.exe" &
wine "$hidden" find "Cloud Pane" 30000 >/dev/null
wine "$stage/cloud-pane.scr" /c
wine "$tool" find "Cloud Pane" 30000
sleep 2
window=$(xwininfo -root -tree | awk '/"Cloud Pane - Options"/ { print $1; exit }')
index=0
for page in general cities display earth; do
    wine "$tool" select "Cloud Pane" "$index"
    sleep 2
    import -window "$window" -strip "PNG8:$root/docs/options-$page.png"
    index=$((index + 1))
done
wine "$tool" click "Cloud Pane" 0 2
