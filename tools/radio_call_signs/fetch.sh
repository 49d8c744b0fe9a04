#!/usr/bin/env bash
# Downloads and unpacks Debian's hamradio-files (today's country file cty.dat), with which
# build.py --cross-check compares the prefixes, into the sources folder (see
# tools/data/sources.sh for the option and its default). The data itself needs nothing
# downloaded: its series table and decisions are in this folder.
#
#   tools/radio_call_signs/fetch.sh [--sources DIR]
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/../data/sources.sh"
sources_folder radio_call_signs "$@"
bash "$here/../fetch_debs.sh" "$folder" \
    "hamradio-files=20230502 5b39cd4c26053be3d3a80292fdbe35b924451c8b6e39f541a227165e97902b55"
echo "cross-check with: python3 tools/radio_call_signs/build.py --sources $folder --cross-check"
