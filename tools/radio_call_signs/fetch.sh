#!/usr/bin/env bash
# Downloads and unpacks Debian's hamradio-files (today's country file cty.dat), with which
# build.py --cross-check compares the prefixes. The data itself needs nothing downloaded:
# its series table and decisions are in this folder.
set -euo pipefail
folder="${1:-/work/data-sources/intltel}"
bash "$(dirname "${BASH_SOURCE[0]}")/../fetch_debs.sh" "$folder" \
    "hamradio-files=20230502 5b39cd4c26053be3d3a80292fdbe35b924451c8b6e39f541a227165e97902b55"
echo "cross-check with: build.py --cross-check $folder/unpacked/usr/share/hamradio-files/cty.dat"
