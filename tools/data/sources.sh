# Sourced by the data sets' fetch scripts, which all take one option:
#
#   fetch.sh [--sources DIR]
#
# DIR is the folder the set's sources are downloaded into, kept out of the repository;
# by default ${XDG_CACHE_HOME:-$HOME/.cache}/zentrel/data-sources/SET. build.py of the set
# takes the same option and the same default.
#
#   source ".../data/sources.sh"; sources_folder SET "$@"    # sets $folder, absolute

data_sources_root="${XDG_CACHE_HOME:-$HOME/.cache}/zentrel/data-sources"
sources_usage_options="[--sources DIR]"

sources_folder() {
    local data_set="$1"
    shift
    read_sources_option "$data_sources_root/$data_set" "$@"
}

# read_sources_option DEFAULT ARGUMENT...: sets $folder to the --sources folder, or DEFAULT.
read_sources_option() {
    folder="$1"
    shift
    while (($#)); do
        case "$1" in
            --sources)
                (($# >= 2)) || sources_usage
                folder="$2"
                shift 2
                ;;
            --sources=*)
                folder="${1#--sources=}"
                shift
                ;;
            *) sources_usage ;;
        esac
    done
    [[ -n "$folder" ]] || sources_usage
    folder="$(realpath -m -- "$folder")"
}

sources_usage() {
    echo "usage: $0 $sources_usage_options" >&2
    exit 2
}
