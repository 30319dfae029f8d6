#!/usr/bin/env bash
# The saver's and the viewer's paint under Wine, on an Xvfb screen of 3840x2160 so that the
# largest saver is a real window. Figures only. Usage: bench/window-paint-wine.sh [BUILD]
# (default build/windows; the installation data is read from its stage folder)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/windows}
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix} WINEDEBUG=-all
xvfb-run -a -s "-screen 0 3840x2160x24" bash -c \
    'wine "$1/bench/orbimeteo-bench-window-paint.exe" "$(winepath -w "$1/stage")" | tr -d "\r"' \
    _ "$build"
