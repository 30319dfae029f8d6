#!/usr/bin/env bash
# The screen saver, its preview and the Earth viewer under Wine, driven with real input.
# Usage: ui-scenarios.sh STAGE UI-INPUT-TOOL CASE. WINEPREFIX and DISPLAY come from the
# environment. Every wait is bounded.
set -uo pipefail
stage=$1
tool=$2
case=$3
export WINEDEBUG=${WINEDEBUG:--all}
saver=Orbimeteo_FormScreenSaver
viewer=Orbimeteo_FormEarth
pid=

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

on_exit() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        wine "$tool" close "$saver" >/dev/null 2>&1
        wine "$tool" command Orbimeteo_FormHidden "Globe Glow_FormHidden" 57665 >/dev/null 2>&1
        sleep 3
        kill -0 "$pid" 2>/dev/null && wineserver -k
    fi
    wine reg delete 'HKCU\Software\CloudPane' /v InstallationPath /f >/dev/null 2>&1
}
trap on_exit EXIT

alive() { kill -0 "$pid" 2>/dev/null; }

# ended_within TENTHS: the program ended; sets rc.
ended_within() {
    local i
    for ((i = 0; i < $1; i++)); do
        if ! alive; then
            wait "$pid"
            rc=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

wait_window() {
    local i
    for ((i = 0; i < 60; i++)); do
        wine "$tool" placement "$1" >/dev/null 2>&1 && return 0
        alive || fail "the program ended before its window $1 appeared"
        sleep 0.5
    done
    fail "no window $1 within 30 s"
}

start_saver() {
    wine reg add 'HKCU\Software\CloudPane' /v InstallationPath /t REG_SZ /d "$(winepath -w "$stage")" /f >/dev/null 2>&1
    wine "$stage/cloud-pane.scr" /s &
    pid=$!
    wait_window "$saver"
    # Let it take the foreground before any input.
    sleep 2
}

case $case in
saver-first-move)
    start_saver
    wine "$tool" move 400 300
    sleep 1
    alive || fail "the first mouse move closed the saver"
    ;;
saver-mouse-slack)
    start_saver
    wine "$tool" move 1 1
    sleep 0.5
    wine "$tool" move 100 100
    sleep 1
    alive || fail "a move of 100 pixels both ways closed the saver"
    wine "$tool" move 1 0
    ended_within 100 || fail "a move of 101 pixels did not close the saver"
    [ "$rc" -eq 0 ] || fail "the saver ended with $rc"
    ;;
saver-key)
    start_saver
    wine "$tool" key
    ended_within 100 || fail "a key did not close the saver"
    [ "$rc" -eq 0 ] || fail "the saver ended with $rc"
    ;;
saver-close)
    start_saver
    wine "$tool" syscommand "$saver" $((0xF060))
    wine "$tool" syscommand "$saver" $((0xF140))
    sleep 2
    alive || fail "SC_CLOSE or SC_SCREENSAVE ended the saver"
    wine "$tool" close "$saver"
    ended_within 100 || fail "WM_CLOSE did not end the saver"
    [ "$rc" -eq 0 ] || fail "the saver ended with $rc"
    ;;
preview)
    wine reg add 'HKCU\Software\CloudPane' /v InstallationPath /t REG_SZ /d "$(winepath -w "$stage")" /f >/dev/null 2>&1
    out=$(timeout 60 wine "$tool" host "$(winepath -w "$stage/cloud-pane.scr")" 4 | tr -d '\r')
    echo "$out"
    grep -q "^child 1 covers 1 " <<<"$out" || fail "the preview does not cover the host window"
    grep -q "^ended 1 code 0" <<<"$out" || fail "destroying the host did not end the preview"
    ;;
viewer)
    wine "$stage/globe-glow.exe" &
    pid=$!
    for ((i = 0; i < 60; i++)); do
        wine "$tool" command Orbimeteo_FormHidden "Globe Glow_FormHidden" 32820 >/dev/null 2>&1 && break
        sleep 0.5
    done
    sleep 2
    first=$(wine "$tool" placement "$viewer" | tr -d '\r')
    echo "first: $first"
    [ "${first:0:3}" = "1 1" ] || fail "the first Earth command did not show the viewer maximised"
    wine "$tool" syscommand "$viewer" $((0xF120)) # SC_RESTORE
    sleep 1
    restored=$(wine "$tool" placement "$viewer" | tr -d '\r')
    echo "restored: $restored"
    wine "$tool" close "$viewer"
    sleep 1
    hidden=$(wine "$tool" placement "$viewer" | tr -d '\r')
    [ "${hidden:0:1}" = "0" ] || fail "the close box did not hide the viewer"
    alive || fail "closing the viewer ended the program"
    wine "$tool" command Orbimeteo_FormHidden "Globe Glow_FormHidden" 32820
    sleep 1
    again=$(wine "$tool" placement "$viewer" | tr -d '\r')
    echo "again: $again"
    [ "$again" = "$restored" ] || fail "the viewer came back as '$again', not as '$restored'"
    ;;
*)
    fail "unknown case $case"
    ;;
esac
echo "ok: $case"
