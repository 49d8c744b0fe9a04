"""What the data pipelines in tools/ share: the folder their sources are downloaded into, a
fault that stops a build, the comparison of a number with the one the data must meet, and
the writing of a .lines file and its provenance file once every number holds. Python 3
standard library only."""
import os
import sys


def default_sources(data_set):
    """The folder that tools/<data_set>/fetch.sh downloads into unless told otherwise: under
    the user's cache folder, outside the repository."""
    cache = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    return os.path.join(cache, "zentrel", "data-sources", data_set)


def add_sources_argument(parser, data_set):
    """The option every build.py takes: --sources DIR, the folder fetch.sh filled."""
    default = default_sources(data_set)
    parser.add_argument("--sources", metavar="DIR", default=default,
                        help="the folder fetch.sh downloaded the sources into (default: %s)" % default)


class Fault(Exception):
    """A source or a decision that the pipeline cannot use."""


def expect(faults, what, have, want):
    if have != want:
        faults.append("%s: %r where there must be %r" % (what, have, want))


def write_provenance(path, title, introduction, entries):
    """entries: (record, what was done) pairs, listed in the character order of the record."""
    with open(path, "w", encoding="utf-8", newline="\n") as file:
        file.write("# %s\n\n%s\n\n" % (title, introduction))
        for record, what in sorted(entries, key=lambda entry: entry[0].encode("ascii")):
            file.write("- `%s`: %s\n" % (record, what))


def write_when_sound(faults, lines, output):
    """Writes the lines, one element a line with LF ends, only when no number failed; gives
    the exit status."""
    if faults:
        print("build.py: the data does not meet its numbers:", file=sys.stderr)
        for fault in faults:
            print("  " + fault, file=sys.stderr)
        return 1
    with open(output, "w", encoding="ascii", newline="\n") as file:
        file.write("\n".join(lines) + "\n")
    print("wrote %d lines to %s" % (len(lines), output))
    return 0
