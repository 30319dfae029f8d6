#!/usr/bin/env bash
# The screen saver, its preview and the Earth viewer under Wine, driven with real input.
# Usage: ui-scenarios.sh STAGE UI-INPUT-TOOL CASE. WINEPREFIX and DISPLAY come from the
# environment. Every wait is bounded.
set -uo pipefail
# shellcheck source=../lib/scenario.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/scenario.sh"
stage=$1
tool=$2
case=$3
export WINEDEBUG=${WINEDEBUG:--all}
saver=Orbimeteo_FormScreenSaver
viewer=Orbimeteo_FormEarth
pid=

on_exit() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        wine "$tool" close "$saver" >/dev/null 2>&1
        wine "$tool" dismiss "Cloud Pane" >/dev/null 2>&1
        wine "$tool" dismiss "Globe Glow" >/dev/null 2>&1
        wine "$tool" dismiss About >/dev/null 2>&1
        wine "$tool" command Orbimeteo_FormHidden "Globe Glow_FormHidden" 57665 >/dev/null 2>&1
        wine "$tool" command Orbimeteo_FormHidden "Cloud Pane_FormHidden" 57665 >/dev/null 2>&1
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

# start_desktop FILE: starts a desktop program and waits for its hidden window.
start_desktop() {
    local i
    wine "$stage/$1" &
    pid=$!
    for ((i = 0; i < 60; i++)); do
        wine "$tool" placement Orbimeteo_FormHidden >/dev/null 2>&1 && return 0
        alive || fail "$1 ended before its hidden window appeared"
        sleep 0.5
    done
    fail "no hidden window of $1 within 30 s"
}

# wait_dialog TITLE: waits for the dialog or message box of TITLE; its controls go to $dialog.
wait_dialog() {
    local i
    for ((i = 0; i < 40; i++)); do
        dialog=$(wine "$tool" dialog "$1" 2>/dev/null | tr -d '\r') && [ -n "$dialog" ] && return 0
        alive || fail "the program ended while '$1' was awaited"
        sleep 0.5
    done
    fail "no window titled '$1' within 20 s"
}

# has TEXT: the awaited dialog has a line starting with TEXT.
has() { T=$1 awk 'index($0, ENVIRON["T"]) == 1 { found = 1 } END { exit !found }' <<<"$dialog"; }

dismiss() {
    wine "$tool" dismiss "$1" || fail "'$1' could not be dismissed"
    sleep 1
    ! wine "$tool" dialog "$1" >/dev/null 2>&1 || fail "'$1' stayed open"
    alive || fail "the program ended when '$1' was closed"
}

feedback_text='65535 Feel free to contact us for any question, suggestion or issue.\n\nEmail: '

# please_visit CAPTION: the fallback box of Web Page, with the installed read-me's address.
please_visit() {
    wait_dialog "$1"
    echo "$dialog"
    grep -Eq '^65535 Please visit file:///.*/ReadMe\.html$' <<<"$dialog" ||
        fail "Web Page without a browser did not show 'Please visit ' and the read-me's address"
    dismiss "$1"
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
web-page)
    # What opens the default read-me page is a program for .html files, and this prefix has none.
    ! wine reg query 'HKCR\.html' >/dev/null 2>&1 || fail "the Wine prefix has a program for web pages"
    start_desktop cloud-pane.exe
    for round in first second; do
        wine "$tool" command Orbimeteo_FormHidden "Cloud Pane_FormHidden" 32833
        echo "$round Web Page:"
        please_visit "Cloud Pane"
    done
    ;;
feedback)
    start_desktop cloud-pane.exe
    wine "$tool" command Orbimeteo_FormHidden "Cloud Pane_FormHidden" 32831
    wait_dialog "Cloud Pane"
    echo "$dialog"
    has "$feedback_text" || fail "Feedback did not show the contact text"
    dismiss "Cloud Pane"
    ;;
about)
    start_desktop cloud-pane.exe
    wine "$tool" command Orbimeteo_FormHidden "Cloud Pane_FormHidden" 57664
    wait_dialog About
    echo "$dialog"
    has "centred 1" || fail "About is not centred"
    has "1042 Cloud Pane 3.2.5" || fail "About does not show 'Cloud Pane 3.2.5'"
    has "1036 Email: " || fail "About does not show the e-mail line"
    has "1037 Web: file:///" || fail "About does not show the web line"
    # Its Web Page button, owned by the dialog.
    wine "$tool" command "#32770" About 1034
    please_visit "Cloud Pane"
    dismiss About
    ;;
viewer-links)
    start_desktop globe-glow.exe
    wine "$tool" command Orbimeteo_FormHidden "Globe Glow_FormHidden" 32820
    sleep 2
    wine "$tool" command "$viewer" "Globe Glow" 32831
    wait_dialog "Globe Glow"
    has "$feedback_text" || fail "the viewer's Feedback did not show the contact text"
    dismiss "Globe Glow"
    wine "$tool" command "$viewer" "Globe Glow" 32833
    please_visit "Globe Glow"
    wine "$tool" command "$viewer" "Globe Glow" 57664
    wait_dialog About
    echo "$dialog"
    has "centred 1" || fail "About is not centred on the viewer"
    has "1042 Globe Glow 3.2.5" || fail "About does not show 'Globe Glow 3.2.5'"
    dismiss About
    # Its close box only hides the local weather window; the viewer's Local Weather shows it.
    wine "$tool" close Orbimeteo_FormLocalWeather || fail "no local weather window"
    sleep 1
    [ "$(wine "$tool" placement Orbimeteo_FormLocalWeather | cut -d' ' -f1)" = 0 ] ||
        fail "the local weather window did not hide"
    wine "$tool" command "$viewer" "Globe Glow" 32834
    sleep 1
    [ "$(wine "$tool" placement Orbimeteo_FormLocalWeather | cut -d' ' -f1)" = 1 ] ||
        fail "the viewer's Local Weather did not show the local weather window"
    ;;
*)
    fail "unknown case $case"
    ;;
esac
echo "ok: $case"
