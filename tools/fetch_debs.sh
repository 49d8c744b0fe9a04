#!/usr/bin/env bash
# Downloads Debian packages with apt-get and unpacks them (nothing is installed). Used by
# the data pipelines' fetch scripts.
#
#   fetch_debs.sh FOLDER "package=version sha256" ... "package" ...
#
# A package with a version and a SHA-256 is fetched at that version and checked against
# it. A package named alone is fetched at the version the archive offers now (apt checks
# it against the archive's signed index); the pipeline then checks that what it reads of
# it is what the data was made from. The packages and their contents go to FOLDER and
# FOLDER/unpacked, outside git.
set -euo pipefail
folder="$1"
shift
mkdir -p "$folder"
cd "$folder"
for entry in "$@"; do
    read -r package sum <<<"$entry"
    name="${package%%=*}"
    if [[ "$package" == *=* ]]; then
        version="${package#*=}"
    else
        version="$(apt-cache policy "$name" | sed -n 's/^ *Candidate: //p')"
        if [[ -z "$version" || "$version" == "(none)" ]]; then
            echo "fetch_debs.sh: the archive offers no $name (run apt-get update)" >&2
            exit 1
        fi
        package="$name=$version"
        echo "fetch_debs.sh: $name at the archive's version $version"
    fi
    deb="${name}_${version//:/%3a}_all.deb"
    [[ -f "$deb" ]] || apt-get download "$package"
    [[ -z "${sum:-}" ]] || echo "$sum  $deb" | sha256sum --check --quiet
    dpkg-deb -x "$deb" unpacked
done
