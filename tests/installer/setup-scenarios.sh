#!/usr/bin/env bash
# Installs, upgrades and removes Orbimeteo with its setup program in a Wine prefix made for the
# test alone, and checks what each step leaves on the disk and in the registry.
# Usage: setup-scenarios.sh SETUP.EXE INSTALL-DATA HIDDEN-WINDOW-TOOL PREFIX
# DISPLAY comes from the environment. PREFIX is removed and made again; it is removed at the
# end when every check passed.
set -uo pipefail
# shellcheck source=../lib/scenario.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/scenario.sh"
setup=$1
data=$2
tool=$3
prefix=$4
here=$(cd "$(dirname "$0")" && pwd)

export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono or Gecko installers; no menu entries of the test's shortcuts on the host's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# How long one start, install or removal may take before the test gives up.
bound=120

started=()

on_exit() {
    local rc=$? pid
    for pid in "${started[@]}"; do
        kill -0 "$pid" 2>/dev/null && note "pid $pid still runs"
    done
    wineserver -k 2>/dev/null
    if [ "$rc" -eq 0 ]; then
        rm -rf "$prefix"
    else
        echo "the test prefix stays for inspection: $prefix" >&2
    fi
}
trap on_exit EXIT

# settle: waits until every process of the prefix has ended (an uninstaller runs on as a
# copy of itself after the first process returned).
settle() {
    timeout "$bound" wineserver -w || fail "the Wine session did not settle within $bound s"
}

win() { timeout "$bound" wine "$@"; }

# run_setup ARGS...: runs the setup program or an uninstaller to its end; it must answer 0.
run_setup() {
    win "$@"
    local rc=$?
    [ "$rc" -eq 0 ] || fail "$* ended with exit code $rc"
    settle
}

# run_setup_line LINE: runs a command line exactly as written, as a shortcut or the Run box
# would; /D= must stay unquoted even when the folder has blanks, which wine's own argument
# quoting would not leave alone.
run_setup_line() {
    printf '%s\r\n' "@$1" >"$prefix/drive_c/setup-line.cmd"
    run_setup cmd /c 'C:\setup-line.cmd'
}

variable() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }

unix() { winepath -u "$1" 2>/dev/null; }

# reg_value KEY NAME: prints the data of one registry value; fails when there is none.
reg_value() {
    local line
    line=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -i -F -- "$2" | head -n 1)
    [ -n "$line" ] || return 1
    sed -E 's/^[[:space:]]*[^[:space:]].*[[:space:]]+REG_[A-Z_]+[[:space:]]*//' <<<"$line"
}

expect_value() { # KEY NAME EXPECTED
    local value
    value=$(reg_value "$1" "$2") || fail "no value $2 under $1"
    [ "$value" = "$3" ] || fail "$1 $2 is '$value', expected '$3'"
}

expect_no_value() { # KEY NAME
    reg_value "$1" "$2" >/dev/null && fail "$1 still holds $2"
    return 0
}

window_exists() { wine "$tool" find "$1" "${2:-0}" >/dev/null 2>&1; }

# start_program WINDOWS-PATH DISPLAYNAME [ARGS...]: starts a program, waits for its hidden window
# and leaves its pid in $last_pid.
start_program() {
    local file=$1 name=$2
    shift 2
    wine "$file" "$@" &
    last_pid=$!
    started+=("$last_pid")
    window_exists "$name" $((bound * 1000)) || fail "$file made no hidden window within $bound s"
    kill -0 "$last_pid" 2>/dev/null || fail "$file ended after making its hidden window"
}

gone() { # PID: waits boundedly for a started program to end
    local i
    for ((i = 0; i < bound * 10; i++)); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# installed_data_matches FOLDER: every file of the installation data is in FOLDER, unchanged.
installed_data_matches() {
    local relative
    while IFS= read -r -d '' relative; do
        relative=${relative#./}
        cmp -s "$data/$relative" "$1/$relative" || fail "$1/$relative is missing or differs"
    done < <(cd "$data" && find . -type f -print0)
}

editions=("CloudPane cloud-pane Cloud Pane" "GlobeGlow globe-glow Globe Glow")

note "making the prefix $prefix"
rm -rf "$prefix"
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1
settle
[ -f "$prefix/system.reg" ] || fail "wineboot made no prefix"

program_files_w="$(variable ProgramW6432)\\Orbimeteo"
program_files=$(unix "$program_files_w")
system=$(unix 'C:\windows\system32')
common_menu=$(unix "$(variable ProgramData)\\Microsoft\\Windows\\Start Menu\\Programs\\Orbimeteo")
user_menu=$(unix "$(variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Orbimeteo")
roaming=$(unix "$(variable APPDATA)")
local_=$(unix "$(variable LOCALAPPDATA)")
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbimeteo'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
desktop_key='HKCU\Control Panel\Desktop'
[ -n "$program_files" ] && [ -d "$roaming" ] || fail "cannot find the folders of the prefix"

# ---------------------------------------------------------------------------------------------
note "a silent installation for the machine"
run_setup "$setup" /S
for file in cloud-pane.exe cloud-pane.scr globe-glow.exe globe-glow.scr ReadMe.html Uninstall.exe; do
    [ -f "$program_files/$file" ] || fail "no $file in $program_files"
done
installed_data_matches "$program_files"
for edition in "${editions[@]}"; do
    read -r key base title <<<"$edition"
    [ -f "$system/$base.scr" ] || fail "no $base.scr in the system folder"
    expect_value "HKLM\\Software\\$key" InstallationPath "$program_files_w"
    expect_no_value "HKCU\\Software\\$key" InstallationPath
    [ -f "$common_menu/$title.lnk" ] || fail "no Start-menu shortcut $title.lnk"
done
expect_value "HKLM\\$uninstall_key" DisplayVersion 3.2.5
expect_value "HKLM\\$uninstall_key" Publisher Orbimeteo
expect_value "HKLM\\$uninstall_key" UninstallString "\"$program_files_w\\Uninstall.exe\""
size=$(reg_value "HKLM\\$uninstall_key" EstimatedSize) || fail "no EstimatedSize"
[ $((size)) -gt 1000 ] || fail "EstimatedSize $size KB is too small for the installation"

note "the Start-menu shortcut starts the installed program"
target=$(python3 "$here/lnk_target.py" "$common_menu/Cloud Pane.lnk") || fail "cannot read Cloud Pane.lnk"
[ "${target,,}" = "${program_files_w,,}\\cloud-pane.exe" ] || fail "Cloud Pane.lnk points to $target"
[ -f "$(dirname "$(unix "$target")")/CityRecords.txt" ] || fail "no installation data beside $target"
start_program "$target" "Cloud Pane"
desktop=$last_pid

# ---------------------------------------------------------------------------------------------
note "an upgrade while the program runs ends it, which saves its settings, and replaces files"
echo "changed by hand" >>"$program_files/NOTICE"
rm -f "$system/globe-glow.scr"
run_setup "$setup" /S
gone "$desktop" || fail "the running Cloud Pane was not ended by the setup program"
[ -f "$roaming/CloudPane/Options.txt" ] || fail "the ended Cloud Pane wrote no Options.txt"
[ -f "$roaming/CloudPane/Cities.txt" ] || fail "the ended Cloud Pane wrote no Cities.txt"
cmp -s "$data/NOTICE" "$program_files/NOTICE" || fail "the upgrade did not replace NOTICE"
[ -f "$system/globe-glow.scr" ] || fail "the upgrade did not put globe-glow.scr back"

note "an upgrade keeps the user's settings"
sed -i 's/^WeatherIconScale=.*\r$/WeatherIconScale=123\r/; s/^RunAtSystemStartup=.*\r$/RunAtSystemStartup=true\r/' \
    "$roaming/CloudPane/Options.txt"
grep -q '^WeatherIconScale=123' "$roaming/CloudPane/Options.txt" || fail "cannot change Options.txt"
cp "$roaming/CloudPane/Options.txt" "$prefix/Options.before"
cp "$roaming/CloudPane/Cities.txt" "$prefix/Cities.before"
run_setup "$setup" /S
cmp -s "$prefix/Options.before" "$roaming/CloudPane/Options.txt" || fail "the upgrade changed Options.txt"
cmp -s "$prefix/Cities.before" "$roaming/CloudPane/Cities.txt" || fail "the upgrade changed Cities.txt"
expect_value "HKLM\\Software\\CloudPane" InstallationPath "$program_files_w"

# ---------------------------------------------------------------------------------------------
note "the installed screen saver finds its installation"
start_program 'C:\windows\system32\globe-glow.scr' "Globe Glow" /s
saver=$last_pid

note "a silent removal ends what runs and takes away everything it wrote"
start_program "$target" "Cloud Pane"
desktop=$last_pid
# The short name, as the options dialog's "Make ... my Screen Saver" writes it.
short=$(wine cmd /c 'for %I in (C:\windows\system32\cloud-pane.scr) do @echo %~sI' 2>/dev/null | tr -d '\r')
[[ "$short" == C:\\* ]] || fail "no short name of cloud-pane.scr: $short"
note "SCRNSAVE.EXE = $short"
wine reg add "$desktop_key" /v SCRNSAVE.EXE /t REG_SZ /d "$short" /f >/dev/null 2>&1
wine reg add "$run_key" /v GlobeGlow /t REG_SZ /d "\"$program_files_w\\globe-glow.exe\"" /f >/dev/null 2>&1
wine reg add "$run_key" /v Other /t REG_SZ /d 'C:\other.exe' /f >/dev/null 2>&1
wine reg add 'HKLM\Software\CloudPane' /v ObservationUrlTemplate /t REG_SZ \
    /d 'http://127.0.0.1:1/%s.TXT' /f >/dev/null 2>&1
mkdir -p "$local_/CloudPane/Wallpaper" && : >"$local_/CloudPane/Wallpaper/E0.bmp"

run_setup "$program_files/Uninstall.exe" /S
gone "$desktop" || fail "the running Cloud Pane was not ended by the uninstaller"
gone "$saver" || fail "the running Globe Glow screen saver was not ended by the uninstaller"
if [ -d "$program_files" ]; then
    fail "files are left in the installation folder: $(cd "$program_files" && find . | head)"
fi
[ ! -e "$common_menu" ] || fail "the Start-menu folder is left: $(ls "$common_menu")"
for edition in "${editions[@]}"; do
    read -r key base title <<<"$edition"
    [ ! -e "$system/$base.scr" ] || fail "$base.scr is left in the system folder"
    expect_no_value "HKLM\\Software\\$key" InstallationPath
    expect_no_value "$run_key" "$key"
done
wine reg query 'HKLM\Software\GlobeGlow' >/dev/null 2>&1 && fail "the empty key Software\\GlobeGlow is left"
expect_value 'HKLM\Software\CloudPane' ObservationUrlTemplate 'http://127.0.0.1:1/%s.TXT'
expect_value "$run_key" Other 'C:\other.exe'
expect_no_value "$desktop_key" SCRNSAVE.EXE
wine reg query "HKLM\\$uninstall_key" >/dev/null 2>&1 && fail "the Programs and Features entry is left"
[ ! -e "$local_/CloudPane" ] || fail "the wallpaper folder is left: $(find "$local_/CloudPane")"
for file in Options.txt Cities.txt; do
    [ -f "$roaming/CloudPane/$file" ] || fail "the uninstaller removed the user's $file"
done
# The running program saved its settings once more when it was asked to end.
grep -q '^WeatherIconScale=123' "$roaming/CloudPane/Options.txt" || fail "the user's options were lost"

# ---------------------------------------------------------------------------------------------
note "a silent installation for the current user into a chosen folder"
user_folder_w="$(variable USERPROFILE)\\My Orbimeteo"
user_folder=$(unix "$user_folder_w")
run_setup_line "\"$(winepath -w "$setup")\" /S /CurrentUser /D=$user_folder_w"
installed_data_matches "$user_folder"
for edition in "${editions[@]}"; do
    read -r key base title <<<"$edition"
    [ -f "$user_folder/$base.exe" ] && [ -f "$user_folder/$base.scr" ] || fail "no $base in $user_folder"
    [ ! -e "$system/$base.scr" ] || fail "a user installation put $base.scr into the system folder"
    expect_value "HKCU\\Software\\$key" InstallationPath "$user_folder_w"
    expect_no_value "HKLM\\Software\\$key" InstallationPath
    [ -f "$user_menu/$title.lnk" ] || fail "no Start-menu shortcut $title.lnk of the user"
done
expect_value "HKCU\\$uninstall_key" DisplayVersion 3.2.5
wine reg query "HKLM\\$uninstall_key" >/dev/null 2>&1 && fail "a user installation wrote the machine's entry"

note "an upgrade with only Cloud Pane takes Globe Glow away"
run_setup "$setup" /S /CurrentUser /CloudPane
for file in globe-glow.exe globe-glow.scr; do
    [ ! -e "$user_folder/$file" ] || fail "$file is left in $user_folder"
done
[ ! -e "$user_menu/Globe Glow.lnk" ] || fail "the shortcut Globe Glow.lnk is left"
expect_no_value 'HKCU\Software\GlobeGlow' InstallationPath
expect_value 'HKCU\Software\CloudPane' InstallationPath "$user_folder_w"
[ -f "$user_folder/cloud-pane.exe" ] || fail "the upgrade lost cloud-pane.exe"

note "the user's screen saver finds its installation"
start_program "$user_folder_w\\cloud-pane.scr" "Cloud Pane" /s
saver=$last_pid

note "a silent removal with /RemoveSettings takes the settings too; a foreign screen saver stays"
wine reg add "$desktop_key" /v SCRNSAVE.EXE /t REG_SZ /d 'C:\windows\system32\other.scr' /f >/dev/null 2>&1
run_setup "$user_folder/Uninstall.exe" /S /RemoveSettings
gone "$saver" || fail "the running Cloud Pane screen saver was not ended by the uninstaller"
[ ! -e "$user_folder" ] || fail "files are left in $user_folder: $(cd "$user_folder" && find . | head)"
[ ! -e "$user_menu" ] || fail "the user's Start-menu folder is left"
for edition in "${editions[@]}"; do
    read -r key base title <<<"$edition"
    expect_no_value "HKCU\\Software\\$key" InstallationPath
    [ ! -e "$roaming/$key" ] || fail "the settings of $title are left: $(ls "$roaming/$key")"
done
wine reg query "HKCU\\$uninstall_key" >/dev/null 2>&1 && fail "the user's Programs and Features entry is left"
expect_value "$desktop_key" SCRNSAVE.EXE 'C:\windows\system32\other.scr'

echo "PASS: setup"
