#!/usr/bin/env bash
# Downloads and unpacks the Debian packages that the international dialling-code data is
# built from, at the versions it was built from, into the sources folder (see
# tools/data/sources.sh for the option and its default). Nothing is installed.
#
#   tools/international_dialling/fetch.sh [--sources DIR]
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/../data/sources.sh"
sources_folder international_dialling "$@"
bash "$here/../fetch_debs.sh" "$folder" \
    "python3-phonenumbers=8.12.57-4 f2af3ef04ab8baa6d99ff3b67c2cfa35be07189193b6dddd7f53ed9074c54e45" \
    "tzdata=2026b-0+deb12u1 0edb49f4dffe0d5608069f7e4ba4d69544d3b9e86fc314dd8b75e9958d8e5e98"
echo "sources unpacked in $folder/unpacked; build with: python3 tools/international_dialling/build.py --sources $folder"
