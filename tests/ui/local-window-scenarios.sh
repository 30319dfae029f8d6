#!/usr/bin/env bash
# Drives the local weather window of the staged desktop program under Wine as a user's menu
# choices would, and checks the window and the options file.
# Usage: local-window-scenarios.sh STAGE HIDDEN-WINDOW-TOOL LOCAL-WINDOW-TOOL CASE
# WINEPREFIX and DISPLAY come from the environment. Every wait is bounded.
set -uo pipefail
# shellcheck source=../lib/scenario.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/scenario.sh"
stage=$1
hidden_tool=$2
tool=$3
case=$4
export WINEDEBUG=${WINEDEBUG:--all}
bound=30
pid=
cleanups=()

on_exit() {
    local i
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        wine "$hidden_tool" end-session "Cloud Pane" >/dev/null 2>&1
        gone "$pid" 100 || { echo "cleanup: pid $pid does not end; stopping the Wine session" >&2; wineserver -k; }
    fi
    for ((i = ${#cleanups[@]} - 1; i >= 0; i--)); do eval "${cleanups[i]}"; done
}
trap on_exit EXIT

unix_path_of_variable() {
    local value
    value=$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')
    winepath -u "$value" 2>/dev/null
}

# put_aside DIR: the developer's own DIR is moved away while the test runs, and back after it.
put_aside() {
    if [ -e "$1" ]; then
        rm -rf "$1.test-aside"
        mv "$1" "$1.test-aside"
        cleanups+=("rm -rf '$1'; mv '$1.test-aside' '$1'")
    else
        cleanups+=("rm -rf '$1'")
    fi
}

start_program() {
    wine "$hidden_tool" find "Cloud Pane" 0 >/dev/null 2>&1 && fail "a Cloud Pane instance is already running"
    wine "$stage/cloud-pane.exe" &
    pid=$!
    wine "$hidden_tool" find "Cloud Pane" $((bound * 1000)) >/dev/null 2>&1 || fail "no hidden window within $bound s"
    wine "$tool" find 5000 >/dev/null 2>&1 || fail "the desktop start made no local weather window"
}

end_program() {
    wine "$hidden_tool" end-session "Cloud Pane" || fail "could not end the program"
    gone "$pid" $((bound * 10)) || fail "the program did not end within $bound s"
    wait "$pid"
    pid=
}

state() { wine "$tool" state 2>/dev/null | tr -d '\r'; }

# expect_state KEY=VALUE...: every pair is in the window's state.
expect_state() {
    local now pair
    now=$(state)
    for pair in "$@"; do
        [[ " $now " == *" $pair "* ]] || fail "expected $pair, the window has: $now"
    done
}

command() { wine "$tool" command "$1" || fail "could not send command $1"; }

option_line() { tr -d '\r' <"$options_file" | grep "^$1=" ; }

prepare_folders() {
    local roaming
    roaming=$(unix_path_of_variable APPDATA)
    [ -d "$roaming" ] || fail "cannot find the application-data folder of the Wine prefix"
    put_aside "$roaming/CloudPane"
    options_file="$roaming/CloudPane/Options.txt"
}

case_always_on_top() {
    prepare_folders
    start_program
    # Created hidden, layered and without a taskbar button; the option's default is off.
    expect_state visible=0 layered=1 toolwindow=1 topmost=0
    command 32800
    expect_state topmost=1
    command 32800
    expect_state topmost=0
    command 32800
    expect_state topmost=1
    end_program
    [ "$(option_line FormLocalWeather_AlwaysOnTop)" = "FormLocalWeather_AlwaysOnTop=true" ] ||
        fail "the option did not follow: $(option_line FormLocalWeather_AlwaysOnTop)"
    # The next start applies it.
    start_program
    expect_state layered=1 topmost=1
    command 32800
    end_program
    [ "$(option_line FormLocalWeather_AlwaysOnTop)" = "FormLocalWeather_AlwaysOnTop=false" ] ||
        fail "the option did not follow: $(option_line FormLocalWeather_AlwaysOnTop)"
}

case_mode_saved() {
    prepare_folders
    start_program
    # No weather yet: Large is the Small window's size.
    expect_state width=290 height=160
    command 32792
    expect_state width=210 height=160
    end_program
    [ "$(option_line FormLocalWeather_Mode)" = "FormLocalWeather_Mode=2" ] ||
        fail "Icon Only was not saved: $(option_line FormLocalWeather_Mode)"
    start_program
    expect_state width=210 height=160
    command 32826
    expect_state width=290 height=160
    end_program
    [ "$(option_line FormLocalWeather_Mode)" = "FormLocalWeather_Mode=1" ] ||
        fail "Small was not saved: $(option_line FormLocalWeather_Mode)"
}

case_off_screen() {
    prepare_folders
    start_program
    wine "$tool" move -150 -20 || fail "could not move the window"
    # Enough of it visible: a redraw leaves it.
    command 32827
    expect_state left=-150 top=-20
    wine "$tool" move -500 -200 || fail "could not move the window"
    command 32827
    expect_state left=-190 top=-60 width=290 height=160
    # Small and Icon Only move it fully back.
    command 32826
    expect_state left=0 top=0
    wine "$tool" move -500 30 || fail "could not move the window"
    command 32792
    expect_state left=0 top=30 width=210
    end_program
}

[ -f "$stage/cloud-pane.exe" ] || fail "no staged program in $stage"
fn="case_${case//-/_}"
declare -F "$fn" >/dev/null || fail "unknown case $case"
"$fn"
echo "PASS: $case"
