#!/usr/bin/env bash
# Downloads Debian packages with apt-get, checks each against its SHA-256 and unpacks it
# (nothing is installed). Used by the data pipelines' fetch scripts.
#
#   fetch_debs.sh FOLDER "package=version sha256" ...
#
# The packages and their contents go to FOLDER and FOLDER/unpacked, outside git.
set -euo pipefail
folder="$1"
shift
mkdir -p "$folder"
cd "$folder"
for entry in "$@"; do
    read -r package sum <<<"$entry"
    name="${package%%=*}"
    version="${package#*=}"
    deb="${name}_${version}_all.deb"
    [[ -f "$deb" ]] || apt-get download "$package"
    echo "$sum  $deb" | sha256sum --check --quiet
    dpkg-deb -x "$deb" unpacked
done
