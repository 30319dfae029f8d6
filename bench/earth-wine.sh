#!/usr/bin/env bash
# The Earth picture under Wine with the 18 default cities: first paint and repaint at 1920x1080
# and 3840x2160, the overlay apply against a memcpy of the same bytes, the peak working set, and
# xplanet drawing a rectangular day/night Earth of the same size from cold to PNG beside it.
# Figures only. Usage: bench/earth-wine.sh [STAGE] (default build/windows/stage)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
stage=${1:-$root/build/windows/stage}
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix} WINEDEBUG=-all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 1920x1080 3840x2160; do
    # The tool times itself from loading the images to the written PNG: Wine's own start is no
    # cost on Windows.
    wine "$stage/orbimeteo-render.exe" earth "$(winepath -w "$work/earth-$size.png")" --size "$size" \
        --install "$(winepath -w "$stage")" --repaints 10 | tr -d '\r'
done

if command -v xplanet >/dev/null; then
    for size in 1920x1080 3840x2160; do
        best=
        for run in 1 2 3; do
            start=$(date +%s%N)
            xplanet -num_times 1 -projection rectangular -geometry "$size" -output "$work/xplanet-$size.png" \
                >/dev/null 2>&1
            ms=$((($(date +%s%N) - start) / 1000000))
            [ -z "$best" ] || [ "$ms" -lt "$best" ] && best=$ms
        done
        echo "xplanet $size cold to png ${best} ms (best of 3)"
    done
else
    echo "xplanet is not installed (scripts/setup installs it)"
fi
