#!/usr/bin/env bash
# Downloads and unpacks the Debian packages that the international dialling-code data is
# built from, at the versions it was built from, under /work/data-sources/intltel unless a
# folder is given.
set -euo pipefail
folder="${1:-/work/data-sources/intltel}"
bash "$(dirname "${BASH_SOURCE[0]}")/../fetch_debs.sh" "$folder" \
    "python3-phonenumbers=8.12.57-4 f2af3ef04ab8baa6d99ff3b67c2cfa35be07189193b6dddd7f53ed9074c54e45" \
    "tzdata=2026b-0+deb12u1 0edb49f4dffe0d5608069f7e4ba4d69544d3b9e86fc314dd8b75e9958d8e5e98"
echo "sources unpacked in $folder/unpacked; build with: build.py --sources $folder/unpacked"
