#!/usr/bin/env bash
# Downloads Debian's hamradio-files (today's country file cty.dat), with which build.py
# --cross-check compares the prefixes, and unpacks it (nothing is installed). The build of
# the data itself needs nothing downloaded: its series table and decisions are in this folder.
set -euo pipefail
folder="${1:-/work/data-sources/intltel}"
mkdir -p "$folder"
cd "$folder"
package="hamradio-files=20230502"
deb="hamradio-files_20230502_all.deb"
sum="5b39cd4c26053be3d3a80292fdbe35b924451c8b6e39f541a227165e97902b55"
[[ -f "$deb" ]] || apt-get download "$package"
echo "$sum  $deb" | sha256sum --check --quiet
dpkg-deb -x "$deb" unpacked
echo "cross-check with: build.py --cross-check $folder/unpacked/usr/share/hamradio-files/cty.dat"
