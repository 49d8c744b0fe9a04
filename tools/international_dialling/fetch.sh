#!/usr/bin/env bash
# Downloads and unpacks the Debian packages that the international dialling-code data is
# built from into the sources folder (see tools/data/sources.sh for the option and its
# default). Nothing is installed. python3-phonenumbers is pinned to the version of the
# Debian 12 release itself, which stable updates leave in the archive. tzdata is taken at
# the version the archive offers: its stable updates replace each other, so a pinned one
# disappears; build.py checks that the iso3166.tab entries it reads are those the data was
# made from (iso3166_built_from.tab) and names any entry that changed.
#
#   tools/international_dialling/fetch.sh [--sources DIR]
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/../data/sources.sh"
sources_folder international_dialling "$@"
bash "$here/../fetch_debs.sh" "$folder" \
    "python3-phonenumbers=8.12.57-4 f2af3ef04ab8baa6d99ff3b67c2cfa35be07189193b6dddd7f53ed9074c54e45" \
    "tzdata"
echo "sources unpacked in $folder/unpacked; build with: python3 tools/international_dialling/build.py --sources $folder"
