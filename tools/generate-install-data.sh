#!/usr/bin/env bash
# Regenerates the whole installation folder install/ from its sources and checks it:
#
#   install/CityRecords.txt          tools/make-city-records.py  (NOAA station list + OurAirports)
#   install/Earth/, install/EarthNight/
#                                    tools/make-earth-images.sh  (NASA images from three-globe)
#   install/LargeWeatherIcons/, install/SmallWeatherIcons/
#                                    tools/make-weather-icons.py (@bybas/weather-icons SVGs)
#   install/LargeWeatherIcons/Sky.png, install/UI/LocalWeatherBackground.png
#                                    tools/make-ui-images.sh     (drawn with ImageMagick)
#
# install/NOTICE (sources and licences) is written by hand. The npm packages are fetched into
# build/tools-npm/ first (tools/fetch-npm-sources.sh). Needs python3, npm, ImageMagick and
# rsvg-convert (Debian: python3 npm imagemagick librsvg2-bin). A second run gives the same bytes.
#
# Usage: generate-install-data.sh [NOAA_STATION_LIST]   (default ../shared/data/nsd_cccc.txt)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
stations=${1:-"$root/../shared/data/nsd_cccc.txt"}
cd "$root"

missing=()
command -v python3 >/dev/null || missing+=(python3)
command -v npm >/dev/null || missing+=(npm)
command -v rsvg-convert >/dev/null || missing+=(librsvg2-bin)
{ [ -x /usr/bin/convert ] || convert -version 2>/dev/null | grep -q ImageMagick; } || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
    echo "generate-install-data: missing ${missing[*]} (apt-get install -y --no-install-recommends ${missing[*]})" >&2
    exit 1
fi
[ -f "$stations" ] || { echo "generate-install-data: station list $stations not found" >&2; exit 1; }

bash tools/fetch-npm-sources.sh
# Start from empty picture folders, so a picture dropped from the generators does not linger.
rm -rf install/Earth install/EarthNight install/LargeWeatherIcons install/SmallWeatherIcons install/UI
python3 tools/make-city-records.py --stations "$stations"
bash tools/make-earth-images.sh
python3 tools/make-weather-icons.py
bash tools/make-ui-images.sh
python3 tools/check-install-data.py
