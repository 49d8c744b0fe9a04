#!/usr/bin/env bash
# Downloads the Debian packages that the international dialling-code data is built from and
# unpacks them (nothing is installed). The packages stay out of git, under
# /work/data-sources/intltel unless a folder is given.
set -euo pipefail
folder="${1:-/work/data-sources/intltel}"
mkdir -p "$folder"
cd "$folder"

# package=version and the SHA-256 of its .deb
packages=(
    "python3-phonenumbers=8.12.57-4 f2af3ef04ab8baa6d99ff3b67c2cfa35be07189193b6dddd7f53ed9074c54e45"
    "tzdata=2026b-0+deb12u1 0edb49f4dffe0d5608069f7e4ba4d69544d3b9e86fc314dd8b75e9958d8e5e98"
)
for entry in "${packages[@]}"; do
    read -r package sum <<<"$entry"
    name="${package%%=*}"
    version="${package#*=}"
    deb="${name}_${version}_all.deb"
    [[ -f "$deb" ]] || apt-get download "$package"
    echo "$sum  $deb" | sha256sum --check --quiet
    dpkg-deb -x "$deb" unpacked
done
echo "sources unpacked in $folder/unpacked"
